#include "lang/Lang.h"

#include "platform/Components.h"
#include "platform/Controls.h"
#include "platform/DialogForm.h"
#include "platform/Form.h"
#include "platform/TestSeams.h"
#include "tests/support/Support.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

// Stands for the title strip of the main window.
class TTitleProbe : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString FormCaption MEMBER FormCaption)
public:
    using QObject::QObject;
    QString FormCaption = "Zento, ";
};

// Properties of kinds the program's own windows do not have.
class TKindsProbe : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int Count MEMBER Count)
    Q_PROPERTY(qlonglong Big MEMBER Big)
    Q_PROPERTY(bool Flag MEMBER Flag)
    Q_PROPERTY(QString Fixed READ Fixed)
public:
    using QObject::QObject;
    QString Fixed() const { return "fixed"; }
    int Count = 5;
    qlonglong Big = 0;
    bool Flag = false;
};

class TLanguageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ClearApplicationComponents();
        for (QObject* Window : {static_cast<QObject*>(&FMain), static_cast<QObject*>(&FSetScore),
                                static_cast<QObject*>(&FAbout)})
            RegisterApplicationComponent(Window);
        FLanguages->SetLanguageFile(FFolder.File("test.lng"));
    }

    void TearDown() override { ClearApplicationComponents(); }

    void WriteLanguageFile(const QStringList& Lines) const
    {
        QFile File(FFolder.File("test.lng"));
        ASSERT_TRUE(File.open(QIODevice::WriteOnly));
        File.write(ToWindows1253(Lines.join("\r\n") + "\r\n"));
    }

    TTempFolder FFolder;
    TForm FMain{"frmMain"};
    TDialogForm FSetScore{"frmSetScore"};
    TDialogForm FAbout{"frmAbout"};
    TLanguage* FLanguages = new TLanguage("Languages", &FMain);
    TMenuItem* FMenuGame = new TMenuItem("menuGame", "Game", &FMain);
    TTitleProbe* FGradient = new TTitleProbe(&FMain);
    QWidget* FMainPanel = new QWidget(&FMain);
    TLabel* FNested = new TLabel("lblNested", "nested", FMainPanel);
    QWidget* FScorePanel = new QWidget(&FSetScore);
    TButton* FScoreClose = new TButton("btnClose", "&Close", FScorePanel);
    TKindsProbe* FKinds = new TKindsProbe(&FSetScore);
    TButton* FAboutClose = new TButton("btnClose", "&Close", &FAbout);
    TMemo* FCredits = new TMemo("Credits", &FAbout);
};

} // namespace

TEST_F(TLanguageTest, PathsMatchNamesInAnyLetterCase)
{
    const QString Paths[] = {"frmMain.menuGame.Caption", "FRMMAIN.MENUGAME.CAPTION", "frmmain.menugame.caption",
                             "  frmMain . menuGame . Caption \t"};
    for (const QString& Path : Paths) {
        FMenuGame->SetCaption("Game");
        EXPECT_TRUE(FLanguages->TranslateProperty(Path, "Παιχνίδι"));
        EXPECT_EQ(FMenuGame->Caption(), "Παιχνίδι") << Path.toStdString();
    }
}

TEST_F(TLanguageTest, FileKeysMatchPropertyLinesInAnyLetterCase)
{
    WriteLanguageFile({"[TRANSLATIONS]", "FRMMAIN.MENUGAME.CAPTION=Παιχνίδι", "frmabout.caption=Κωδονοκρουσίες"});
    FLanguages->SetProperties({"frmMain.menuGame.Caption", "", "  ", "FRMABOUT.Caption"});

    FLanguages->Translate();
    EXPECT_EQ(FMenuGame->Caption(), "Παιχνίδι");
    EXPECT_EQ(FAbout.Caption(), "Κωδονοκρουσίες");
}

TEST_F(TLanguageTest, PathsThatNameNothingSetNothing)
{
    struct TCase
    {
        const char* Path;
        bool ReachesComponent; // OnTranslate still runs once a component is found
    };
    const TCase Cases[] = {
        {"Application.Title", false},  {"Caption", false},         {"", false},
        {"Bogus.menuGame.Caption", false}, {"frmMain.Bogus.Caption", false}, {"frmMain..Caption", false},
        {"frmMain.menuGame.", true},   {"frmMain.menuGame.Bogus", true}, {"frmMain.menuGame.Caption.", false},
    };
    for (const TCase& Case : Cases) {
        int Events = 0;
        FLanguages->SetOnTranslate([&](QObject*, QObject*, const QString&, const QString&, QString&) { ++Events; });
        EXPECT_TRUE(FLanguages->TranslateProperty(Case.Path, "changed"));
        EXPECT_EQ(Events, Case.ReachesComponent ? 1 : 0) << Case.Path;
        EXPECT_EQ(FMenuGame->Caption(), "Game") << Case.Path;
        EXPECT_EQ(FMain.Caption(), "") << Case.Path;
        EXPECT_TRUE(FMenuGame->dynamicPropertyNames().isEmpty()) << Case.Path;
    }
}

TEST_F(TLanguageTest, AnEmptyValueLeavesThePropertyAndRaisesNoEvent)
{
    bool Called = false;
    FLanguages->SetOnTranslate([&](QObject*, QObject*, const QString&, const QString&, QString&) { Called = true; });
    WriteLanguageFile({"[Translations]", "frmMain.menuGame.Caption=", "frmMain.Gradient.FormCaption=   "});

    FLanguages->Translate();
    EXPECT_FALSE(Called);
    EXPECT_EQ(FMenuGame->Caption(), "Game");
    EXPECT_EQ(FGradient->FormCaption, "Zento, ");
}

TEST_F(TLanguageTest, FindChildSearchesOwnedComponentsDepthFirstInCreationOrder)
{
    QObject* const Deep = new QObject(FMainPanel);
    Deep->setObjectName("Twin");
    QObject* const Shallow = new QObject(&FMain);
    Shallow->setObjectName("Twin");
    FGradient->setObjectName("Gradient");

    EXPECT_EQ(FLanguages->FindChild(&FMain, "twin"), Deep);
    EXPECT_EQ(FLanguages->FindChild(&FMain, "LBLNESTED"), FNested);
    EXPECT_EQ(FLanguages->FindChild(&FMain, "gradient"), FGradient);
    EXPECT_EQ(FLanguages->FindChild(&FSetScore, "btnClose"), FScoreClose);
    EXPECT_EQ(FLanguages->FindChild(&FAbout, "btnClose"), FAboutClose);
    EXPECT_EQ(FLanguages->FindChild(nullptr, "FRMABOUT"), &FAbout);
    EXPECT_EQ(FLanguages->FindChild(nullptr, "Application"), nullptr);
    EXPECT_EQ(FLanguages->FindChild(nullptr, "menuGame"), nullptr);
    EXPECT_EQ(FLanguages->FindChild(&FMain, ""), nullptr); // Qt's own parts have no names
}

TEST_F(TLanguageTest, ListOfLinesValueSplitsAtTheSeparator)
{
    struct TCase
    {
        const char* Separator;
        const char* Value;
        QStringList Lines;
    };
    const TCase Cases[] = {
        {"^", "one^two", {"one", "two"}},
        {"^", "one^^two", {"one", "", "two"}},
        {"^", "one^two^", {"one", "two"}},
        {"^", "one^^", {"one", ""}},
        {"^", "^one", {"", "one"}},
        {"^", "  one ^\ttwo  ", {"one", "two"}},
        {"^", "one", {"one"}},
        {"^", "\x01one\x1f^two", {"one", "two"}},
        {"^", "^^", {"", ""}},
        {" ^ ", "one ^ two", {"one", "two"}},
        {" ^ ", "one^two ^three", {"one^two ^three"}},
        {"", "one,two", {"one", "two"}},
        {"<br>", "one<br>two", {"one", "two"}},
    };
    for (const TCase& Case : Cases) {
        FLanguages->SetSeparator(Case.Separator);
        EXPECT_TRUE(FLanguages->TranslateProperty("frmAbout.Credits.Lines", Case.Value));
        EXPECT_EQ(FCredits->Lines(), Case.Lines) << "'" << Case.Separator << "' in " << Case.Value;
    }
    // Only codes up to 32 count as blanks. (The text box itself would show a no-break space
    // as a plain one, so ask the splitting directly.)
    FLanguages->SetSeparator("^");
    EXPECT_EQ(FLanguages->SplitLines("\u00a0one^two"), QStringList({"\u00a0one", "two"}));
}

TEST_F(TLanguageTest, ABlankSeparatorStoresAComma)
{
    EXPECT_EQ(FLanguages->Separator(), "^");
    const std::pair<QString, QString> Cases[] = {{"", ","}, {"   ", ","}, {"\t\r\n", ","}, {" ^ ", " ^ "}, {"^", "^"}};
    for (const auto& [Value, Stored] : Cases) {
        FLanguages->SetSeparator(Value);
        EXPECT_EQ(FLanguages->Separator(), Stored);
    }
}

TEST_F(TLanguageTest, EventsSurroundThePassAndMayChangeTheValue)
{
    WriteLanguageFile({"[Translations]", "frmMain.menuGame.Caption=Παιχνίδι", "frmMain.Gradient.FormCaption=Zento"});
    FGradient->setObjectName("Gradient");
    FLanguages->SetProperties({"frmMain.menuGame.Caption", "frmMain.Gradient.FormCaption"});
    QStringList Calls;
    FLanguages->SetOnBeforeTranslation([&](QObject* Sender) { Calls << (Sender == FLanguages ? "before" : "?"); });
    FLanguages->SetOnAfterTranslation([&](QObject* Sender) { Calls << (Sender == FLanguages ? "after" : "?"); });
    FLanguages->SetOnTranslate([&](QObject* Sender, QObject* Component, const QString& Property, const QString& Old,
                                   QString& New) {
        Calls << QString("%1 %2.%3 '%4' -> '%5'")
                     .arg(Sender == FLanguages ? "translate" : "?", Component->objectName(), Property, Old, New);
        if (Component == FGradient)
            New += ", handled";
    });

    FLanguages->Translate();
    EXPECT_EQ(Calls, QStringList({"before", "translate menuGame.Caption 'Game' -> 'Παιχνίδι'",
                                  "translate Gradient.FormCaption 'Zento, ' -> 'Zento'", "after"}));
    EXPECT_EQ(FMenuGame->Caption(), "Παιχνίδι");
    EXPECT_EQ(FGradient->FormCaption, "Zento, handled");
}

TEST_F(TLanguageTest, AMissingFileSetsNothingButCompletesThePass)
{
    FLanguages->SetLanguageFile(FFolder.File("missing.lng"));
    int Passes = 0;
    FLanguages->SetOnAfterTranslation([&](QObject*) { ++Passes; });

    testing::internal::CaptureStderr();
    FLanguages->Translate();
    EXPECT_EQ(Passes, 1);
    EXPECT_EQ(FMenuGame->Caption(), "Game");
    // The status line looks messages up at every idle moment: only the pass says so.
    EXPECT_EQ(FLanguages->LookupMessage("dealing again..."), "dealing again...");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "zento: missing language file " + FFolder.File("missing.lng").toStdString() + "\n");
}

TEST_F(TLanguageTest, IntegerPropertiesTakeNumbersThatFit)
{
    FKinds->setObjectName("Kinds");
    EXPECT_TRUE(FLanguages->TranslateProperty("frmSetScore.Kinds.count", "-42"));
    EXPECT_EQ(FKinds->Count, -42);
    EXPECT_TRUE(FLanguages->TranslateProperty("frmSetScore.Kinds.Big", "99999999999"));
    EXPECT_EQ(FKinds->Big, 99999999999LL);

    QStringList Errors;
    FLanguages->SetOnError([&](const QString& Message) { Errors << Message; });
    EXPECT_FALSE(FLanguages->TranslateProperty("frmSetScore.Kinds.Count", "99999999999"));
    EXPECT_FALSE(FLanguages->TranslateProperty("frmSetScore.Kinds.Count", "12abc"));
    EXPECT_EQ(FKinds->Count, -42);
    EXPECT_EQ(Errors, QStringList({"'99999999999' is not a valid integer value", "'12abc' is not a valid integer value"}));
}

TEST_F(TLanguageTest, ANonNumberForAnIntegerStopsThePass)
{
    FKinds->setObjectName("Kinds");
    WriteLanguageFile({"[Translations]", "frmMain.menuGame.Caption=first", "frmSetScore.Kinds.Count=abc",
                       "frmAbout.Caption=never"});
    FLanguages->SetProperties({"frmMain.menuGame.Caption", "frmSetScore.Kinds.Count", "frmAbout.Caption"});
    QStringList Errors;
    bool Completed = false;
    FLanguages->SetOnError([&](const QString& Message) { Errors << Message; });
    FLanguages->SetOnAfterTranslation([&](QObject*) { Completed = true; });

    FLanguages->Translate();
    EXPECT_EQ(Errors, QStringList({"'abc' is not a valid integer value"}));
    EXPECT_FALSE(Completed);
    EXPECT_EQ(FMenuGame->Caption(), "first");
    EXPECT_EQ(FKinds->Count, 5);
    EXPECT_EQ(FAbout.Caption(), "");
}

TEST_F(TLanguageTest, PropertiesOfOtherKindsAreLeftAlone)
{
    FKinds->setObjectName("Kinds");
    for (const char* Path : {"frmSetScore.Kinds.Flag", "frmSetScore.Kinds.Fixed"})
        EXPECT_TRUE(FLanguages->TranslateProperty(Path, "true"));
    EXPECT_FALSE(FKinds->Flag);
    EXPECT_TRUE(FKinds->dynamicPropertyNames().isEmpty());
}

TEST_F(TLanguageTest, ALongValueIsCutTo1023Characters)
{
    const QString Long(1500, QChar(u'λ'));
    WriteLanguageFile({"[Translations]", "frmMain.menuGame.Caption=" + Long});
    FLanguages->SetProperties({"frmMain.menuGame.Caption"});

    FLanguages->Translate();
    EXPECT_EQ(FMenuGame->Caption(), Long.left(1023));
}

TEST_F(TLanguageTest, LookupMessageTellsAnEmptyEntryFromAMissingOne)
{
    WriteLanguageFile({"[Messages]", "You=Εσύ", "CPU=", "[Translations]", "Tournament=not a message"});

    EXPECT_EQ(FLanguages->LookupMessage("You"), "Εσύ");
    EXPECT_EQ(FLanguages->LookupMessage("YOU"), "Εσύ");
    EXPECT_EQ(FLanguages->LookupMessage("CPU"), "");
    EXPECT_EQ(FLanguages->LookupMessage("Tournament"), "Tournament");
    EXPECT_EQ(FLanguages->LookupMessage("日本"), "日本");
}

TEST_F(TLanguageTest, LookupMessageReadsTheFileAfreshEachTime)
{
    WriteLanguageFile({"[Messages]", "end of game...=τέλος παιχνιδιού..."});
    EXPECT_EQ(FLanguages->LookupMessage("end of game..."), "τέλος παιχνιδιού...");

    WriteLanguageFile({"[Messages]", "end of game...=τέλος!"});
    EXPECT_EQ(FLanguages->LookupMessage("end of game..."), "τέλος!");

    FLanguages->SetLanguageFile(FFolder.File("english.lng"));
    EXPECT_EQ(FLanguages->LookupMessage("end of game..."), "end of game...");
}

#include "LangTest.moc"
