#include "lang/Lang.h"

#include "platform/IniFile.h"
#include "tests/support/Support.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <gtest/gtest.h>

namespace {

QByteArray FileBytes(const QString& FileName)
{
    QFile File(FileName);
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
}

QString Translation(const char* File, const QString& Key)
{
    return FromWindows1253(TIniFile(DataFile(File)).ReadString("Translations", ToWindows1253(Key), QByteArray()));
}

bool HasGreekLetter(const QString& Text)
{
    for (const QChar C : Text)
        if (C.unicode() >= 0x0370 && C.unicode() <= 0x03FF)
            return true;
    return false;
}

struct TMenuCaption
{
    const char* Key;
    const char* Greek;
    const char* English;
};

const TMenuCaption MenuCaptions[] = {
    {"frmMain.menuParameters.Caption", "Παράμετροι", "Parameters"},
    {"frmMain.menuMemory.Caption", "Μνήμη", "Memory Aid"},
    {"frmMain.menuBackground.Caption", "Τσόχα", "Background"},
    {"frmMain.menuCardPicker.Caption", "Επιλογή χαρτιού", "Card Picker"},
    {"frmMain.menuLeftRight.Caption", "με αριστερό-δεξί click", "Left-right clicks"},
    {"frmMain.menuLeft.Caption", "μόνο αριστερό click", "Left click only"},
    {"frmMain.menuFullScreen.Caption", "Πλήρης Οθόνη", "Full Screen"},
    {"frmMain.menuAbout.Caption", "Κωδονοκρουσίες", "About"},
    {"frmMain.menuGame.Caption", "Παιχνίδι", "Game"},
    {"frmMain.menuNewGame.Caption", "Νέα παρτίδα", "New Game"},
    {"frmMain.menuNewTour.Caption", "Νέο τουρνουά", "New Tournament"},
};

const char* const MessageKeys[] = {"You",        "CPU",       "Tournament",          "end of game...",
                                   "you won...", "the computer won...", "dealing again..."};

} // namespace

TEST(LanguageFiles, GiveAWholeTextForEveryListedPath)
{
    for (const char* File : {"greek.lng", "english.lng"}) {
        const TIniFile Ini(DataFile(File));
        for (const QString& Path : DesignProperties()) {
            if (Path.isEmpty())
                continue;
            const std::optional<QByteArray> Value = Ini.FindString("Translations", Path.toLatin1());
            ASSERT_TRUE(Value.has_value()) << File << " " << Path.toStdString();
            EXPECT_FALSE(Value->isEmpty()) << File << " " << Path.toStdString();
            EXPECT_LT(Value->size(), MaxProfileValueLength) << File << " " << Path.toStdString() << " would be cut";
        }
    }
}

TEST(LanguageFiles, GiveTheMenuCaptionsAndTheBaseTitle)
{
    for (const TMenuCaption& Caption : MenuCaptions) {
        EXPECT_EQ(Translation("greek.lng", Caption.Key), QString::fromUtf8(Caption.Greek)) << Caption.Key;
        EXPECT_EQ(Translation("english.lng", Caption.Key), QString::fromUtf8(Caption.English)) << Caption.Key;
    }
    for (const char* File : {"greek.lng", "english.lng"})
        EXPECT_EQ(Translation(File, "frmMain.Gradient.FormCaption"), "Zento") << File;
}

TEST(LanguageFiles, AreWindows1253TextThatRoundTrips)
{
    for (const char* File : {"greek.lng", "english.lng"}) {
        const QByteArray Bytes = FileBytes(DataFile(File));
        ASSERT_FALSE(Bytes.isEmpty()) << File;
        const QString Text = FromWindows1253(Bytes);
        EXPECT_FALSE(Text.contains(QChar::ReplacementCharacter)) << File;
        EXPECT_EQ(ToWindows1253(Text), Bytes) << File;
        for (const QString& Line : Text.split("\r\n"))
            for (const QChar C : Line)
                EXPECT_TRUE(C.unicode() >= 0x20 && (C.unicode() < 0x7F || HasGreekLetter(C)))
                    << File << ": unexpected character in " << Line.toStdString();
    }
    EXPECT_EQ(ToWindows1253("Ελληνικά"), QByteArray("\xc5\xeb\xeb\xe7\xed\xe9\xea\xdc"));
    EXPECT_EQ(FromWindows1253("\xa2\xe8\xfa"), "Άθϊ");
}

// The program's own table against ICU's converter for the code page: every
// byte one by one and all together, and every UTF-16 unit the other way.
TEST(Windows1253, DecodesAndEncodesAsIcu)
{
    QByteArray AllBytes;
    for (int Byte = 0; Byte < 256; ++Byte) {
        const QByteArray One(1, char(Byte));
        QStringDecoder Icu("windows-1253");
        EXPECT_EQ(FromWindows1253(One), Icu.decode(One)) << "byte " << Byte;
        AllBytes.append(One);
    }
    QStringDecoder Icu("windows-1253");
    const QString AllText = Icu.decode(AllBytes);
    EXPECT_EQ(FromWindows1253(AllBytes), AllText);
    // Only the two undefined bytes lose their value.
    EXPECT_EQ(ToWindows1253(AllText), QByteArray(AllBytes).replace('\xD2', '\x1A').replace('\xFF', '\x1A'));

    int Dropped = 0;
    for (int Unit = 0; Unit < 0x10000; ++Unit) {
        const QString One{QChar(char16_t(Unit))};
        QStringEncoder IcuEncoder("windows-1253");
        const QByteArray Expected = IcuEncoder.encode(One);
        // ICU drops a lone high surrogate at the end of a text, and the
        // characters Unicode lets a renderer ignore (U+034F, U+200B and the
        // like), without a word; here they become the substitute like any
        // other character the code page lacks, so nothing goes missing unseen.
        if (Expected.isEmpty()) {
            EXPECT_EQ(ToWindows1253(One), QByteArray("\x1A")) << "unit " << Unit;
            ++Dropped;
            continue;
        }
        ASSERT_EQ(ToWindows1253(One), Expected) << "unit " << Unit;
    }
    EXPECT_LT(Dropped, 1500);
    const QString Pair = QString::fromUcs4(U"a\U0001F600b");
    QStringEncoder IcuEncoder("windows-1253");
    EXPECT_EQ(ToWindows1253(Pair), IcuEncoder.encode(Pair));
    EXPECT_EQ(ToWindows1253(QString(QChar(0xD800))), QByteArray("\x1A"));
    EXPECT_EQ(ToWindows1253(QString(QChar(0xD800)) + QLatin1Char('A')), QByteArray("\x1A" "A"));
}

TEST(LanguageFiles, GreekGivesEveryMessageAndEnglishKeepsTheKeys)
{
    TLanguage Languages("Languages", nullptr);
    for (const char* Key : MessageKeys) {
        Languages.SetLanguageFile(DataFile("greek.lng"));
        const QString Greek = Languages.LookupMessage(Key);
        EXPECT_TRUE(HasGreekLetter(Greek)) << Key << " gives " << Greek.toStdString();
        Languages.SetLanguageFile(DataFile("english.lng"));
        EXPECT_EQ(Languages.LookupMessage(Key), Key);
    }
}

// The about box is read aloud and shown wherever the program runs: its texts
// name no system it does not run on.
TEST(LanguageFiles, NameNoOtherSystem)
{
    for (const char* File : {"greek.lng", "english.lng"}) {
        const QString Text = FromWindows1253(FileBytes(DataFile(File)));
        ASSERT_FALSE(Text.isEmpty()) << File;
        for (const QString& Line : Text.split("\r\n"))
            EXPECT_FALSE(Line.contains("Windows", Qt::CaseInsensitive)) << File << ": " << Line.toStdString();
    }
}

TEST(LanguageFiles, CreditsOpenAndGroupAsTheAboutBoxShowsThem)
{
    struct TExpected
    {
        const char* File;
        QStringList Opening;
        const char* IdeasHeading;
        const char* SuppliesHeading;
    };
    const TExpected Files[] = {
        {"greek.lng",
         {"Η δημιουργία αυτού του κομματιού software θα ήταν αδύνατη", "χωρίς την βοήθεια των παρακάτω:"},
         "Ιδέες, παρατηρήσεις, beta testing:",
         "Μπύρες, σοκολάτες, γάλα για τον καφέ:"},
        {"english.lng",
         {"This piece of software would have been impossible", "without the help of the following:"},
         "Ideas, remarks, beta testing:",
         "Beers, chocolates, milk for the coffee:"},
    };
    const TLanguage Languages("Languages", nullptr);
    for (const TExpected& Expected : Files) {
        const QStringList Lines = Languages.SplitLines(Translation(Expected.File, "frmAbout.Credits.Lines"));
        ASSERT_GE(Lines.size(), 10) << Expected.File;
        EXPECT_EQ(Lines.mid(0, 2), Expected.Opening);
        for (const char* Heading : {Expected.IdeasHeading, Expected.SuppliesHeading}) {
            const qsizetype At = Lines.indexOf(QString::fromUtf8(Heading));
            ASSERT_GT(At, 2) << Expected.File << " lacks " << Heading;
            EXPECT_EQ(Lines.at(At - 1), "") << "a blank line comes before " << Heading;
            EXPECT_FALSE(Lines.value(At + 1).isEmpty()) << "names follow " << Heading;
        }
        EXPECT_FALSE(Lines.last().isEmpty());
        EXPECT_EQ(Lines.at(Lines.size() - 2), "") << "the thanks stand apart";
        EXPECT_EQ(Languages.SplitLines(Translation(Expected.File, "frmAbout.lblDevInfo.Lines")).size(), 3);
    }
}

