// The translation list against the program's four real windows: every listed
// path must name a component that exists under that name, and each language
// file's text must arrive there.
#include "forms/About.h"
#include "forms/Main.h"
#include "forms/Memory.h"
#include "forms/SetScore.h"
#include "platform/Components.h"
#include "tests/support/Support.h"
#include "platform/IniFile.h"
#include "platform/TestSeams.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

const QStringList PropertyList = {
    "Application.Title",
    "frmMain.Gradient.FormCaption",
    "frmMain.menuParameters.Caption",
    "frmMain.menuMemory.Caption",
    "frmMain.menuBackground.Caption",
    "frmMain.menuGame.Caption",
    "frmMain.menuNewGame.Caption",
    "frmMain.menuNewTour.Caption",
    "frmMain.menuFullScreen.Caption",
    "frmMain.menuLeft.Caption",
    "frmMain.menuLeftRight.Caption",
    "frmMain.menuCardPicker.Caption",
    "frmMain.menuAbout.Caption",
    "frmMain.menuLanguage.Caption",
    "frmMain.menuGreek.Caption",
    "frmMain.menuEnglish.Caption",
    "frmMemory.Caption",
    "",
    "frmAbout.Caption",
    "frmAbout.lblTitle.Caption",
    "frmAbout.Credits.Lines",
    "frmAbout.btnClose.Caption",
    "frmAbout.lblDevInfo.Lines",
    "",
    "frmSetScore.Caption",
    "frmSetScore.lblFirstMan.Caption",
    "frmSetScore.lblPoints.Caption",
    "frmSetScore.btnClose.Caption",
    "frmSetScore.btnCancel.Caption",
};

class WindowTexts : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetMessageBoxHandler([](const QString&) {});
        ClearApplicationComponents();
        for (QObject* Window : std::initializer_list<QObject*>{&Main, &Memory, &SetScore, &About})
            RegisterApplicationComponent(Window);
        Main.Attach(&Memory, &SetScore, &About);
    }
    void TearDown() override
    {
        ClearApplicationComponents();
        SetMessageBoxHandler({});
    }

    // Finds the component by its object name, the way a reader of the window's
    // design would, without the translation component's own search.
    const QObject* Component(const QStringList& Names) const
    {
        const QObject* Found = nullptr;
        for (const QObject* Window : std::initializer_list<const QObject*>{&Main, &Memory, &SetScore, &About})
            if (Window->objectName() == Names.first())
                Found = Window;
        for (qsizetype I = 1; Found && I + 1 < Names.size(); ++I)
            Found = Found->findChild<QObject*>(Names[I]);
        return Found;
    }

    TfrmMain Main;
    TfrmMemory Memory;
    TfrmSetScore SetScore;
    TfrmAbout About;
};

} // namespace

TEST_F(WindowTexts, ListNamesRealComponentsAndEachLanguageFileReachesThem)
{
    EXPECT_EQ(Main.Languages->Properties(), PropertyList);
    for (const char* Language : {"english", "greek"}) {
        SCOPED_TRACE(Language);
        if (QByteArray(Language) == "english")
            Main.menuEnglishClick();
        else
            Main.menuGreekClick();
        const QString File = DataFile(QString::fromLatin1(Language) + QStringLiteral(".lng"));
        for (const QString& Path : PropertyList) {
            if (Path.isEmpty() || Path.startsWith(QStringLiteral("Application.")))
                continue;
            SCOPED_TRACE(Path.toStdString());
            const QStringList Names = Path.split(QLatin1Char('.'));
            const QObject* Target = Component(Names);
            ASSERT_NE(Target, nullptr) << "no component of that name";
            const QVariant Value = Target->property(Names.last().toLatin1());
            ASSERT_TRUE(Value.isValid()) << "no property of that name";
            const QString Wanted =
                FromWindows1253(TIniFile(File).ReadString("Translations", Path.toLatin1(), QByteArray()));
            ASSERT_FALSE(Wanted.isEmpty());
            if (Names.last() == QStringLiteral("Lines"))
                EXPECT_EQ(Value.toStringList(), Main.Languages->SplitLines(Wanted));
            else if (Names.last() == QStringLiteral("FormCaption"))
                EXPECT_TRUE(Value.toString().startsWith(Wanted + QStringLiteral(", "))) << Value.toString().toStdString();
            else
                EXPECT_EQ(Value.toString(), Wanted);
        }
    }
}

TEST_F(WindowTexts, ShowGreekThenEnglish)
{
    Main.menuGreekClick();
    EXPECT_EQ(Main.menuNewTour->text(), QStringLiteral("Νέο τουρνουά"));
    EXPECT_EQ(SetScore.windowTitle(), QStringLiteral("Τουρνουά"));
    EXPECT_EQ(SetScore.btnCancel->text(), QStringLiteral("&Ούπς!"));
    EXPECT_EQ(About.btnClose->text(), QStringLiteral("&αρκεί, αρκεί"));
    EXPECT_EQ(About.Credits->Lines().value(1), QStringLiteral("χωρίς την βοήθεια των παρακάτω:"));
    Main.menuEnglishClick();
    EXPECT_EQ(Main.menuNewTour->text(), QStringLiteral("New Tournament"));
    EXPECT_EQ(Main.menuEnglish->text(), QStringLiteral("English"));
    EXPECT_EQ(Main.Gradient->FormCaption(), FullTitle());
    for (const QWidget* Window : std::initializer_list<const QWidget*>{&Main, &Memory, &SetScore, &About})
        for (const QObject* Child : Window->findChildren<QObject*>()) {
            const QString Text = Child->property("Caption").toString() + Child->property("Lines").toStringList().join(' ');
            for (const QChar C : Text)
                ASSERT_FALSE(C.unicode() >= 0x0370 && C.unicode() <= 0x03FF)
                    << Child->objectName().toStdString() << " kept a Greek text";
        }
}
