// The statistics window: the player's record at each level, in the language in
// use, as a table a screen reader reads cell by cell with its headers.
#pragma once
#include "model/Statistics.h"
#include "platform/Controls.h"
#include "platform/DialogForm.h"

#include <QStringList>

#include <functional>

class QTableWidget;
class TLanguage;

// The window's texts, each a message key that is also its English text.
inline constexpr const char* StatisticsKey = "Statistics";
inline constexpr const char* StatisticsRowKeys[] = {
    "games played",         "won",           "lost",          "drawn",
    "given up",             "points taken",  "points given",  "10-point marks made",
    "10-point marks suffered", "longest winning streak", "current winning streak", "tournaments played",
    "tournaments won",      "highest target won"};
inline constexpr const char* ResetKey = "&Reset";
inline constexpr const char* CloseKey = "&Close";
inline constexpr const char* ResetQuestionKey = "Forget the statistics of every level?";
inline constexpr const char* StatisticsUnsavedKey = "Unable to save the statistics in %1";
inline constexpr const char* StatisticsSetAsideKey = "The statistics file could not be read; it was set aside as %1";
// The keys above, for the language files.
QStringList StatisticsKeys();

// A figure as shown: a total of points with its average a game ("120, 12.0 a
// game" in English), any other count as it is.
QStringList StatisticsColumn(const TLevelStatistics& Level, const TLanguage& Languages);

class TfrmStatistics : public TDialogForm
{
    Q_OBJECT
public:
    explicit TfrmStatistics(QWidget* Parent = nullptr);

    // Fills the table and the captions for Statistics in the language in use.
    void ShowStatistics(const TStatistics& Statistics, const TLanguage& Languages);
    // Asked when Reset is pressed; it asks the player and answers the statistics to show.
    std::function<void()> OnReset;

    QTableWidget* tblStatistics = nullptr;
    TButton* btnReset = nullptr;
    TButton* btnClose = nullptr;
};
