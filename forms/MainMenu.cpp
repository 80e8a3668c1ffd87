// The table window's menu bar: its items, captions, check marks and shortcuts.
#include "forms/Main.h"

#include "forms/Statistics.h"
#include "forms/TableSpeech.h"
#include "platform/Styles.h"

#include <QMenu>
#include <QMenuBar>

namespace {

TMenuItem* Checked(TMenuItem* Item, bool On)
{
    Item->setCheckable(true);
    Item->setChecked(On);
    return Item;
}

} // namespace

void TfrmMain::CreateMenu()
{
    MainMenu = new QMenuBar(this);
    MainMenu->setObjectName(QStringLiteral("MainMenu"));
    MainMenu->setNativeMenuBar(false);
    // The window's width is the table's: the bar takes what it is given, and
    // a caption too long for it is cut.
    MainMenu->setSizePolicy(QSizePolicy::Ignored, MainMenu->sizePolicy().verticalPolicy());
    auto* MenuStyle = new TMenuBarStyle;
    MenuStyle->setParent(MainMenu);
    MainMenu->setStyle(MenuStyle);
    CreateParametersMenu();
    CreateGameMenu();
    CreateHelpMenu();
    MainMenu->addActions({menuParameters, menuGame, menuHelp});
    // Shortcuts work while the menus are closed only if the window holds the items.
    addActions({menuMemory, menuBackground, menuAbout, menuNewGame, menuNewTour, menuContinue, menuHint, menuHowToPlay});
    // The memory aid only shows: while it has the keyboard, the game's keys
    // still work. A modal dialog blocks them as before.
    for (TMenuItem* Item : {menuMemory, menuAbout, menuNewGame, menuNewTour, menuContinue, menuHowToPlay})
        Item->setShortcutContext(Qt::ApplicationShortcut);
}

QMenu* TfrmMain::CreateSubmenu(TMenuItem* Owner)
{
    auto* Menu = new QMenu(this);
    Owner->setMenu(Menu);
    return Menu;
}

void TfrmMain::CreateParametersMenu()
{
    menuParameters = new TMenuItem(QStringLiteral("menuParameters"), QStringLiteral("Παράμετροι"), this);
    menuMemory = Checked(new TMenuItem(QStringLiteral("menuMemory"), QStringLiteral("Μνήμη"), this), true);
    menuMemory->setShortcut(Qt::Key_F10);
    menuBackground = new TMenuItem(QStringLiteral("menuBackground"), QStringLiteral("Τσόχα..."), this);
    // Unlike the full-screen item, the card picker does what its items say, so it can be reached.
    menuCardPicker = new TMenuItem(QStringLiteral("menuCardPicker"), QStringLiteral("Επιλογή χαρτιού"), this);
    menuLeftRight =
        Checked(new TMenuItem(QStringLiteral("menuLeftRight"), QStringLiteral("Με αριστερό-δεξί click"), this), true);
    menuLeft = Checked(new TMenuItem(QStringLiteral("menuLeft"), QStringLiteral("Με ένα click"), this), false);
    CreateSubmenu(menuCardPicker)->addActions({menuLeftRight, menuLeft});
    menuLanguage = new TMenuItem(QStringLiteral("menuLanguage"), QStringLiteral("Γλώσσα"), this);
    menuGreek = Checked(new TMenuItem(QStringLiteral("menuGreek"), QStringLiteral("Ελληνικά"), this), true);
    menuEnglish = Checked(new TMenuItem(QStringLiteral("menuEnglish"), QStringLiteral("Αγγλικά"), this), false);
    CreateSubmenu(menuLanguage)->addActions({menuGreek, menuEnglish});
    CreateLevelMenu();
    menuFullScreen =
        Checked(new TMenuItem(QStringLiteral("menuFullScreen"), QStringLiteral("Πλήρης οθόνη"), this), false);
    menuFullScreen->setEnabled(false);
    menuSep = new QAction(this);
    menuSep->setObjectName(QStringLiteral("menuSep"));
    menuSep->setSeparator(true);
    menuAbout = new TMenuItem(QStringLiteral("menuAbout"), QStringLiteral("Κωδονοκρουσίες"), this);
    menuAbout->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F1));
    CreateSubmenu(menuParameters)
        ->addActions(
            {menuMemory, menuBackground, menuCardPicker, menuLanguage, menuLevel, menuFullScreen, menuSep, menuAbout});
}

// The captions come from the language file's messages, the English words when it has none.
void TfrmMain::CreateLevelMenu()
{
    menuLevel = new TMenuItem(QStringLiteral("menuLevel"), QString::fromLatin1(LevelMenuKey), this);
    menuEasy = Checked(new TMenuItem(QStringLiteral("menuEasy"), QString::fromLatin1(LevelKeys[1]), this), false);
    menuNormal = Checked(new TMenuItem(QStringLiteral("menuNormal"), QString::fromLatin1(LevelKeys[0]), this), true);
    menuHard = Checked(new TMenuItem(QStringLiteral("menuHard"), QString::fromLatin1(LevelKeys[2]), this), false);
    CreateSubmenu(menuLevel)->addActions({menuEasy, menuNormal, menuHard});
}

void TfrmMain::CreateGameMenu()
{
    menuGame = new TMenuItem(QStringLiteral("menuGame"), QStringLiteral("Παιχνίδι"), this);
    menuNewGame = new TMenuItem(QStringLiteral("menuNewGame"), QStringLiteral("Νέα Παρτίδα"), this);
    menuNewGame->setShortcut(Qt::Key_F2);
    menuNewTour = new TMenuItem(QStringLiteral("menuNewTour"), QStringLiteral("Νέο Τουρνουά"), this);
    menuNewTour->setShortcut(Qt::Key_F3);
    menuContinue = new TMenuItem(QStringLiteral("menuContinue"), QString::fromLatin1(ContinueMenuKey), this);
    menuContinue->setShortcut(Qt::Key_F4);
    menuContinue->setEnabled(false);
    menuHint = new TMenuItem(QStringLiteral("menuHint"), QString::fromLatin1(HintMenuKey), this);
    menuHint->setShortcut(Qt::Key_H);
    menuStatistics = new TMenuItem(QStringLiteral("menuStatistics"), QString::fromLatin1(StatisticsKey), this);
    CreateSubmenu(menuGame)->addActions({menuNewGame, menuNewTour, menuContinue, menuHint, menuStatistics});
}

void TfrmMain::CreateHelpMenu()
{
    menuHelp = new TMenuItem(QStringLiteral("menuHelp"), QString::fromLatin1(HelpMenuKey), this);
    menuHowToPlay = new TMenuItem(QStringLiteral("menuHowToPlay"), QString::fromLatin1(HowToPlayMenuKey), this);
    menuHowToPlay->setShortcut(Qt::Key_F1);
    CreateSubmenu(menuHelp)->addActions({menuHowToPlay});
}

void TfrmMain::ConnectHandlers()
{
    connect(menuNewGame, &TMenuItem::Click, this, &TfrmMain::menuNewGameClick);
    connect(menuNewTour, &TMenuItem::Click, this, &TfrmMain::menuNewTourClick);
    connect(menuMemory, &TMenuItem::Click, this, &TfrmMain::menuMemoryClick);
    connect(menuBackground, &TMenuItem::Click, this, &TfrmMain::menuBackgroundClick);
    connect(menuFullScreen, &TMenuItem::Click, this, &TfrmMain::menuFullScreenClick);
    connect(menuLeftRight, &TMenuItem::Click, this, &TfrmMain::menuLeftRightClick);
    connect(menuLeft, &TMenuItem::Click, this, &TfrmMain::menuLeftClick);
    connect(menuGreek, &TMenuItem::Click, this, &TfrmMain::menuGreekClick);
    connect(menuEnglish, &TMenuItem::Click, this, &TfrmMain::menuEnglishClick);
    connect(menuAbout, &TMenuItem::Click, this, &TfrmMain::menuAboutClick);
    connect(menuEasy, &TMenuItem::Click, this, &TfrmMain::menuEasyClick);
    connect(menuNormal, &TMenuItem::Click, this, &TfrmMain::menuNormalClick);
    connect(menuHard, &TMenuItem::Click, this, &TfrmMain::menuHardClick);
    connect(menuHint, &TMenuItem::Click, this, &TfrmMain::menuHintClick);
    connect(menuStatistics, &TMenuItem::Click, this, &TfrmMain::menuStatisticsClick);
    connect(menuContinue, &TMenuItem::Click, this, &TfrmMain::menuContinueClick);
    connect(menuHowToPlay, &TMenuItem::Click, this, &TfrmMain::menuHowToPlayClick);
}
