// Fuzzes the placement store: whatever it holds, the table window and the
// memory aid open with their title strips within reach on a screen and at
// their own size, and what they save brings them back to the same place.
#include "forms/Main.h"
#include "tests/fuzz/FuzzCheck.h"
#include "forms/Memory.h"
#include "platform/Controls.h"
#include "platform/Placement.h"
#include "platform/TestSeams.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

struct TPlacementFuzzer
{
    TPlacementFuzzer()
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("XDG_CONFIG_HOME", Folder.path().toUtf8());
        App = new QApplication(Argc, Argv);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, Folder.path());
        SetMessageBoxHandler([](const QString&) {});
        Main = new TfrmMain;
        Memory = new TfrmMemory;
        StoreFile = QSettings(StoreOrganisation, StoreApplication).fileName();
        QDir().mkpath(QFileInfo(StoreFile).absolutePath());
        MainSize = Main->sizeHint();
        MemorySize = Memory->size();
    }

    int Argc = 1;
    char Name[15] = "fuzz_placement";
    char* Argv[2] = {Name, nullptr};
    QTemporaryDir Folder;
    QApplication* App;
    TfrmMain* Main;
    TfrmMemory* Memory;
    QString StoreFile;
    QSize MainSize;
    QSize MemorySize;
};

// The strip along the top of the frame lies on a screen, its full height and
// a grip of it wide.
bool TitleStripOnAScreen(const QWidget& Form)
{
    const QRect Strip(Form.pos(), QSize(Form.frameGeometry().width(), 20));
    const QList<QScreen*> Screens = QGuiApplication::screens();
    return std::any_of(Screens.begin(), Screens.end(), [&](const QScreen* Screen) {
        const QRect Visible = Strip.intersected(Screen->availableGeometry());
        return Visible.height() == Strip.height() && Visible.width() >= std::min(Strip.width(), 48);
    });
}

void ShowBoth(TPlacementFuzzer& Fuzzer)
{
    Fuzzer.Memory->show();
    Fuzzer.Main->show();
    QCoreApplication::processEvents();
}

void HideBoth(TPlacementFuzzer& Fuzzer)
{
    for (QWidget* Form : {static_cast<QWidget*>(Fuzzer.Main), static_cast<QWidget*>(Fuzzer.Memory)}) {
        Form->hide();
        Form->setWindowState(Qt::WindowNoState);
    }
    QCoreApplication::processEvents();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    static TPlacementFuzzer Fuzzer;
    PutFile(Fuzzer.StoreFile, Data, Size);
    ShowBoth(Fuzzer);
    CHECK(TitleStripOnAScreen(*Fuzzer.Main));
    CHECK(TitleStripOnAScreen(*Fuzzer.Memory));
    CHECK(Fuzzer.Main->size() == Fuzzer.MainSize);
    CHECK(Fuzzer.Memory->size() == Fuzzer.MemorySize);

    Fuzzer.Main->FormPlacement->Save(TFormPlacement::srClose);
    Fuzzer.Memory->FormPlacement->Save(TFormPlacement::srClose);
    const QPoint MainAt = Fuzzer.Main->pos();
    const QPoint MemoryAt = Fuzzer.Memory->pos();
    HideBoth(Fuzzer);

    // What was saved reads back to the same places.
    ShowBoth(Fuzzer);
    CHECK(Fuzzer.Main->pos() == MainAt);
    CHECK(Fuzzer.Memory->pos() == MemoryAt);
    HideBoth(Fuzzer);
    return 0;
}
