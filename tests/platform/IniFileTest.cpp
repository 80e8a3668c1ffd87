#include "platform/IniFile.h"

#include "tests/support/Support.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>

#include <gtest/gtest.h>

#include <random>
#include <unistd.h>

namespace {

void WriteBytes(const QString& FileName, const QByteArray& Bytes)
{
    QFile File(FileName);
    ASSERT_TRUE(File.open(QIODevice::WriteOnly));
    ASSERT_EQ(File.write(Bytes), Bytes.size());
}

QByteArray ReadBytes(const QString& FileName)
{
    QFile File(FileName);
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray("<unreadable>");
}

QByteArray NativeEnding()
{
#ifdef Q_OS_WIN
    return "\r\n";
#else
    return "\n";
#endif
}

// Bytes that pass the blank trimming unchanged: everything but line breaks and NUL.
QByteArray OddBytes()
{
    QByteArray Bytes = "<";
    for (int B = 1; B < 256; ++B)
        if (B != '\n' && B != '\r')
            Bytes += static_cast<char>(B);
    return Bytes + ">";
}

} // namespace

TEST(IniFileRead, FollowsTheProfileRulesWithEitherLineEnding)
{
    const QByteArrayList Lines = {
        "; Language=a comment",
        "Orphan=before any section",
        "[Settings]",
        "Language = greek ",
        "language=second entry of the key",
        "  Spaced  =  \"quoted value\"  ",
        "Single='single'",
        "Empty=",
        "Half=\"open",
        "NoEquals",
        "[ settings ]",
        "Extra=in the second section of the name",
        "[Other]",
        "Language=other",
    };
    struct TCase
    {
        const char* Section;
        const char* Key;
        QByteArray Expected;
    };
    const TCase Cases[] = {
        {"Settings", "Language", "greek"},
        {"SETTINGS", "LANGUAGE", "greek"},
        {" Settings ", " Language ", "greek"},
        {"Settings", "Spaced", "quoted value"},
        {"Settings", "Single", "single"},
        {"Settings", "Empty", ""},
        {"Settings", "Half", "\"open"},
        {"Settings", "NoEquals", "default"},
        {"Settings", "Extra", "default"},
        {"Settings", "; Language", "default"},
        {"Settings", "Orphan", "default"},
        {"Settings", "", "default"},
        {"other", "language", "other"},
        {"Missing", "Language", "default"},
    };
    for (const QByteArray& Ending : {QByteArray("\r\n"), QByteArray("\n")}) {
        TTempFolder Folder;
        const QString FileName = Folder.File("profile.ini");
        WriteBytes(FileName, Lines.join(Ending) + Ending);
        for (const TCase& Case : Cases)
            EXPECT_EQ(TIniFile(FileName).ReadString(Case.Section, Case.Key, "default"), Case.Expected)
                << Case.Section << "/" << Case.Key << " with " << (Ending.size() == 2 ? "CRLF" : "LF");
    }
}

TEST(IniFileRead, MissingUnreadableOrOversizedFileGivesTheDefault)
{
    TTempFolder Folder;
    QByteArray Huge = "[Settings]\nLanguage=greek\n";
    Huge += QByteArray(MaxProfileFileSize, ';');
    WriteBytes(Folder.File("huge.ini"), Huge);
    ASSERT_TRUE(QDir(Folder.Path()).mkdir("folder.ini"));

    for (const QString& FileName : {Folder.File("missing.ini"), QString(), Folder.File("huge.ini"), Folder.File("folder.ini")})
        EXPECT_EQ(TIniFile(FileName).ReadString("Settings", "Language", "english"), "english") << FileName.toStdString();
}

TEST(IniFileRead, UsesTheFirst1023BytesOfALongValue)
{
    TTempFolder Folder;
    const QString FileName = Folder.File("long.ini");
    const QByteArray Long(1500, 'x');
    const QByteArray Overlong(300000, 'y');
    WriteBytes(FileName, "[S]\r\nLong=" + Long + "\r\nOverlong=" + Overlong + "\r\nAfter=still read\r\n");

    EXPECT_EQ(TIniFile(FileName).ReadString("S", "Long", ""), Long.left(1023));
    EXPECT_EQ(TIniFile(FileName).ReadString("S", "Overlong", ""), Overlong.left(MaxProfileValueLength));
    EXPECT_EQ(TIniFile(FileName).ReadString("S", "After", ""), "still read");
}

TEST(IniFileRead, KeepsOddBytesFoldsOnlyAsciiAndStopsAtNul)
{
    TTempFolder Folder;
    const QString FileName = Folder.File("odd.ini");
    WriteBytes(FileName, "[S]\nOdd=" + OddBytes() + "\nNul=ab" + QByteArray(1, '\0') + "cd\n\xc5=capital epsilon\n");

    EXPECT_EQ(TIniFile(FileName).ReadString("S", "Odd", ""), OddBytes());
    EXPECT_EQ(TIniFile(FileName).ReadString("S", "Nul", ""), "ab");
    EXPECT_EQ(TIniFile(FileName).ReadString("s", "\xc5", ""), "capital epsilon");
    EXPECT_EQ(TIniFile(FileName).ReadString("S", "\xe5", "none"), "none"); // small epsilon in Windows-1253
}

TEST(TIniFile, ReadsSeveralEntriesFromOneLoadAndSeesItsOwnWrites)
{
    TTempFolder Folder;
    const QString FileName = Folder.File("several.ini");
    WriteBytes(FileName, "[A]\r\nOne=1\r\nTwo=2\r\n[B]\r\nThree=3\r\n");
    TIniFile File(FileName);

    EXPECT_EQ(File.ReadString("A", "One", ""), "1");
    EXPECT_EQ(File.ReadString("A", "Two", ""), "2");
    EXPECT_EQ(File.ReadString("B", "Three", ""), "3");
    EXPECT_FALSE(File.FindString("B", "One").has_value());
    ASSERT_TRUE(File.WriteString("B", "One", "uno"));
    EXPECT_EQ(File.ReadString("B", "One", ""), "uno");
    EXPECT_EQ(TIniFile(FileName).ReadString("B", "One", ""), "uno");
}

TEST(WriteProfileString, ChangesOnlyItsOwnLine)
{
    TTempFolder Folder;
    const QString FileName = Folder.File("zento.ini");
    const QByteArray Before = "; kept\r\n[Other]\nLanguage=other\r\n[SETTINGS]\r\n  language =  greek  \n" "Odd=" +
                              OddBytes() + "\r\nLanguage=second\r\n\r\n[Last]\nx=1";
    const QByteArray After = "; kept\r\n[Other]\nLanguage=other\r\n[SETTINGS]\r\n  language =  english\n" "Odd=" +
                             OddBytes() + "\r\nLanguage=second\r\n\r\n[Last]\nx=1";
    WriteBytes(FileName, Before);

    ASSERT_TRUE(WriteProfileString(FileName, "Settings", "Language", "english"));
    EXPECT_EQ(ReadBytes(FileName), After);
}

TEST(WriteProfileString, AddsAMissingKeyAtTheEndOfItsSection)
{
    TTempFolder Folder;
    const QString FileName = Folder.File("zento.ini");
    WriteBytes(FileName, "[A]\r\nx=1\r\n\r\n[B]\r\ny=2");

    ASSERT_TRUE(WriteProfileString(FileName, "a", "z", "3"));
    ASSERT_TRUE(WriteProfileString(FileName, "B", "w", "4"));
    EXPECT_EQ(ReadBytes(FileName), "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\nw=4");
}

TEST(WriteProfileString, AddsAMissingSectionAtTheEndOrCreatesTheFile)
{
    TTempFolder Folder;
    const QString Existing = Folder.File("existing.ini");
    WriteBytes(Existing, "[A]\nx=1");
    const QString Created = Folder.File("created.ini");

    ASSERT_TRUE(WriteProfileString(Existing, "B", "y", "2"));
    ASSERT_TRUE(WriteProfileString(Created, "Settings", "Language", "greek"));
    EXPECT_EQ(ReadBytes(Existing), "[A]\nx=1\n\n[B]\ny=2\n");
    EXPECT_EQ(ReadBytes(Created), "[Settings]" + NativeEnding() + "Language=greek" + NativeEnding());
}

TEST(WriteProfileString, KeepsEveryByteOfADamagedFile)
{
    TTempFolder Folder;
    const QString FileName = Folder.File("damaged.ini");
    std::mt19937 Generator(1253);
    QByteArray Garbage;
    for (int I = 0; I < 65536; ++I)
        Garbage += static_cast<char>(Generator() & 0xFF);
    Garbage.replace('[', '('); // no section of the name can appear by chance
    WriteBytes(FileName, Garbage);

    ASSERT_TRUE(WriteProfileString(FileName, "Settings", "Language", "greek"));
    EXPECT_TRUE(ReadBytes(FileName).startsWith(Garbage));
    EXPECT_EQ(TIniFile(FileName).ReadString("Settings", "Language", ""), "greek");
}

TEST(WriteProfileString, ReplacesTheFileInsteadOfRewritingIt)
{
    TTempFolder Folder;
    const QString FileName = Folder.File("zento.ini");
    const QString Link = Folder.File("link.ini");
    WriteBytes(FileName, "[Settings]\nLanguage=greek\n");
    // A hard link keeps seeing the old file once the name points at a new one; a write in
    // place would show through it.
    ASSERT_EQ(::link(qPrintable(FileName), qPrintable(Link)), 0);

    ASSERT_TRUE(WriteProfileString(FileName, "Settings", "Language", "english"));
    EXPECT_EQ(ReadBytes(FileName), "[Settings]\nLanguage=english\n");
    EXPECT_EQ(ReadBytes(Link), "[Settings]\nLanguage=greek\n");
    EXPECT_EQ(QDir(Folder.Path()).entryList(QDir::Files | QDir::Hidden).size(), 2); // no temporary left behind
}

TEST(WriteProfileString, ReportsAPlaceItCannotWriteTo)
{
    TTempFolder Folder;
    WriteBytes(Folder.File("plain"), "not a folder");
    EXPECT_FALSE(WriteProfileString(Folder.File("missing/zento.ini"), "Settings", "Language", "greek"));
    EXPECT_FALSE(WriteProfileString(Folder.File("plain/zento.ini"), "Settings", "Language", "greek"));
    EXPECT_FALSE(WriteProfileString(QString(), "Settings", "Language", "greek"));
    EXPECT_EQ(ReadBytes(Folder.File("plain")), "not a folder");

    // Permissions do not hold back the superuser, so this part needs an ordinary user.
    if (::geteuid() == 0)
        return;
    const QString Locked = Folder.File("locked");
    ASSERT_TRUE(QDir(Folder.Path()).mkdir("locked"));
    WriteBytes(Locked + "/zento.ini", "[Settings]\nLanguage=greek\n");
    QFile::setPermissions(Locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(WriteProfileString(Locked + "/zento.ini", "Settings", "Language", "english"));
    EXPECT_EQ(ReadBytes(Locked + "/zento.ini"), "[Settings]\nLanguage=greek\n");
    QFile::setPermissions(Locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST(WriteProfileString, KeepsTheOldFileWhenTheFileSystemRunsOutOfRoom)
{
    TTempFolder Folder;
    const QString FileName = Folder.File("zento.ini");
    const QByteArray Before = "[Settings]\nLanguage=greek\n" + QByteArray(3000, ';') + "\n";
    WriteBytes(FileName, Before);
    {
        // Room for part of the new file: the refusal comes in the middle of the write.
        const TFileSizeLimit Limit(1024);
        EXPECT_FALSE(WriteProfileString(FileName, "Settings", "Language", "english"));
        EXPECT_FALSE(WriteProfileString(Folder.File("new.ini"), "Settings", "Language", QByteArray(2000, 'x')));
    }
    EXPECT_EQ(ReadBytes(FileName), Before);
    EXPECT_EQ(QDir(Folder.Path()).entryList(QDir::Files | QDir::Hidden), QStringList{"zento.ini"});
}

TEST(WriteProfileString, ReadsBackWhatItWroteWhateverTheLineHeldBefore)
{
    struct TCase
    {
        QByteArray Line;
        QByteArray Value;
        QByteArray Written;
    };
    const TCase Cases[] = {
        {QByteArray("Language=\0english", 17), "greek", "Language=greek"},
        {QByteArray("Language= \0\x01 english", 20), "greek", "Language= greek"},
        {"Language=\t greek", "english", "Language=\t english"},
        {"Language=greek", "  two blanks", "Language=\"  two blanks\""},
        {"Language=greek", "trailing ", "Language=\"trailing \""},
        {"Language=greek", "\"quoted\"", "Language=\"\"quoted\"\""},
        {"Language=greek", "'single'", "Language=\"'single'\""},
        {"Language=greek", "\"", "Language=\""},
        {"Language=greek", "", "Language="},
    };
    TTempFolder Folder;
    const QString FileName = Folder.File("zento.ini");
    for (const TCase& Case : Cases) {
        WriteBytes(FileName, "[Settings]\r\n" + Case.Line + "\r\nOther=1\r\n");
        // Rewriting the same value must not change the file again.
        for (int Write = 0; Write < 3; ++Write) {
            ASSERT_TRUE(WriteProfileString(FileName, "Settings", "Language", Case.Value));
            EXPECT_EQ(TIniFile(FileName).ReadString("Settings", "Language", "<missing>"), Case.Value);
            EXPECT_EQ(ReadBytes(FileName), "[Settings]\r\n" + Case.Written + "\r\nOther=1\r\n")
                << Case.Line.toStdString();
        }
    }
    ASSERT_TRUE(WriteProfileString(FileName, "Added", "Key", " padded "));
    EXPECT_EQ(TIniFile(FileName).ReadString("Added", "Key", ""), " padded ");
}

TEST(WriteProfileString, RefusesEntriesThatWouldBreakTheFileAndLeavesItAlone)
{
    struct TCase
    {
        QByteArray Section;
        QByteArray Key;
        QByteArray Value;
    };
    const TCase Cases[] = {
        {"Settings", "Language", "greek\r\n[Evil]"},
        {"Settings", "Language", "gr\reek"},
        {"Settings", "Language", QByteArray("gr\0eek", 6)},
        {"Settings", "Lang=uage", "greek"},
        {"Settings", "  ", "greek"},
        {"Settings", "[Language", "greek"},
        {"Settings", ";Language", "greek"},
        {"Sett]ings", "Language", "greek"},
        {"", "Language", "greek"},
        {"Set\ntings", "Language", "greek"},
    };
    TTempFolder Folder;
    const QString FileName = Folder.File("zento.ini");
    const QByteArray Before = "[Settings]\r\nLanguage=english\r\n";
    WriteBytes(FileName, Before);
    for (const TCase& Case : Cases) {
        EXPECT_FALSE(WriteProfileString(FileName, Case.Section, Case.Key, Case.Value))
            << Case.Section.toStdString() << "/" << Case.Key.toStdString();
        EXPECT_EQ(ReadBytes(FileName), Before);
    }
}

TEST(WriteProfileString, LeavesAnOversizedFileAlone)
{
    TTempFolder Folder;
    const QString FileName = Folder.File("huge.ini");
    const QByteArray Huge = "[Settings]\nLanguage=greek\n" + QByteArray(MaxProfileFileSize, ';');
    WriteBytes(FileName, Huge);

    EXPECT_FALSE(WriteProfileString(FileName, "Settings", "Language", "english"));
    EXPECT_EQ(ReadBytes(FileName), Huge);

    // Nor does a write make a file too large to be read again.
    const QByteArray Full = "[Settings]\nLanguage=greek\n" + QByteArray(MaxProfileFileSize - 30, ';');
    WriteBytes(FileName, Full);
    EXPECT_FALSE(WriteProfileString(FileName, "Settings", "Language", QByteArray(10, 'x')));
    EXPECT_EQ(ReadBytes(FileName), Full);
}
