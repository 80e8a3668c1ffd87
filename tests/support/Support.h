// Shared test helpers: a card maker, readable cards in failure messages, a
// temporary folder, mouse clicks and key presses, the data files beside the
// test programs, and a file size limit that stands in for a full disk.
#pragma once
#include "model/Card.h"

#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <functional>
#include <ostream>

class QWidget;

// The table window's whole title in either language: the base text and the release.
QString FullTitle();

TCard MakeCard(uint8_t Rank, uint8_t Suit, CardFace Face = cfFaceUp, int32_t X = 0, int32_t Y = 0);

// Reads "Q/4 face-up at (10,20)".
void PrintTo(const TCard& Card, std::ostream* Os);

bool operator==(const TCard& A, const TCard& B);

// Points the per-user settings store (Qt's own file dialog settings included)
// at a folder; the test program starts with one of its own.
void PointSettingsStoreAt(const QString& Folder);

// A mouse button going down at (X, Y) of Target, as the table takes a click.
void MousePress(QWidget* Target, Qt::MouseButton Button, int X, int Y);

// Sends Key down and up to Target, with Text for a key that types a character.
void PressKey(QWidget* Target, int Key, const QString& Text = {});
// Serves events until Done answers true or Milliseconds have passed; answers
// Done. With a Done that never holds, it serves events for that long.
bool ServeEventsUntil(const std::function<bool()>& Done, int Milliseconds = 5000);

// Name in the folder of the test programs, where the build copies the data
// files the program reads from beside itself.
QString DataFile(const QString& Name);

// A folder of its own for each test, removed at the end; also the place where
// the per-user settings store points while it lives. The store then goes back
// where it pointed before: a window destroyed later must not write into, and
// so bring back, a folder already removed.
class TTempFolder
{
public:
    TTempFolder();
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;
    QString Path() const { return FDir.path(); }
    QString File(const QString& Name) const { return FDir.filePath(Name); }

private:
    QTemporaryDir FDir;
    QString FPreviousStore;
};

// While alive, the player's statistics ($XDG_DATA_HOME) and kept game
// ($XDG_STATE_HOME) go to a folder of their own, empty at first.
class TPlayerFolders
{
public:
    TPlayerFolders();
    ~TPlayerFolders();
    TPlayerFolders(const TPlayerFolders&) = delete;
    TPlayerFolders& operator=(const TPlayerFolders&) = delete;
    QString Data() const { return FDir.filePath(QStringLiteral("data")); }
    QString State() const { return FDir.filePath(QStringLiteral("state")); }

private:
    QTemporaryDir FDir;
    QByteArray FOldData, FOldState;
};

// While alive, the file system refuses to let this process's files grow past Bytes, as a
// full disk would: write() fails (EFBIG rather than ENOSPC) once the limit is reached.
class TFileSizeLimit
{
public:
    explicit TFileSizeLimit(uint64_t Bytes);
    ~TFileSizeLimit();
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

private:
    // The limits as they were, kept as numbers so that no test sees the system's header.
    uint64_t FOldSoft = 0, FOldHard = 0;
    void (*FOldHandler)(int) = nullptr;
};
