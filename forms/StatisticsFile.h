// The player's statistics as a file under the user's data folder, shared by
// every running copy of the program: each count is added to what the file
// holds at that moment.
#pragma once
#include "model/Statistics.h"

#include <QString>

#include <functional>
#include <optional>

class TStatisticsFile
{
public:
    // Folder holds the file and its lock; by default $XDG_DATA_HOME/zento.
    explicit TStatisticsFile(const QString& Folder = DefaultFolder());
    static QString DefaultFolder();

    QString FileName() const;
    QString LockName() const;

    // What the file holds now; none, or a damaged file (set aside), is all zero.
    TStatistics Read();
    // Counts into what the file holds now and writes it back; false when the
    // write failed, the old file then left as it was.
    bool Count(const std::function<void(TStatistics&)>& Change);

    // What went wrong that the player has not been told yet: a damaged file
    // set aside (its new name), and the first failed write of the run.
    std::optional<QString> TakeSetAside();
    bool TakeWriteFailure();

private:
    // Reads Old into Statistics; a damaged file goes aside and counts as none.
    // False when a damaged file could not be set aside, and must not be written over.
    bool Judge(const std::optional<QByteArray>& Old, TStatistics& Statistics);

    QString FFolder;
    std::optional<QString> FSetAside;
    bool FWriteFailed = false;
    bool FWriteFailureTold = false;
};
