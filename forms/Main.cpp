#include "forms/Main.h"

#include "forms/About.h"
#include "forms/Memory.h"
#include "forms/SetScore.h"
#include "model/Layout.h"
#include "platform/DrawGrid.h"
#include "platform/PictureDialog.h"
#include "platform/Placement.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLoggingCategory>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QStatusBar>
#include <QVBoxLayout>

#include <chrono>
#include <cstdio>
#include <thread>

QString BackgroundFile = QStringLiteral("tsoxa.bmp");

// Every new status text, for those who watch a game from outside
// (QT_LOGGING_RULES="zento.status.debug=true").
Q_LOGGING_CATEGORY(lcStatus, "zento.status", QtWarningMsg)

namespace {

std::optional<int> DelayOverride;
std::function<void(int)> DelayWatcher;

constexpr QPoint DesignPosition(268, 153);
const QString VersionText = QStringLiteral("ver 1.8.3, 1/Nov/1998");
const QString EditionText = QStringLiteral(" special edition");

} // namespace

// The client area of the table window: shows the window's surface and reports
// mouse presses. Paint requests that come from the system bring the composed
// table back first; those the program makes while drawing show the surface as it is.
class TTableArea : public QWidget
{
public:
    TTableArea(TfrmMain* Form, const QImage* Surface) : QWidget(Form), FForm(Form), FSurface(Surface)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    void ShowNow(const QRect& Rect)
    {
        FDrawing = true;
        repaint(Rect);
        FDrawing = false;
    }

protected:
    void paintEvent(QPaintEvent* Event) override
    {
        if (!FDrawing)
            FForm->FormPaint();
        QPainter Painter(this);
        Painter.drawImage(Event->rect(), *FSurface, Event->rect());
    }
    void mousePressEvent(QMouseEvent* Event) override
    {
        const QPoint Point = Event->position().toPoint();
        // The status line takes no clicks, but Qt hands them on to the table below it.
        if (childAt(Point))
            return;
        FForm->FormMouseDown(Event->button(), Point.x(), Point.y());
    }

private:
    TfrmMain* FForm;
    const QImage* FSurface;
    bool FDrawing = false;
};

void Delay(uint16_t Seconds, uint16_t Milliseconds)
{
    using namespace std::chrono;
    if (DelayWatcher)
        DelayWatcher(int(duration_cast<milliseconds>(seconds(Seconds) + milliseconds(Milliseconds)).count()));
    const milliseconds Interval =
        DelayOverride ? milliseconds(*DelayOverride) : seconds(Seconds) + milliseconds(Milliseconds);
    // A wall clock can jump back, and the pause would then never end.
    const auto Deadline = steady_clock::now() + Interval;
    while (steady_clock::now() < Deadline)
        std::this_thread::sleep_for(std::min<steady_clock::duration>(milliseconds(5), Deadline - steady_clock::now()));
}

void SetDelayOverride(std::optional<int> Milliseconds)
{
    DelayOverride = Milliseconds;
}

void SetDelayWatcher(std::function<void(int Milliseconds)> Watcher)
{
    DelayWatcher = std::move(Watcher);
}

// The window draws its own title strip, so the window system gives it no frame.
TfrmMain::TfrmMain(QWidget* Parent)
    : TForm(QStringLiteral("frmMain"), Parent, Qt::Window | Qt::FramelessWindowHint), TGame{},
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
}

TfrmMain::~TfrmMain()
{
    if (FScoresInstalled)
        disconnect(QAbstractEventDispatcher::instance(), nullptr, this, nullptr);
    FormPlacement->SaveOnDestroy();
    FormDestroy();
}

void TfrmMain::Attach(TfrmMemory* Memory, TfrmSetScore* SetScore, TfrmAbout* About)
{
    FMemory = Memory;
    FSetScore = SetScore;
    FAbout = About;
}

// The playing area with the status line along its bottom.
void TfrmMain::CreateTable()
{
    FArea = new TTableArea(this, &FSurface);
    FArea->setFixedSize(TableWidth, TableHeight);
    StatusBar = new QStatusBar(FArea);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);
    StatusBar->setAutoFillBackground(true);
    StatusBar->setGeometry(0, TableHeight - StatusHeight, TableWidth, StatusHeight);
    FStatusText = new QLabel(StatusBar);
    StatusBar->addWidget(FStatusText, 1);
}

void TfrmMain::CreateComponents()
{
    Languages = new TLanguage(QStringLiteral("Languages"), this);
    Languages->SetOnError([this](const QString& Message) { ShowMessageBox(this, Message); });
    FormPlacement = new TFormPlacement(this, QStringLiteral("frmMain"), TPlacementRole::MainWindow);
}

void TfrmMain::CreateMenu()
{
    MainMenu = new QMenuBar(this);
    MainMenu->setObjectName(QStringLiteral("MainMenu"));
    MainMenu->setNativeMenuBar(false);
    auto Item = [this](const char* Name, const QString& Caption) {
        return new TMenuItem(QString::fromLatin1(Name), Caption, this);
    };
    auto Submenu = [this](TMenuItem* Owner) {
        auto* Menu = new QMenu(this);
        Owner->setMenu(Menu);
        return Menu;
    };
    auto Checked = [](TMenuItem* Menu, bool On) {
        Menu->setCheckable(true);
        Menu->setChecked(On);
        return Menu;
    };
    menuParameters = Item("menuParameters", QStringLiteral("Παράμετροι"));
    QMenu* Parameters = Submenu(menuParameters);
    menuMemory = Checked(Item("menuMemory", QStringLiteral("Μνήμη")), true);
    menuMemory->setShortcut(Qt::Key_F10);
    menuBackground = Item("menuBackground", QStringLiteral("Τσόχα..."));
    menuCardPicker = Item("menuCardPicker", QStringLiteral("Επιλογή χαρτιού"));
    menuCardPicker->setEnabled(false);
    QMenu* CardPicker = Submenu(menuCardPicker);
    menuLeftRight = Checked(Item("menuLeftRight", QStringLiteral("Με αριστερό-δεξί click")), true);
    menuLeft = Checked(Item("menuLeft", QStringLiteral("Με ένα click")), false);
    CardPicker->addActions({menuLeftRight, menuLeft});
    menuLanguage = Item("menuLanguage", QStringLiteral("Γλώσσα"));
    QMenu* Language = Submenu(menuLanguage);
    menuGreek = Checked(Item("menuGreek", QStringLiteral("Ελληνικά")), true);
    menuEnglish = Checked(Item("menuEnglish", QStringLiteral("Αγγλικά")), false);
    Language->addActions({menuGreek, menuEnglish});
    menuFullScreen = Checked(Item("menuFullScreen", QStringLiteral("Πλήρης οθόνη")), false);
    menuFullScreen->setEnabled(false);
    menuSep = new QAction(this);
    menuSep->setObjectName(QStringLiteral("menuSep"));
    menuSep->setSeparator(true);
    menuAbout = Item("menuAbout", QStringLiteral("Κωδονοκρουσίες"));
    menuAbout->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F1));
    Parameters->addActions(
        {menuMemory, menuBackground, menuCardPicker, menuLanguage, menuFullScreen, menuSep, menuAbout});
    menuGame = Item("menuGame", QStringLiteral("Παιχνίδι"));
    QMenu* GameMenu = Submenu(menuGame);
    menuNewGame = Item("menuNewGame", QStringLiteral("Νέα Παρτίδα"));
    menuNewGame->setShortcut(Qt::Key_F2);
    menuNewTour = Item("menuNewTour", QStringLiteral("Νέο Τουρνουά"));
    menuNewTour->setShortcut(Qt::Key_F3);
    GameMenu->addActions({menuNewGame, menuNewTour});
    MainMenu->addActions({menuParameters, menuGame});
    // Shortcuts work while the menus are closed only if the window holds the items.
    addActions({menuMemory, menuBackground, menuAbout, menuNewGame, menuNewTour});
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
}

int TfrmMain::ClientWidth() const
{
    return FArea->width();
}

int TfrmMain::ClientHeight() const
{
    return FArea->height();
}

void TfrmMain::FormCreate()
{
    FBackBuffer = QImage(ClientWidth(), ClientHeight(), QImage::Format_RGB32);
    FBackBuffer.fill(Qt::white);
    FBackground = QImage(ClientWidth(), ClientHeight(), QImage::Format_RGB32);
    FBackground.fill(Qt::white);
    FSurface = FBackBuffer.copy();
}

void TfrmMain::FormDestroy()
{
    FreeCards(*this);
    FBackBuffer = QImage();
    FBackground = QImage();
}

void TfrmMain::showEvent(QShowEvent* Event)
{
    TForm::showEvent(Event);
    if (FShown)
        return;
    FShown = true;
    // A missing felt leaves the table white, which looks like a fault with no cause.
    const QString Felt = QCoreApplication::applicationDirPath() + QLatin1Char('/') + BackgroundFile;
    if (!QFileInfo(Felt).isFile())
        std::fprintf(stderr, "zento: missing felt %s\n", qPrintable(QFileInfo(Felt).absoluteFilePath()));
    FormShow();
}

void TfrmMain::closeEvent(QCloseEvent* Event)
{
    TForm::closeEvent(Event);
    if (Event->isAccepted())
        FormPlacement->Save(TFormPlacement::srClose);
}

void TfrmMain::FormShow()
{
    LoadBackground(QCoreApplication::applicationDirPath() + QLatin1Char('/') + BackgroundFile);
    DrawTable(FBackBufferCanvas);
    DrawTable(FWindowCanvas);
}

void TfrmMain::FormPaint()
{
    if (FSurface.size() != FBackBuffer.size())
        FSurface = QImage(FBackBuffer.size(), QImage::Format_RGB32);
    TCanvas Surface(FSurface);
    Surface.BitBlt(0, 0, FBackBuffer.width(), FBackBuffer.height(), FBackBuffer, 0, 0, TRasterOp::Copy);
}

void TfrmMain::DrawTable(TCanvas& Canvas)
{
    Canvas.BitBlt(0, 0, FBackBuffer.width(), FBackBuffer.height(), FBackground, 0, 0, TRasterOp::Copy);
    DrawHand(FPlayerHand, Canvas);
    DrawHand(FCpuHand, Canvas);
    DrawStack(FPile, Canvas);
}

void TfrmMain::FormMouseDown(Qt::MouseButton Button, int X, int Y)
{
    if (Button == Qt::LeftButton)
        SelectAt(*this, *this, X, Y);
    else if (Button == Qt::RightButton)
        PlayTurn(*this, *this);
}

void TfrmMain::DrawFrame()
{
    FBackgroundCanvas.FrameRect(QRect(0, 0, FBackground.width(), FBackground.height() - StatusHeight), Qt::white);
}

void TfrmMain::TileBackground(const QImage& Picture)
{
    // A picture with no area has nothing to tile, and dividing by its size would fail.
    if (Picture.width() <= 0 || Picture.height() <= 0)
        return;
    const int Rows = FBackground.height() / Picture.height() + 1;
    const int Columns = FBackground.width() / Picture.width() + 1;
    for (int R = 1; R <= Rows; ++R)
        for (int C = 1; C <= Columns; ++C)
            FBackgroundCanvas.Draw((C - 1) * Picture.width(), (R - 1) * Picture.height(), Picture);
}

void TfrmMain::LoadBackground(const QString& FileName)
{
    if (QFileInfo(FileName).isFile()) {
        // Clicks and keys stay queued: a turn may be under way.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        const QImage Picture = LoadPicture(FileName);
        if (Picture.isNull())
            ShowMessageBox(this, QStringLiteral("Bitmap image is not valid"));
        else
            TileBackground(Picture);
    }
    DrawFrame();
}

void TfrmMain::menuNewGameClick()
{
    StartGame(*this, *this);
}

void TfrmMain::menuNewTourClick()
{
    if (!FSetScore || FSetScore->exec() != QDialog::Accepted)
        return;
    StartTournament(*this, *this);
}

void TfrmMain::menuMemoryClick()
{
    if (FMemory)
        FMemory->setVisible(!FMemory->isVisible());
    menuMemory->setChecked(!menuMemory->isChecked());
}

TPictureDialog* TfrmMain::OpenPictureDialog()
{
    if (!FOpenPictureDialog)
        FOpenPictureDialog = new TPictureDialog(QStringLiteral("OpenPictureDialog"), QStringLiteral("Background"),
                                                QStringLiteral("Bitmaps (*.bmp)"), this);
    return FOpenPictureDialog;
}

void TfrmMain::menuBackgroundClick()
{
    TPictureDialog* Dialog = OpenPictureDialog();
    if (Dialog->exec() != QDialog::Accepted || Dialog->selectedFiles().isEmpty())
        return;
    const QString FileName = QFileInfo(Dialog->selectedFiles().constFirst()).absoluteFilePath();
    // A picture that cannot be read changes nothing: the felt and the stored name stay.
    const QImage Picture = LoadPicture(FileName);
    if (Picture.isNull()) {
        ShowMessageBox(this, QStringLiteral("Bitmap image is not valid"));
        return;
    }
    LoadBackground(FileName);
    BackgroundFile = FileName;
    DrawTable(FBackBufferCanvas);
    FormPaint();
    FArea->ShowNow(FArea->rect());
}

void TfrmMain::menuFullScreenClick()
{
    const bool ToFull = !menuFullScreen->isChecked();
    menuFullScreen->setChecked(ToFull);
    if (ToFull) {
        FArea->setMinimumSize(0, 0);
        FArea->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        showMaximized();
    } else {
        showNormal();
        FArea->setFixedSize(TableWidth, TableHeight);
        layout()->setSizeConstraint(QLayout::SetFixedSize);
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const QSize Size = FArea->size();
    StatusBar->setGeometry(0, Size.height() - StatusHeight, Size.width(), StatusHeight);
    // Each surface keeps its old picture in the top-left corner; new area is white.
    for (QImage* Image : {&FBackBuffer, &FBackground, &FSurface}) {
        QImage Resized(Size, QImage::Format_RGB32);
        Resized.fill(Qt::white);
        TCanvas(Resized).BitBlt(0, 0, Image->width(), Image->height(), *Image, 0, 0, TRasterOp::Copy);
        *Image = Resized;
    }
    LoadBackground(BackgroundFile);
    DrawFrame();
    FormShow();
}

void TfrmMain::menuLeftRightClick()
{
    menuLeftRight->setChecked(!menuLeftRight->isChecked());
    menuLeft->setChecked(!menuLeft->isChecked());
}

void TfrmMain::menuLeftClick()
{
    menuLeftRightClick();
}

void TfrmMain::menuGreekClick()
{
    menuGreek->setChecked(true);
    menuEnglish->setChecked(false);
    Languages->SetLanguageFile(LanguageFilePath(QStringLiteral("greek")));
    Languages->Translate();
    UpdateCaption();
}

void TfrmMain::menuEnglishClick()
{
    menuGreek->setChecked(false);
    menuEnglish->setChecked(true);
    Languages->SetLanguageFile(LanguageFilePath(QStringLiteral("english")));
    Languages->Translate();
    UpdateCaption();
}

void TfrmMain::menuAboutClick()
{
    if (FAbout)
        FAbout->exec();
}

QString TfrmMain::LanguageFilePath(const QString& Language) const
{
    QString Folder = QCoreApplication::applicationDirPath();
    if (!Folder.endsWith(QLatin1Char('/')))
        Folder += QLatin1Char('/');
    QString Word = Language;
    for (QChar& C : Word)
        if (C >= QLatin1Char('A') && C <= QLatin1Char('Z'))
            C = QChar(C.unicode() + ('a' - 'A'));
    return Folder + Word + QStringLiteral(".lng");
}

void TfrmMain::UpdateCaption()
{
    Gradient->SetFormCaption(Gradient->FormCaption() + QStringLiteral(", ") + VersionText + EditionText);
}

QString TfrmMain::StatusText() const
{
    return FStatusText->text();
}

void TfrmMain::ShowScores()
{
    QString Text = Languages->LookupMessage(QStringLiteral("You")) + QStringLiteral(": ") +
                   QString::number(PlayerPoints(*this)) + QStringLiteral(", ") +
                   Languages->LookupMessage(QStringLiteral("CPU")) + QStringLiteral(": ") +
                   QString::number(CpuPoints(*this));
    if (FTournament)
        Text = Languages->LookupMessage(QStringLiteral("Tournament")) + QStringLiteral(": ") + Text;
    // Setting the same text still repaints, which wakes the loop again: compare first.
    if (FStatusText->text() == Text)
        return;
    FStatusText->setText(Text);
    qCDebug(lcStatus).noquote() << Text;
}

QRect TfrmMain::PileArea() const
{
    return PileRect(ClientWidth(), ClientHeight());
}

void TfrmMain::PileCardPos(TCard& Card)
{
    PilePos(ClientWidth(), ClientHeight(), Card);
}

void TfrmMain::PlayerCardPos(int32_t Slot, TCard& Card)
{
    PlayerSlotPos(Slot, ClientHeight(), Card);
}

void TfrmMain::CpuCardPos(int32_t Slot, TCard& Card)
{
    CpuSlotPos(Slot, Card);
}

void TfrmMain::ShowCard(const TCard& Card)
{
    DrawCard(Card, FBackBufferCanvas);
    DrawCard(Card, FWindowCanvas);
}

void TfrmMain::ShowPileTop()
{
    DrawStackTop(FPile, FBackBufferCanvas);
    DrawStackTop(FPile, FWindowCanvas);
}

void TfrmMain::DrawHandsOnBackBuffer()
{
    DrawHand(FPlayerHand, FBackBufferCanvas);
    DrawHand(FCpuHand, FBackBufferCanvas);
}

void TfrmMain::DrawHandsOnScreen()
{
    DrawHand(FPlayerHand, FWindowCanvas);
    DrawHand(FCpuHand, FWindowCanvas);
}

void TfrmMain::EraseCard(const TCard& Card)
{
    FWindowCanvas.BitBlt(Card.X, Card.Y, CardWidth, CardHeight, FBackground, Card.X, Card.Y, TRasterOp::Copy);
}

void TfrmMain::ErasePile()
{
    FWindowCanvas.CopyRect(PileArea(), FBackgroundCanvas);
}

void TfrmMain::ComposeTable()
{
    DrawTable(FBackBufferCanvas);
}

void TfrmMain::ShowNewTable()
{
    FormShow();
}

void TfrmMain::ResetMemory()
{
    if (FMemory)
        FMemory->ResetMemory();
}

void TfrmMain::MarkPlayed(const TCard& Card)
{
    if (FMemory)
        FMemory->MarkPlayed(Card);
}

void TfrmMain::RefreshMemory()
{
    if (FMemory)
        FMemory->grdMemory->Repaint();
}

void TfrmMain::Pause()
{
    Delay(0, 500);
}

void TfrmMain::ShowMessage(const char* Key)
{
    ShowMessageBox(this, Languages->LookupMessage(QString::fromLatin1(Key)));
}

int32_t TfrmMain::TargetScore()
{
    return FSetScore ? FSetScore->Score() : 151;
}

void TfrmMain::ShowScoresWhenIdle()
{
    if (FScoresInstalled)
        return;
    FScoresInstalled = true;
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &TfrmMain::ShowScores);
}
