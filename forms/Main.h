// The table window: the felt, the cards, the menus and the status line; it
// holds the game, turns clicks and commands into moves, and shows what the
// game says happened.
#pragma once
#include "forms/StatisticsFile.h"
#include "forms/TableAccess.h"
#include "lang/Lang.h"
#include "model/Game.h"
#include "model/KeptGame.h"
#include "platform/Canvas.h"
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/Gradient.h"

#include <QImage>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QMenu;
class QMenuBar;
class QStatusBar;
class TfrmAbout;
class TfrmMemory;
class TfrmSetScore;
class TfrmStatistics;
class TfrmHowToPlay;
class TFormPlacement;
class TPictureDialog;
class TTableArea;

// How a left click on a card of the player's hand acts: it selects the card
// (a right click then plays it), or plays it at once.
enum class TCardPicker { LeftRight, OneClick };

class TfrmMain : public TForm, private TTable, public TAccessibleTable
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
    TMenuItem* menuLevel;
    TMenuItem* menuEasy;
    TMenuItem* menuNormal;
    TMenuItem* menuHard;
    TMenuItem* menuFullScreen;
    QAction* menuSep;
    TMenuItem* menuAbout;
    TMenuItem* menuGame;
    TMenuItem* menuNewGame;
    TMenuItem* menuNewTour;
    TMenuItem* menuContinue;
    TMenuItem* menuHint;
    TMenuItem* menuStatistics;
    TMenuItem* menuHelp;
    TMenuItem* menuHowToPlay;
    QStatusBar* StatusBar;
    // Made on first use: a file dialog that once existed writes Qt's own
    // settings file when it goes.
    TPictureDialog* OpenPictureDialog();
    TGradient* Gradient;
    TLanguage* Languages;
    // The picture tiled under the cards; a bare name lies in the program's
    // folder. Never saved: every run starts with the felt that comes with it.
    QString BackgroundFile = QStringLiteral("tsoxa.bmp");

    void FormCreate();
    void FormShow();
    void FormPaint();
    void FormDestroy();
    void FormMouseDown(Qt::MouseButton Button, int X, int Y);
    // Keyboard play; answers whether the key was one of its keys.
    bool FormKeyDown(int Key, Qt::KeyboardModifiers Modifiers);

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
    void menuEasyClick();
    void menuNormalClick();
    void menuHardClick();
    void menuHintClick();
    void menuStatisticsClick();
    void menuContinueClick();
    void menuHowToPlayClick();

    // The player's statistics, made on first use: nothing of them costs at start.
    TStatisticsFile& Statistics();
    // Made on first use, as the picture dialog is.
    TfrmStatistics* StatisticsWindow() const { return FStatisticsWindow; }

    TCardPicker CardPicker() const;
    void ChooseCardPicker(TCardPicker Picker);

    // The level the next new game or tournament is played at; the game in
    // progress keeps the one it was dealt with.
    TLevel ChosenLevel() const { return FChosenLevel; }
    void ChooseLevel(TLevel Level);
    // The level in force: the game's once one is dealt, the chosen one before.
    TLevel LevelInForce() const;

    void LoadBackground(const QString& FileName);
    void DrawTable(TCanvas& Canvas);
    void PixelRatioChanged(double Ratio);
    void ShowScores();
    QString ScoreText() const override;
    QString LanguageFilePath(const QString& Language) const;
    void UpdateCaption();
    QString Hint() const { return FHint; }

    QRect PileArea() const override;
    TCanvas& WindowCanvas() { return FWindowCanvas; }
    QWidget* TableArea() const override;
    const TGame& Game() const override { return FGame; }
    const TLanguage& Language() const override { return *Languages; }
    bool InTurn() const override { return FInTurn; }

protected:
    void showEvent(QShowEvent* Event) override;
    // The memory aid comes back with the table window, and stays above it.
    void changeEvent(QEvent* Event) override;
    // A close asked while a turn runs is carried out when it is over.
    void closeEvent(QCloseEvent* Event) override;

private:
    void CreateMenu();
    QMenu* CreateSubmenu(TMenuItem* Owner);
    void CreateParametersMenu();
    void CreateLevelMenu();
    void CreateGameMenu();
    void CreateHelpMenu();
    void CreateTable();
    void CreateComponents();
    void ReleaseDialogs();
    void ConnectHandlers();
    void SwitchLanguage(TMenuItem* Chosen, const QString& Language);
    // A level chosen from the menu, which a screen reader is told of.
    void LevelClicked(TLevel Level);
    void TranslateLevelTexts();
    void ShowLevel();
    void StartPlay(void (*Start)(TGame&, TTable&));
    // What the game's end, or a game given up, adds to the statistics file;
    // the player hears once of a file that cannot be read or written.
    void CountEnd(const char* Key);
    void CountStatistics(const std::function<void(TStatistics&)>& Change);
    void TellStatisticsFaults();
    void ResetStatistics();
    // The game in progress kept after every turn and at exit, and laid out again.
    void KeepGame();
    void GameEnded();
    void OfferContinue(bool Kept);
    TKeptTable KeptTable() const;
    void ContinueGame();
    void LayKeptTable(const TKeptTable& Table);
    // A turn, or any step of the player's, runs to its end before anything
    // else reaches the game; what came meanwhile follows in order.
    void RunTurn(const std::function<void()>& Step);
    bool WaitsForTurn(std::function<void()> Command);
    void DrawFrame();
    QString FeltPath() const;
    void TileBackground(const QImage& Picture);
    void TileAndFrame(const QImage& Picture);
    void ShowWholeTable();
    int ClientWidth() const;
    int ClientHeight() const;

    // What the game says happened, drawn on the back buffer, the screen and the memory aid.
    void PileCardPos(TCard& Card) override;
    void PlayerCardPos(int32_t Slot, TCard& Card) override;
    void CpuCardPos(int32_t Slot, TCard& Card) override;
    void DealStarted() override;
    void StartingCardLaid(const TCard& Card) override;
    void StartingPileLaid() override;
    void ScoringStarted() override;
    void GameDealt() override;
    void HandsDealt() override;
    void HandCardChanged(const TCard& Card) override;
    void CardLeftHand(const TCard& Card, TSide From) override;
    void CardPlayed(const TCard& Card, TSide By) override;
    void Pause() override;
    void PileTaken() override;
    void PileCaptured(TSide By, TTake Take) override;
    void PileCleared() override;
    void TurnEnded() override;
    void Message(const char* Key) override;
    int32_t TargetScore() override;

    // Both hands on one canvas; the pile is drawn by its own rule.
    void DrawHands(TCanvas& Canvas);
    void EraseCard(const TCard& Card);

    TGame FGame{};
    TTableArea* FArea;
    TPictureDialog* FOpenPictureDialog = nullptr;
    QString FHint;
    QLabel* FStatusText;
    QLabel* FLevelText;
    TLevel FChosenLevel = TLevel::Normal;
    TfrmMemory* FMemory = nullptr;
    TfrmSetScore* FSetScore = nullptr;
    TfrmAbout* FAbout = nullptr;
    std::optional<TStatisticsFile> FStatisticsFile;
    TfrmStatistics* FStatisticsWindow = nullptr;
    TfrmHowToPlay* FHowToPlay = nullptr;
    bool FKeepFailureTold = false;
    bool FShown = false;
    bool FScoresInstalled = false;
    bool FInTurn = false;
    bool FCloseAsked = false;
    std::vector<std::function<void()>> FAfterTurn;

    QImage FBackground;
    QImage FBackBuffer;
    QImage FSurface;  // what the window shows
    QImage FFelt;     // the picture last tiled, for tiling again at another density
    TCanvas FBackgroundCanvas;
    TCanvas FBackBufferCanvas;
    TCanvas FWindowCanvas;
};
