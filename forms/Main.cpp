#include "forms/Main.h"

#include "forms/About.h"
#include "forms/KeptGameFile.h"
#include "forms/Memory.h"
#include "forms/SetScore.h"
#include "forms/TableAccess.h"
#include "forms/TableNews.h"
#include "forms/TableArea.h"
#include "forms/TableKeys.h"
#include "model/Layout.h"
#include "platform/AsciiCase.h"
#include "platform/MessageBox.h"
#include "platform/ModalRun.h"
#include "platform/Placement.h"
#include "platform/Styles.h"
#include "platform/Version.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QCoreApplication>
#include <QLoggingCategory>
#include <QMenuBar>
#include <QStatusBar>
#include <QVBoxLayout>
#include <QWindow>

#include <cstdio>
#include <utility>

// Every new status text, for those who watch a game from outside
// (QT_LOGGING_RULES="zento.status.debug=true").
Q_LOGGING_CATEGORY(lcStatus, "zento.status", QtWarningMsg)

namespace {

constexpr QPoint DesignPosition(268, 153);

} // namespace

// The window draws its own title strip, so the window system gives it no frame.
TfrmMain::TfrmMain(QWidget* Parent)
    : TForm(QStringLiteral("frmMain"), Parent, Qt::Window | Qt::FramelessWindowHint),
      FBackgroundCanvas(FBackground), FBackBufferCanvas(FBackBuffer),
      FWindowCanvas(FSurface, [this](const QRect& Rect) { FArea->ShowNow(Rect); })
{
    setWindowTitle(QStringLiteral("Zento, "));
    setFont(WindowFont());
    // Not a "What's This" text: Shift+F1 would show it.
    FHint = QStringLiteral("αριστερό click πάνω στο τραπουλόχαρτο για επιλογή,\r\n"
                           "δεξί click για να σταλεί στη στίβα στη μέση.");
    Gradient = new TGradient(QStringLiteral("Gradient"), this);
    Gradient->SetFormCaption(QStringLiteral("Zento, "));
    CreateMenu();
    CreateTable();
    auto* Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->setSpacing(0);
    Layout->addWidget(Gradient);
    Layout->addWidget(MainMenu);
    Layout->addWidget(FArea);
    Layout->setSizeConstraint(QLayout::SetFixedSize);
    CreateComponents();
    move(DesignPosition);
    ConnectHandlers();
    FormCreate();
    // The one look at the disk at start: whether a game was kept.
    OfferContinue(QFileInfo::exists(KeptGameFileName()));
}

TfrmMain::~TfrmMain()
{
    ReleaseDialogs();
    if (FScoresInstalled)
        disconnect(QAbstractEventDispatcher::instance(), nullptr, this, nullptr);
    FormDestroy();
}

// The attached dialogs are the application's to destroy, not the table window's.
void TfrmMain::ReleaseDialogs()
{
    for (QWidget* Window : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (Window == FSetScore || Window == FAbout)
            Window->setParent(nullptr, Window->windowFlags());
}

void TfrmMain::Attach(TfrmMemory* Memory, TfrmSetScore* SetScore, TfrmAbout* About)
{
    // The check mark follows the aid however it shows or goes: its own close
    // button, the menu, the key, the program's start.
    if (Memory && Memory != FMemory)
        connect(Memory, &TfrmMemory::VisibilityChanged, this,
                [this, Memory] { menuMemory->setChecked(Memory->isVisible()); });
    FMemory = Memory;
    if (FMemory)
        FMemory->Languages = Languages;
    ReleaseDialogs();
    FSetScore = SetScore;
    FAbout = About;
    // The dialogs belong to the table window: placed and stacked with it, so
    // that a click on the table brings an open dialog forward.
    for (QWidget* Dialog : std::initializer_list<QWidget*>{FSetScore, FAbout})
        if (Dialog && Dialog->parentWidget() != this)
            Dialog->setParent(this, Dialog->windowFlags());

    // The table holds the focus from the start: keys the window system hands
    // the window before it was ever active reach the game.
    FArea->setFocus(Qt::OtherFocusReason);
    // The memory aid stays above the table window only, and goes down and
    // comes back with it; the window system learns that it belongs to the
    // table window before it first shows.
    if (FMemory && !FMemory->isVisible()) {
        winId();
        FMemory->winId();
        FMemory->windowHandle()->setTransientParent(windowHandle());
    }
}

// The playing area with the status line along its bottom.
void TfrmMain::CreateTable()
{
    FArea = new TTableArea(
        this, &FSurface, [this] { FormPaint(); },
        [this](Qt::MouseButton Button, int X, int Y) { FormMouseDown(Button, X, Y); },
        [this](double Ratio) { PixelRatioChanged(Ratio); });
    FArea->SetKeyDown([this](int Key, Qt::KeyboardModifiers Modifiers) { return FormKeyDown(Key, Modifiers); });
    // A finger has no right button: held still on the table, it plays the card
    // its tap selected. With one click the tap has played it already.
    FArea->SetLongPress([this](int X, int Y) {
        if (CardPicker() == TCardPicker::LeftRight)
            FormMouseDown(Qt::RightButton, X, Y);
    });
    InstallTableAccess();
    FArea->setFixedSize(TableWidth, TableHeight);
    StatusBar = new QStatusBar(FArea);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);
    StatusBar->setAutoFillBackground(true);
    StatusBar->setGeometry(0, TableHeight - StatusHeight, TableWidth, StatusHeight);
    FStatusText = new QLabel(StatusBar);
    StatusBar->addWidget(FStatusText, 1);
    FLevelText = new QLabel(StatusBar);
    FLevelText->setObjectName(QStringLiteral("lblLevel"));
    StatusBar->addPermanentWidget(FLevelText);
}

void TfrmMain::CreateComponents()
{
    Languages = new TLanguage(QStringLiteral("Languages"), this);
    Languages->SetOnError([this](const QString& Message) { ShowMessageBox(this, Message); });
    FormPlacement = new TFormPlacement(this, QStringLiteral("frmMain"), TPlacementRole::MainWindow);
}

void TfrmMain::showEvent(QShowEvent* Event)
{
    TForm::showEvent(Event);
    if (FShown)
        return;
    FShown = true;
    // A missing felt leaves the table white, which looks like a fault with no cause.
    if (!QFileInfo(FeltPath()).isFile())
        std::fprintf(stderr, "zento: missing felt %s\n", qPrintable(QFileInfo(FeltPath()).absoluteFilePath()));
    FormShow();
}

void TfrmMain::changeEvent(QEvent* Event)
{
    TForm::changeEvent(Event);
    // However the table window goes down, by its strip, the window manager or
    // a task bar, the memory aid goes with it and comes back with it.
    if (Event->type() == QEvent::WindowStateChange && FMemory) {
        if (isMinimized() && FMemory->isVisible() && !FMemory->isMinimized())
            FMemory->showMinimized();
        else if (!isMinimized() && FMemory->isMinimized())
            FMemory->showNormal();
    }
    if (Event->type() == QEvent::ActivationChange && isActiveWindow()) {
        // Not every window manager keeps a window above the one it belongs to.
        if (FMemory && FMemory->isVisible())
            FMemory->raise();
        // Sway stacks its windows in the order they took the keyboard, and
        // raising asks it nothing: the aid is shown afresh, which puts it on
        // top; it then hands the keys it was given to the table, as at start.
        // Sway names its socket to every program it runs.
        static const bool OnSway = !qEnvironmentVariableIsEmpty("SWAYSOCK");
        if (OnSway && QGuiApplication::platformName().startsWith(QLatin1String("wayland")) && FMemory &&
            FMemory->isVisible() && !FMemory->isMinimized() && QApplication::activeModalWidget() == nullptr)
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (!isActiveWindow() || !FMemory->isVisible() || QApplication::activeModalWidget() != nullptr)
                        return;
                    FMemory->windowHandle()->hide();
                    FMemory->windowHandle()->show();
                },
                Qt::QueuedConnection);
        // The menu bar keeps the focus it took for Alt when the window went
        // inactive, without its keyboard mode: the game's keys would then go
        // nowhere. The table takes them back unless a menu item is chosen.
        if ((focusWidget() == nullptr || focusWidget() == MainMenu) && MainMenu->activeAction() == nullptr)
            FArea->setFocus(Qt::ActiveWindowFocusReason);
    }
}

void TfrmMain::closeEvent(QCloseEvent* Event)
{
    // Closed in the middle of a turn, the window would leave the game half
    // played; and a close that waited for the end-of-game message would be
    // lost, as a window under a message box takes no close.
    if (FInTurn) {
        FCloseAsked = true;
        Event->ignore();
        return;
    }
    TForm::closeEvent(Event);
    // A game kept by an earlier run and not continued stays for the next.
    if (Event->isAccepted() && GameInProgress(FGame))
        KeepGame();
}

// The pauses serve every event but the player's input and a close, which the
// window system keeps queued; what they do serve (a command asked over the
// accessibility bus, say), and the queue served before a message box, must
// not reach the game in the middle of a turn.
bool TfrmMain::WaitsForTurn(std::function<void()> Command)
{
    if (!FInTurn)
        return false;
    FAfterTurn.push_back(std::move(Command));
    return true;
}

void TfrmMain::RunTurn(const std::function<void()>& Step)
{
    FInTurn = true;
    Step();
    FInTurn = false;
    TellHeldNews(*this);
    if (FCloseAsked) {
        FCloseAsked = false;
        FAfterTurn.clear();
        close();
        return;
    }
    for (const std::function<void()>& Command : std::exchange(FAfterTurn, {}))
        Command();
}

void TfrmMain::FormMouseDown(Qt::MouseButton Button, int X, int Y)
{
    if (WaitsForTurn([this, Button, X, Y] { FormMouseDown(Button, X, Y); }))
        return;
    RunTurn([&] {
        if (Button == Qt::LeftButton && CardPicker() == TCardPicker::OneClick)
            PlayAt(FGame, *this, X, Y);
        else if (Button == Qt::LeftButton)
            SelectAt(FGame, *this, X, Y);
        else if (Button == Qt::RightButton)
            PlayTurn(FGame, *this);
    });
}

bool TfrmMain::FormKeyDown(int Key, Qt::KeyboardModifiers Modifiers)
{
    if (!IsPlayKey(Key, Modifiers))
        return false;
    if (!WaitsForTurn([this, Key, Modifiers] { FormKeyDown(Key, Modifiers); }))
        RunTurn([&] { PlayKey(FGame, *this, Key, Modifiers); });
    return true;
}

void TfrmMain::menuNewGameClick()
{
    if (!WaitsForTurn([this] { menuNewGameClick(); }))
        RunTurn([this] { StartPlay(StartGame); });
}

void TfrmMain::menuNewTourClick()
{
    if (WaitsForTurn([this] { menuNewTourClick(); }))
        return;
    if (!FSetScore || RunModal(FSetScore) != QDialog::Accepted)
        return;
    RunTurn([this] { StartPlay(StartTournament); });
}

void TfrmMain::menuMemoryClick()
{
    if (FMemory)
        FMemory->setVisible(!FMemory->isVisible());
    menuMemory->setChecked(FMemory ? FMemory->isVisible() : !menuMemory->isChecked());
    TellMemoryAid(*this, FMemory && FMemory->isVisible());
}

// Each item chooses the way it names, so a second click on the item ticked
// keeps it ticked.
void TfrmMain::menuLeftRightClick()
{
    ChooseCardPicker(TCardPicker::LeftRight);
    TellCardPicker(*this, false);
}

void TfrmMain::menuLeftClick()
{
    ChooseCardPicker(TCardPicker::OneClick);
    TellCardPicker(*this, true);
}

// The check marks are the one record of the way chosen.
TCardPicker TfrmMain::CardPicker() const
{
    return menuLeft->isChecked() ? TCardPicker::OneClick : TCardPicker::LeftRight;
}

void TfrmMain::ChooseCardPicker(TCardPicker Picker)
{
    menuLeftRight->setChecked(Picker == TCardPicker::LeftRight);
    menuLeft->setChecked(Picker == TCardPicker::OneClick);
}

void TfrmMain::menuGreekClick()
{
    SwitchLanguage(menuGreek, QStringLiteral("greek"));
}

void TfrmMain::menuEnglishClick()
{
    SwitchLanguage(menuEnglish, QStringLiteral("english"));
}

void TfrmMain::SwitchLanguage(TMenuItem* Chosen, const QString& Language)
{
    menuGreek->setChecked(Chosen == menuGreek);
    menuEnglish->setChecked(Chosen == menuEnglish);
    Languages->SetLanguageFile(LanguageFilePath(Language));
    Languages->Translate();
    UpdateCaption();
    TranslateLevelTexts();
    ShowLevel();
    TellLanguage(*this);
}

void TfrmMain::menuAboutClick()
{
    if (FAbout)
        RunModal(FAbout);
}

QString TfrmMain::LanguageFilePath(const QString& Language) const
{
    QString Folder = QCoreApplication::applicationDirPath();
    if (!Folder.endsWith(QLatin1Char('/')))
        Folder += QLatin1Char('/');
    return Folder + AsciiLowered(Language) + QStringLiteral(".lng");
}

// The translation pass sets the base text first; when a language file has
// none, the title already carries the suffix and must not get it twice.
void TfrmMain::UpdateCaption()
{
    const QString Suffix = QStringLiteral(", ") + VersionText + QLatin1Char(' ') + EditionText;
    const QString Caption = Gradient->FormCaption();
    if (!Caption.endsWith(Suffix))
        Gradient->SetFormCaption(Caption + Suffix);
}

QWidget* TfrmMain::TableArea() const
{
    return FArea;
}

QString TfrmMain::ScoreText() const
{
    QString Text = Languages->LookupMessage(QStringLiteral("You")) + QStringLiteral(": ") +
                   QString::number(PlayerPoints(FGame)) + QStringLiteral(", ") +
                   Languages->LookupMessage(QStringLiteral("CPU")) + QStringLiteral(": ") +
                   QString::number(CpuPoints(FGame));
    if (FGame.FTournament)
        Text = Languages->LookupMessage(QStringLiteral("Tournament")) + QStringLiteral(": ") + Text;
    return Text;
}

void TfrmMain::ShowScores()
{
    const QString Text = ScoreText();
    // Setting the same text still repaints, which wakes the loop again: compare first.
    if (FStatusText->text() == Text)
        return;
    FStatusText->setText(Text);
    // A screen reader's status-bar command may read the bar by its own name,
    // skipping the static text inside it (Orca 48 does).
    StatusBar->setAccessibleName(Text);
    qCDebug(lcStatus).noquote() << Text;
}
