// The table window's drawing: the felt, the composed table on the back buffer,
// the window's surface, and how each event of the game shows on them.
#include "forms/Main.h"

#include "forms/Memory.h"
#include "forms/MemoryAccess.h"
#include "forms/SetScore.h"
#include "forms/TableAccess.h"
#include "forms/TableNews.h"
#include "forms/TableArea.h"
#include "model/Layout.h"
#include "platform/Bitmap.h"
#include "platform/Delay.h"
#include "platform/DialogForm.h"
#include "platform/DrawGrid.h"
#include "platform/MessageBox.h"
#include "platform/ModalRun.h"
#include "platform/PictureDialog.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLayout>
#include <QStatusBar>

namespace {

const QString BadBitmapText = QStringLiteral("Bitmap image is not valid");

} // namespace

int TfrmMain::ClientWidth() const
{
    return FArea->width();
}

int TfrmMain::ClientHeight() const
{
    return FArea->height();
}

// The bitmaps hold the screen's own pixels; everything drawn on them is placed in design units.
void TfrmMain::FormCreate()
{
    const double Ratio = FArea->devicePixelRatioF();
    FBackBuffer = CreateSurface(QSize(ClientWidth(), ClientHeight()), Ratio);
    FBackground = CreateSurface(QSize(ClientWidth(), ClientHeight()), Ratio);
    FSurface = FBackBuffer.copy();
}

// On a screen of another density (the window moved, or the screen changed)
// the felt is tiled again and the table recomposed at the new resolution;
// the cards keep their places.
void TfrmMain::PixelRatioChanged(double Ratio)
{
    if (qFuzzyCompare(Ratio, FBackBuffer.devicePixelRatio()))
        return;
    const QSize Size(FBackgroundCanvas.Width(), FBackgroundCanvas.Height());
    FBackground = CreateSurface(Size, Ratio);
    TileAndFrame(FFelt);
    FBackBuffer = CreateSurface(Size, Ratio);
    DrawTable(FBackBufferCanvas);
    FormPaint();
}

void TfrmMain::FormDestroy()
{
    FreeCards(FGame);
    FBackBuffer = QImage();
    FBackground = QImage();
}

// A bare name lies in the program's folder; a chosen picture's full path
// names no file there, so the chosen felt stays.
QString TfrmMain::FeltPath() const
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + BackgroundFile;
}

void TfrmMain::FormShow()
{
    LoadBackground(FeltPath());
    DrawTable(FBackBufferCanvas);
    DrawTable(FWindowCanvas);
}

void TfrmMain::FormPaint()
{
    if (FSurface.size() != FBackBuffer.size() || FSurface.devicePixelRatio() != FBackBuffer.devicePixelRatio()) {
        FSurface = QImage(FBackBuffer.size(), QImage::Format_RGB32);
        FSurface.setDevicePixelRatio(FBackBuffer.devicePixelRatio());
    }
    TCanvas Surface(FSurface);
    Surface.BitBltDevice(0, 0, FBackBuffer.width(), FBackBuffer.height(), FBackBuffer, 0, 0, TRasterOp::Copy);
}

void TfrmMain::DrawTable(TCanvas& Canvas)
{
    Canvas.BitBlt(0, 0, FBackBufferCanvas.Width(), FBackBufferCanvas.Height(), FBackground, 0, 0, TRasterOp::Copy);
    DrawHands(Canvas);
    DrawStack(FGame.FPile, Canvas);
}

void TfrmMain::DrawHands(TCanvas& Canvas)
{
    DrawHand(FGame.FPlayerHand, Canvas);
    DrawHand(FGame.FCpuHand, Canvas);
}

void TfrmMain::DrawFrame()
{
    FBackgroundCanvas.FrameRect(QRect(0, 0, FBackgroundCanvas.Width(), FBackgroundCanvas.Height() - StatusHeight),
                                Qt::white);
}

void TfrmMain::TileBackground(const QImage& Picture)
{
    // A picture with no area has nothing to tile, and dividing by its size would fail.
    if (Picture.width() <= 0 || Picture.height() <= 0)
        return;
    const int Rows = FBackgroundCanvas.Height() / Picture.height() + 1;
    const int Columns = FBackgroundCanvas.Width() / Picture.width() + 1;
    // Scaled once for the screen, not once a tile.
    const QImage Tile = PictureAtRatio(Picture, FBackground.devicePixelRatio());
    for (int R = 1; R <= Rows; ++R)
        for (int C = 1; C <= Columns; ++C)
            FBackgroundCanvas.Draw((C - 1) * Picture.width(), (R - 1) * Picture.height(), Tile);
}

// A damaged picture tiles nothing: the felt keeps what it holds, and play goes on.
void TfrmMain::TileAndFrame(const QImage& Picture)
{
    if (!Picture.isNull())
        FFelt = Picture;
    TileBackground(Picture);
    DrawFrame();
}

void TfrmMain::LoadBackground(const QString& FileName)
{
    QImage Picture;
    if (QFileInfo(FileName).isFile()) {
        // Clicks and keys stay queued: a turn may be under way.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        Picture = LoadPicture(FileName);
        if (Picture.isNull())
            ShowMessageBox(this, BadBitmapText);
    }
    TileAndFrame(Picture);
}

TPictureDialog* TfrmMain::OpenPictureDialog()
{
    if (FOpenPictureDialog)
        return FOpenPictureDialog;
    FOpenPictureDialog = new TPictureDialog(QStringLiteral("OpenPictureDialog"), QStringLiteral("Background"),
                                            QStringLiteral("Bitmaps (*.bmp)"), this);
    // As every dialog of the program: its own title strip, and no minimise or
    // maximise from the window system.
    if (WindowSystemFrames()) {
        GiveTitleStrip(FOpenPictureDialog);
        KeepNormalState(FOpenPictureDialog);
    }
    return FOpenPictureDialog;
}

void TfrmMain::menuBackgroundClick()
{
    if (WaitsForTurn([this] { menuBackgroundClick(); }))
        return;
    TPictureDialog* Dialog = OpenPictureDialog();
    if (RunModal(Dialog) != QDialog::Accepted || Dialog->selectedFiles().isEmpty())
        return;
    const QString FileName = QFileInfo(Dialog->selectedFiles().constFirst()).absoluteFilePath();
    // A picture that cannot be read changes nothing: the felt and the stored name stay.
    const QImage Picture = LoadPicture(FileName);
    if (Picture.isNull()) {
        ShowMessageBox(this, BadBitmapText);
        return;
    }
    TileAndFrame(Picture);
    BackgroundFile = FileName;
    DrawTable(FBackBufferCanvas);
    ShowWholeTable();
}

void TfrmMain::ShowWholeTable()
{
    FormPaint();
    FArea->ShowNow(FArea->rect());
}

void TfrmMain::menuFullScreenClick()
{
    if (WaitsForTurn([this] { menuFullScreenClick(); }))
        return;
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
        QImage Resized = CreateSurface(Size, Image->devicePixelRatio());
        TCanvas(Resized).BitBltDevice(0, 0, Image->width(), Image->height(), *Image, 0, 0, TRasterOp::Copy);
        *Image = Resized;
    }
    LoadBackground(BackgroundFile);
    DrawFrame();
    FormShow();
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

void TfrmMain::DealStarted()
{
    if (FMemory)
        FMemory->ResetMemory();
}

// The starting pile is drawn with the whole new table, after it is laid.
void TfrmMain::StartingCardLaid(const TCard& Card)
{
    if (FMemory)
        FMemory->MarkPlayed(Card);
}

void TfrmMain::StartingPileLaid()
{
    if (FMemory) {
        FMemory->grdMemory->Repaint();
        TellMarked(*FMemory, nullptr);
    }
}

// From the first deal on, the status line follows the points at every idle moment.
void TfrmMain::ScoringStarted()
{
    if (FScoresInstalled)
        return;
    FScoresInstalled = true;
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &TfrmMain::ShowScores);
}

void TfrmMain::GameDealt()
{
    FormShow();
    TellDeal(*this);
}

// A later round's cards go onto the composed table first, then on the screen.
void TfrmMain::HandsDealt()
{
    DrawHands(FBackBufferCanvas);
    DrawHands(FWindowCanvas);
    TellDeal(*this);
}

void TfrmMain::HandCardChanged(const TCard& Card)
{
    DrawCard(Card, FBackBufferCanvas);
    DrawCard(Card, FWindowCanvas);
    TellSelection(*this, Card);
}

void TfrmMain::CardLeftHand(const TCard& Card, TSide From)
{
    EraseCard(Card);
    if (From == TSide::Player)
        TellCardLeftHand(*this, Card);
}

// Only the screen loses the card: the back buffer is recomposed at the end of the turn.
void TfrmMain::EraseCard(const TCard& Card)
{
    FWindowCanvas.BitBlt(Card.X, Card.Y, CardWidth, CardHeight, FBackground, Card.X, Card.Y, TRasterOp::Copy);
}

void TfrmMain::CardPlayed(const TCard& Card, TSide By)
{
    if (FMemory) {
        FMemory->MarkPlayed(Card);
        FMemory->grdMemory->Repaint();
        TellMarked(*FMemory, &Card);
    }
    DrawStackTop(FGame.FPile, FBackBufferCanvas);
    DrawStackTop(FGame.FPile, FWindowCanvas);
    TellCardPlayed(*this, Card, By);
}

void TfrmMain::Pause()
{
    Delay(0, PlayedCardPauseMs);
}

void TfrmMain::PileTaken()
{
    DrawTable(FBackBufferCanvas);
}

void TfrmMain::PileCaptured(TSide By, TTake Take)
{
    TellPileCaptured(*this, By, Take);
}

// The felt shows through where the pile lay, on the screen only.
void TfrmMain::PileCleared()
{
    FWindowCanvas.CopyRect(PileArea(), FBackgroundCanvas);
}

void TfrmMain::TurnEnded()
{
    DrawTable(FBackBufferCanvas);
    KeepGame();
}

void TfrmMain::Message(const char* Key)
{
    CountEnd(Key);
    TellGameOver(*this, Key);
    TellHeldNews(*this);
    // The window system keeps what came during the turn's pauses (the
    // player's input, and a close too) until the loop serves it; the message
    // box's loop would serve it to a window the box blocks, and a close would
    // be lost. Served now, the table keeps each request for the turn's end.
    QCoreApplication::processEvents();
    ShowMessageBox(this, Languages->LookupMessage(QString::fromLatin1(Key)));
}

int32_t TfrmMain::TargetScore()
{
    return FSetScore ? FSetScore->Score() : DefaultTargetScore;
}
