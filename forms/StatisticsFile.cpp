#include "forms/StatisticsFile.h"

#include "platform/SharedFile.h"

#include <QStandardPaths>

#include <utility>

TStatisticsFile::TStatisticsFile(const QString& Folder) : FFolder(Folder) {}

// The generic data folder with a folder of the program's own, so that the
// place does not follow the application's display name.
QString TStatisticsFile::DefaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/zento");
}

QString TStatisticsFile::FileName() const
{
    return FFolder + QStringLiteral("/statistics.txt");
}

// Not "<file>.lock": a lock of the file's own name is what other tools take
// around a file, and a second lock on it would wait on itself.
QString TStatisticsFile::LockName() const
{
    return FFolder + QStringLiteral("/statistics.lock");
}

bool TStatisticsFile::Judge(const std::optional<QByteArray>& Old, TStatistics& Statistics)
{
    Statistics = TStatistics{};
    if (!Old || ReadStatistics(*Old, Statistics))
        return true;
    Statistics = TStatistics{};
    const QString Aside = SetFileAside(FileName());
    if (Aside.isEmpty())
        return false;
    FSetAside = Aside;
    return true;
}

TStatistics TStatisticsFile::Read()
{
    TStatistics Statistics;
    ChangeSharedFile(FileName(), LockName(), [&](const std::optional<QByteArray>& Old) {
        Judge(Old, Statistics);
        return std::optional<QByteArray>();
    });
    return Statistics;
}

bool TStatisticsFile::Count(const std::function<void(TStatistics&)>& Change)
{
    const TShareResult Result = ChangeSharedFile(FileName(), LockName(), [&](const std::optional<QByteArray>& Old) {
        TStatistics Statistics;
        if (!Judge(Old, Statistics))
            return std::optional<QByteArray>();
        Change(Statistics);
        return std::optional<QByteArray>(StatisticsText(Statistics));
    });
    if (Result != TShareResult::Changed)
        FWriteFailed = true;
    return Result == TShareResult::Changed;
}

std::optional<QString> TStatisticsFile::TakeSetAside()
{
    return std::exchange(FSetAside, std::nullopt);
}

bool TStatisticsFile::TakeWriteFailure()
{
    if (!FWriteFailed || FWriteFailureTold)
        return false;
    FWriteFailureTold = true;
    return true;
}
