// A small file that every running copy of the program changes: each change
// reads it, changes it and replaces it whole, under a lock file of its own, so
// that two copies counting at once lose nothing.
#pragma once
#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

enum class TShareResult { Changed, Unchanged, Failed };

// What Change is handed: the file's bytes, none when there is no file. It
// answers the new bytes, or none to leave the file as it is.
using TSharedChange = std::function<std::optional<QByteArray>(const std::optional<QByteArray>& Old)>;

// Holds LockName around the read and the write (its folder and FileName's are
// made when missing). Failed when the lock cannot be had within twenty
// seconds, the file is there but cannot be read, or the new bytes cannot be
// written; the old file then stays exactly as it was.
TShareResult ChangeSharedFile(const QString& FileName, const QString& LockName, const TSharedChange& Change);

// Renames a file that cannot be understood out of the way, beside it, as
// "<name>.damaged" or, when that is taken, "<name>.damaged.2" and on; answers
// the new name, empty when the file stays where it is.
QString SetFileAside(const QString& FileName);
