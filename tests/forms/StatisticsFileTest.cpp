#include "forms/StatisticsFile.h"

#include "tests/support/Support.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

QByteArray Bytes(const QString& FileName)
{
    QFile File(FileName);
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray("(none)");
}

void Write(const QString& FileName, const QByteArray& Bytes)
{
    QFile File(FileName);
    ASSERT_TRUE(File.open(QIODevice::WriteOnly));
    File.write(Bytes);
}

void CountAWin(TStatisticsFile& File, TLevel Level = TLevel::Normal)
{
    File.Count([Level](TStatistics& Statistics) { CountGame(Statistics, {Level, 20, 5, 1, 0}); });
}

} // namespace

// Two running copies, each counting its games as they end: every count stays.
TEST(StatisticsFile, TwoProcessesCountingAtOnceLoseNoGame)
{
    TTempFolder Folder;
    constexpr int Games = 300;
    QProcess First, Second;
    for (QProcess* Counter : {&First, &Second})
        Counter->start(QStringLiteral(STATISTICS_COUNTER), {Folder.Path(), QString::number(Games)});
    for (QProcess* Counter : {&First, &Second}) {
        ASSERT_TRUE(Counter->waitForFinished(100000));
        EXPECT_EQ(Counter->exitCode(), 0) << Counter->readAllStandardError().toStdString();
    }
    const TLevelStatistics Normal = AtLevel(TStatisticsFile(Folder.Path()).Read(), TLevel::Normal);
    EXPECT_EQ(Normal.Played, 2 * Games);
    EXPECT_EQ(Normal.Won, 2 * Games);
    EXPECT_EQ(Normal.PointsTaken, 2 * Games);
    EXPECT_EQ(QDir(Folder.Path()).entryList(QDir::Files), QStringList{"statistics.txt"}) << "no lock or temporary file left";
}

// A file the program cannot understand is renamed aside, never written over,
// and the player hears of it once; counting starts afresh.
TEST(StatisticsFile, DamagedFileIsSetAsideOnceAndCountingStartsAfresh)
{
    TTempFolder Folder;
    TStatisticsFile File(Folder.Path());
    const QByteArray Damaged = "ZentoStatistics=1\nNormal.Won=many\n";
    Write(File.FileName(), Damaged);
    CountAWin(File, TLevel::Hard);
    EXPECT_EQ(Bytes(File.FileName() + QStringLiteral(".damaged")), Damaged);
    EXPECT_EQ(File.TakeSetAside(), File.FileName() + QStringLiteral(".damaged"));
    EXPECT_EQ(File.TakeSetAside(), std::nullopt);
    EXPECT_EQ(AtLevel(File.Read(), TLevel::Hard).Won, 1);
    EXPECT_EQ(File.TakeSetAside(), std::nullopt) << "the new file is sound";

    // A second damaged file does not take the first one's place.
    Write(File.FileName(), "rubbish");
    EXPECT_EQ(File.Read(), TStatistics{});
    EXPECT_EQ(File.TakeSetAside(), File.FileName() + QStringLiteral(".damaged.2"));
    EXPECT_EQ(Bytes(File.FileName() + QStringLiteral(".damaged")), Damaged);
    EXPECT_FALSE(File.TakeWriteFailure());
}

// A full disk, and a file where the folder should be: the old file stays as
// it was, the count is answered false, and the failure is told only once.
TEST(StatisticsFile, FailedWriteLeavesTheOldFileAndIsToldOnce)
{
    TTempFolder Folder;
    TStatisticsFile File(Folder.Path());
    CountAWin(File);
    const QByteArray Before = Bytes(File.FileName());
    {
        const TFileSizeLimit Limit(64);
        EXPECT_FALSE(File.Count([](TStatistics& Statistics) { CountGivenUp(Statistics, TLevel::Normal); }));
        CountAWin(File);
    }
    EXPECT_EQ(Bytes(File.FileName()), Before);
    EXPECT_TRUE(File.TakeWriteFailure());
    EXPECT_FALSE(File.TakeWriteFailure());
    EXPECT_EQ(QDir(Folder.Path()).entryList(QDir::Files), QStringList{"statistics.txt"});

    Write(Folder.File(QStringLiteral("blocked")), "a file");
    TStatisticsFile Blocked(Folder.File(QStringLiteral("blocked")));
    EXPECT_FALSE(Blocked.Count([](TStatistics&) {}));
    EXPECT_EQ(Blocked.Read(), TStatistics{});
    EXPECT_TRUE(Blocked.TakeWriteFailure());
    EXPECT_EQ(Bytes(Folder.File(QStringLiteral("blocked"))), "a file");
}
