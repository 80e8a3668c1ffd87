// The table window: the felt, the cards, the menus and the status line; it
// shows the game and turns clicks and commands into moves.
#pragma once
#include "lang/Lang.h"
#include "model/Game.h"
#include "platform/Canvas.h"
#include "platform/Controls.h"
#include "platform/Gradient.h"

#include <QImage>
#include <QString>

#include <functional>
#include <optional>

class QLabel;
class QMenu;
class QMenuBar;
class QStatusBar;
class TfrmAbout;
class TfrmMemory;
class TfrmSetScore;
class TFormPlacement;
class TPictureDialog;
class TTableArea;

// The picture tiled under the cards; a bare name lies in the program's folder.
extern QString BackgroundFile;

// Waits without serving any event. Tests may shorten every pause of the
// program; the program itself always waits the time asked.
void Delay(uint16_t Seconds, uint16_t Milliseconds);
void SetDelayOverride(std::optional<int> Milliseconds);
// Tells a watcher the length of every pause asked for, before it is waited.
void SetDelayWatcher(std::function<void(int Milliseconds)> Watcher);

class TfrmMain : public TForm, private TGame, private TTable
{
    Q_OBJECT
    // Kept with the window but never shown: pop-up hints are off.
    Q_PROPERTY(QString Hint READ Hint)
public:
    explicit TfrmMain(QWidget* Parent = nullptr);
    ~TfrmMain() override;

    // The companion windows, created after this one.
    void Attach(TfrmMemory* Memory, TfrmSetScore* SetScore, TfrmAbout* About);

    QMenuBar* MainMenu;
    TMenuItem* menuParameters;
    TMenuItem* menuMemory;
    TMenuItem* menuBackground;
    TMenuItem* menuCardPicker;
    TMenuItem* menuLeftRight;
    TMenuItem* menuLeft;
    TMenuItem* menuLanguage;
    TMenuItem* menuGreek;
    TMenuItem* menuEnglish;
    TMenuItem* menuFullScreen;
    QAction* menuSep;
    TMenuItem* menuAbout;
    TMenuItem* menuGame;
    TMenuItem* menuNewGame;
    TMenuItem* menuNewTour;
    QStatusBar* StatusBar;
    // Made on first use: a file dialog that once existed writes Qt's own
    // settings file when it goes.
    TPictureDialog* OpenPictureDialog();
    TGradient* Gradient;
    TLanguage* Languages;
    TFormPlacement* FormPlacement;

    void FormCreate();
    void FormShow();
    void FormPaint();
    void FormDestroy();
    void FormMouseDown(Qt::MouseButton Button, int X, int Y);

    void menuNewGameClick();
    void menuNewTourClick();
    void menuMemoryClick();
    void menuBackgroundClick();
    void menuFullScreenClick();
    void menuLeftRightClick();
    void menuLeftClick();
    void menuGreekClick();
    void menuEnglishClick();
    void menuAboutClick();

    void LoadBackground(const QString& FileName);
    void DrawTable(TCanvas& Canvas);
    void ShowScores();
    QString LanguageFilePath(const QString& Language) const;
    void UpdateCaption();
    QString Hint() const { return FHint; }

    QRect PileArea() const;
    TCanvas& WindowCanvas() { return FWindowCanvas; }
    QString StatusText() const;
    const TGame& Game() const { return *this; }
    TGame& GameForTests() { return *this; }
    const QImage& Background() const { return FBackground; }
    const QImage& BackBuffer() const { return FBackBuffer; }
    const QImage& Surface() const { return FSurface; }

protected:
    void showEvent(QShowEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;

private:
    void CreateMenu();
    void CreateTable();
    void CreateComponents();
    void ConnectHandlers();
    void DrawFrame();
    void TileBackground(const QImage& Picture);
    int ClientWidth() const;
    int ClientHeight() const;

    // What the game asks of the table.
    void PileCardPos(TCard& Card) override;
    void PlayerCardPos(int32_t Slot, TCard& Card) override;
    void CpuCardPos(int32_t Slot, TCard& Card) override;
    void ShowCard(const TCard& Card) override;
    void ShowPileTop() override;
    void DrawHandsOnBackBuffer() override;
    void DrawHandsOnScreen() override;
    void EraseCard(const TCard& Card) override;
    void ErasePile() override;
    void ComposeTable() override;
    void ShowNewTable() override;
    void ResetMemory() override;
    void MarkPlayed(const TCard& Card) override;
    void RefreshMemory() override;
    void Pause() override;
    void ShowMessage(const char* Key) override;
    int32_t TargetScore() override;
    void ShowScoresWhenIdle() override;

    TTableArea* FArea;
    TPictureDialog* FOpenPictureDialog = nullptr;
    QString FHint;
    QLabel* FStatusText;
    TfrmMemory* FMemory = nullptr;
    TfrmSetScore* FSetScore = nullptr;
    TfrmAbout* FAbout = nullptr;
    bool FShown = false;
    bool FScoresInstalled = false;

    QImage FBackground;
    QImage FBackBuffer;
    QImage FSurface;  // what the window shows
    TCanvas FBackgroundCanvas;
    TCanvas FBackBufferCanvas;
    TCanvas FWindowCanvas;
};
