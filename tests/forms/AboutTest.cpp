#include "forms/About.h"

#include "lang/Lang.h"
#include "platform/Components.h"
#include "platform/Version.h"
#include "tests/support/Support.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const QString Version = VersionText;
const QString Edition = EditionText;

// Ends a modal loop that the test failed to end, so a fault shows as a failure
// instead of a test that never returns.
void Watchdog(QDialog& Dialog, bool& Fired)
{
    QTimer::singleShot(3000, &Dialog, [&Dialog, &Fired] {
        Fired = true;
        Dialog.done(-1);
    });
}

} // namespace

TEST(AboutBox, HasItsDesignedFormWithoutACloseBox)
{
    TfrmAbout About;
    EXPECT_EQ(About.objectName(), "frmAbout");
    EXPECT_EQ(About.property("Caption").toString(), QStringLiteral("Κωδονοκρουσίες"));
    EXPECT_EQ(About.size(), QSize(334, 409));
    EXPECT_EQ(About.minimumSize(), About.maximumSize());
    EXPECT_TRUE(About.isModal());
    EXPECT_EQ(About.font().pointSize(), 8);
    const Qt::WindowFlags Flags = About.windowFlags();
    EXPECT_TRUE(Flags.testFlag(Qt::CustomizeWindowHint));
    EXPECT_TRUE(Flags.testFlag(Qt::WindowTitleHint));
    EXPECT_FALSE(Flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(Flags.testFlag(Qt::WindowSystemMenuHint));
    EXPECT_FALSE(Flags.testFlag(Qt::WindowMinimizeButtonHint));

    EXPECT_EQ(About.pnl->objectName(), "pnl");
    EXPECT_EQ(About.pnl->geometry(), About.rect());

    // Stacked from the top inside the panel's edge and 5-pixel border, each as wide as the panel allows.
    struct TPart { const char* Name; int Top; int Height; };
    const TPart Parts[] = {{"lblTitle", 6, 17},  {"lblSubTitle", 23, 17}, {"lblVersionInfo", 40, 17},
                           {"lblCredits", 57, 13}, {"Credits", 70, 247},   {"lblDevInfo", 409 - 6 - 43, 43}};
    for (const TPart& Part : Parts) {
        const QWidget* Control = About.pnl->findChild<QWidget*>(Part.Name);
        ASSERT_NE(Control, nullptr) << Part.Name;
        EXPECT_EQ(Control->geometry(), QRect(6, Part.Top, 334 - 12, Part.Height)) << Part.Name;
    }
    EXPECT_EQ(About.btnClose->geometry(), QRect(104, 325, 127, 25));
    EXPECT_EQ(About.btnClose->Caption(), QStringLiteral("&αρκεί, αρκεί"));
    EXPECT_TRUE(About.btnClose->isFlat());
    EXPECT_FALSE(About.btnClose->icon().isNull()) << "the glyph is built into the program";
    EXPECT_EQ(About.btnClose->iconSize(), QSize(16, 16));

    EXPECT_EQ(About.lblTitle->Caption(), QStringLiteral("Zento for Windows"));
    EXPECT_EQ(About.lblCredits->Caption(), QStringLiteral("Credits:"));
    EXPECT_EQ(About.lblCredits->palette().color(QPalette::WindowText), QColor(Qt::black));
    EXPECT_EQ(About.lblVersionInfo->palette().color(QPalette::WindowText), QColor(0x80, 0x00, 0x00));
    for (const TMemo* Memo : {About.Credits, About.lblDevInfo}) {
        EXPECT_TRUE(Memo->isReadOnly());
        EXPECT_EQ(Memo->focusPolicy(), Qt::NoFocus) << "no tab stop";
        EXPECT_EQ(Memo->frameShape(), QFrame::NoFrame);
        EXPECT_EQ(Memo->palette().color(QPalette::Base), Memo->palette().color(QPalette::Button));
    }
}

TEST(AboutBox, CreditsAndNoticeAgreeWithTheGreekLanguageFile)
{
    TfrmAbout About;
    const QStringList Credits = About.Credits->Lines();
    ASSERT_GE(Credits.size(), 3);
    EXPECT_EQ(Credits[0], QStringLiteral("Η δημιουργία αυτού του κομματιού software θα ήταν αδύνατη"));
    EXPECT_EQ(Credits[1], QStringLiteral("χωρίς την βοήθεια των παρακάτω:"));
    EXPECT_TRUE(Credits.contains(QStringLiteral("Ιδέες, παρατηρήσεις, beta testing:")));
    EXPECT_TRUE(Credits.contains(QStringLiteral("Μπύρες, σοκολάτες, γάλα για τον καφέ:")));
    EXPECT_EQ(About.lblDevInfo->Lines().size(), 3);

    TfrmAbout Translated;
    RegisterApplicationComponent(&Translated);
    TLanguage Languages(QStringLiteral("Languages"), nullptr);
    Languages.SetSeparator(QStringLiteral("^"));
    Languages.SetLanguageFile(DataFile(QStringLiteral("greek.lng")));
    Languages.SetProperties(DesignProperties());
    Translated.Credits->SetLines({QStringLiteral("overwritten")});
    Translated.lblDevInfo->SetLines({QStringLiteral("overwritten")});
    Languages.Translate();
    EXPECT_EQ(Translated.Credits->Lines(), Credits);
    EXPECT_EQ(Translated.lblDevInfo->Lines(), About.lblDevInfo->Lines());
}

TEST(AboutBox, TranslationReachesEveryListedPartByName)
{
    TfrmAbout About;
    RegisterApplicationComponent(&About);
    TLanguage Languages(QStringLiteral("Languages"), nullptr);
    Languages.SetSeparator(QStringLiteral("^"));
    struct TCase { const char* Path; const char* Value; };
    const TCase Cases[] = {{"frmAbout.Caption", "About Zento"},
                           {"frmAbout.lblTitle.Caption", "Zento for Linux"},
                           {"frmAbout.Credits.Lines", "one^^two"},
                           {"frmAbout.btnClose.Caption", "&Enough"},
                           {"frmAbout.lblDevInfo.Lines", "a^b^c"}};
    for (const TCase& Case : Cases)
        Languages.TranslateProperty(QString::fromUtf8(Case.Path), QString::fromUtf8(Case.Value));
    EXPECT_EQ(About.windowTitle(), "About Zento");
    EXPECT_EQ(About.lblTitle->Caption(), "Zento for Linux");
    EXPECT_EQ(About.Credits->Lines(), QStringList({"one", "", "two"}));
    EXPECT_EQ(About.btnClose->Caption(), "&Enough");
    EXPECT_EQ(About.lblDevInfo->Lines(), QStringList({"a", "b", "c"}));
}

TEST(AboutBox, ALoneCarriageReturnInALanguageFileDoesNotBreakALine)
{
    // The file's reader takes a lone CR as part of its line; the box must too, or the
    // lines shown would not be the lines set.
    const QTemporaryDir Folder;
    const QString FileName = Folder.filePath(QStringLiteral("test.lng"));
    QFile File(FileName);
    ASSERT_TRUE(File.open(QIODevice::WriteOnly));
    File.write("[Translations]\r\nfrmAbout.Credits.Lines=one\rtwo^three\r\n"
               "frmAbout.lblDevInfo.Lines=a\r\r\n");
    File.close();
    TfrmAbout About;
    RegisterApplicationComponent(&About);
    TLanguage Languages(QStringLiteral("Languages"), nullptr);
    Languages.SetLanguageFile(FileName);
    Languages.Translate();
    EXPECT_EQ(About.Credits->Lines(), QStringList({"one two", "three"}));
    EXPECT_EQ(About.lblDevInfo->Lines(), QStringList({"a"}));
    // A hidden box lays its text out when it shows: what counts is the shown text.
    About.show();
    EXPECT_EQ(About.Credits->toPlainText(), QStringLiteral("one two\nthree"));
    EXPECT_EQ(About.Credits->document()->blockCount(), 2);
    About.Credits->SetLines({QString::fromUtf16(u"x\u2028y\u2029z")});
    EXPECT_EQ(About.Credits->document()->blockCount(), 1);
    EXPECT_EQ(About.Credits->Lines(), QStringList({"x y z"}));
    About.hide();
    About.Credits->SetLines({QStringLiteral("hidden"), QStringLiteral("then shown")});
    About.show();
    EXPECT_EQ(About.Credits->toPlainText(), QStringLiteral("hidden\nthen shown"));
    About.hide();
}

TEST(AboutBox, EveryShowingWritesTheEditionAndVersionAndCentresTheBox)
{
    TfrmAbout About;
    for (int Showing = 0; Showing < 2; ++Showing) {
        About.lblSubTitle->SetCaption(QStringLiteral("stale"));
        About.lblVersionInfo->SetCaption(QStringLiteral("stale"));
        About.move(0, 0);
        About.show();
        EXPECT_EQ(About.lblSubTitle->Caption(), Edition);
        EXPECT_EQ(About.lblVersionInfo->Caption(), Version);
        const QPoint Offset = About.frameGeometry().center() - About.screen()->geometry().center();
        EXPECT_LE(Offset.manhattanLength(), 2);
        About.hide();
    }
}

TEST(AboutBox, CloseButtonEndsTheModalBoxAndEscDoesNot)
{
    TfrmAbout About;
    bool Fired = false;
    Watchdog(About, Fired);
    bool StayedAfterEsc = false;
    QTimer::singleShot(0, &About, [&About, &StayedAfterEsc] {
        PressKey(About.btnClose, Qt::Key_Escape);
        PressKey(&About, Qt::Key_Escape);
        QApplication::processEvents();
        StayedAfterEsc = About.isVisible();
        About.btnClose->click();
    });
    About.exec();
    EXPECT_FALSE(Fired) << "the close button did not end the box";
    EXPECT_TRUE(StayedAfterEsc);
    EXPECT_FALSE(About.isVisible());

    // The box is kept and shown again; its button still ends it.
    Fired = false;
    Watchdog(About, Fired);
    QTimer::singleShot(0, &About, [&About] { About.btnClose->click(); });
    About.exec();
    EXPECT_FALSE(Fired);
    EXPECT_EQ(About.lblVersionInfo->Caption(), Version);
}
