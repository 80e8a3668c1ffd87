#include "forms/Statistics.h"

#include "forms/TableSpeech.h"
#include "lang/Lang.h"

#include <QHeaderView>
#include <QTableWidget>

#include <iterator>

namespace {

constexpr int ClientWidth = 420;
constexpr int TableHeight = 330;
constexpr int Margin = 8;
constexpr int ButtonWidth = 100;
constexpr int ButtonHeight = 25;
inline constexpr const char* PerGameKey = "%1, %2 a game";
// The levels from the easiest to the hardest, as the columns show them.
constexpr TLevel ColumnLevels[] = {TLevel::Easy, TLevel::Normal, TLevel::Hard};

QString PointsWithAverage(int64_t Points, int64_t Games, const TLanguage& Languages)
{
    if (Games == 0)
        return QString::number(Points);
    return SpeechText(Languages, PerGameKey).arg(Points).arg(double(Points) / double(Games), 0, 'f', 1);
}

} // namespace

QStringList StatisticsKeys()
{
    QStringList Keys{QString::fromLatin1(StatisticsKey), QString::fromLatin1(ResetKey), QString::fromLatin1(CloseKey),
                     QString::fromLatin1(ResetQuestionKey), QString::fromLatin1(StatisticsUnsavedKey),
                     QString::fromLatin1(StatisticsSetAsideKey), QString::fromLatin1(PerGameKey)};
    for (const char* Key : StatisticsRowKeys)
        Keys << QString::fromLatin1(Key);
    return Keys;
}

QStringList StatisticsColumn(const TLevelStatistics& Level, const TLanguage& Languages)
{
    return {QString::number(Level.Played),
            QString::number(Level.Won),
            QString::number(Level.Lost),
            QString::number(Level.Drawn),
            QString::number(Level.GivenUp),
            PointsWithAverage(Level.PointsTaken, Level.Played, Languages),
            PointsWithAverage(Level.PointsGiven, Level.Played, Languages),
            QString::number(Level.MarksMade),
            QString::number(Level.MarksSuffered),
            QString::number(Level.LongestStreak),
            QString::number(Level.CurrentStreak),
            QString::number(Level.ToursPlayed),
            QString::number(Level.ToursWon),
            QString::number(Level.HighestTargetWon)};
}

TfrmStatistics::TfrmStatistics(QWidget* Parent) : TDialogForm(QStringLiteral("frmStatistics"), Parent)
{
    tblStatistics = new QTableWidget(int(std::size(StatisticsRowKeys)), int(std::size(ColumnLevels)), this);
    tblStatistics->setObjectName(QStringLiteral("tblStatistics"));
    tblStatistics->setGeometry(Margin, Margin, ClientWidth - 2 * Margin, TableHeight);
    tblStatistics->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblStatistics->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    tblStatistics->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    const int ButtonTop = Margin + TableHeight + Margin;
    btnReset = new TButton(QStringLiteral("btnReset"), QString::fromLatin1(ResetKey), this);
    btnReset->setGeometry(Margin, ButtonTop, ButtonWidth, ButtonHeight);
    btnClose = new TButton(QStringLiteral("btnClose"), QString::fromLatin1(CloseKey), this);
    btnClose->setGeometry(ClientWidth - Margin - ButtonWidth, ButtonTop, ButtonWidth, ButtonHeight);
    btnClose->setDefault(true);
    setFixedSize(ClientWidth, ButtonTop + ButtonHeight + Margin);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnReset, &QPushButton::clicked, this, [this] {
        if (OnReset)
            OnReset();
    });
}

void TfrmStatistics::ShowStatistics(const TStatistics& Statistics, const TLanguage& Languages)
{
    SetCaption(SpeechText(Languages, StatisticsKey));
    tblStatistics->setAccessibleName(Caption());
    btnReset->SetCaption(SpeechText(Languages, ResetKey));
    btnClose->SetCaption(SpeechText(Languages, CloseKey));
    QStringList Rows;
    for (const char* Key : StatisticsRowKeys)
        Rows << SpeechText(Languages, Key);
    tblStatistics->setVerticalHeaderLabels(Rows);
    QStringList Columns;
    for (int Column = 0; Column < int(std::size(ColumnLevels)); ++Column) {
        const TLevel Level = ColumnLevels[Column];
        Columns << LevelName(Level, Languages);
        const QStringList Figures = StatisticsColumn(AtLevel(Statistics, Level), Languages);
        for (int Row = 0; Row < Figures.size(); ++Row) {
            auto* Item = new QTableWidgetItem(Figures[Row]);
            Item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            tblStatistics->setItem(Row, Column, Item);
        }
    }
    tblStatistics->setHorizontalHeaderLabels(Columns);
}
