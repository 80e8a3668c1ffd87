// Fuzzes choosing a felt picture: whatever the file holds, loading it as the
// table's felt neither crashes nor reads memory it should not, and the felt
// keeps the table's size with its white frame.
#include "forms/Main.h"
#include "platform/Bitmap.h"
#include "platform/Controls.h"
#include "platform/TestSeams.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/support/TableWindow.h"

#include <QApplication>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

struct TFeltFuzzer
{
    TFeltFuzzer()
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        App = new QApplication(Argc, Argv);
        SetMessageBoxHandler([](const QString&) {});
        Main = new TfrmMain;
        FileName = Folder.filePath(QStringLiteral("felt.bmp"));
    }

    int Argc = 1;
    char Name[10] = "fuzz_felt";
    char* Argv[2] = {Name, nullptr};
    QApplication* App;
    TfrmMain* Main;
    QTemporaryDir Folder;
    QString FileName;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    static TFeltFuzzer Fuzzer;
    PutFile(Fuzzer.FileName, Data, Size);
    const QImage Picture = LoadPicture(Fuzzer.FileName);
    if (!Picture.isNull()) {
        CHECK(Picture.width() > 0 && Picture.height() > 0 && Picture.format() == QImage::Format_RGB32);
        // Every pixel comes from the file: loading it again gives the same picture.
        CHECK(LoadPicture(Fuzzer.FileName) == Picture);
    }
    const QSize TableSize = Shown(*Fuzzer.Main).size();
    Fuzzer.Main->LoadBackground(Fuzzer.FileName);
    // No card lies on the table: it is the felt alone.
    const QImage Felt = Composed(*Fuzzer.Main);
    CHECK(Felt.size() == TableSize);
    CHECK(Felt.pixel(0, 0) == qRgb(255, 255, 255));
    CHECK(Felt.pixel(Felt.width() - 1, Felt.height() - 20) == qRgb(255, 255, 255));
    return 0;
}
