#include "forms/KeptGameFile.h"

#include "platform/SaveFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

// Qt names the state folder only from 6.7 on; the rule is the XDG one: the
// variable when it holds an absolute path, ~/.local/state otherwise.
QString KeptGameFileName()
{
    QString Folder = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(Folder))
        Folder = QDir::homePath() + QStringLiteral("/.local/state");
    return Folder + QStringLiteral("/zento/game.txt");
}

bool SaveKeptGame(const QByteArray& Text)
{
    const QString FileName = KeptGameFileName();
    return QDir().mkpath(QFileInfo(FileName).absolutePath()) && SaveFileAtomically(FileName, Text);
}

bool DiscardKeptGame()
{
    const QString FileName = KeptGameFileName();
    return QFile::remove(FileName) || !QFileInfo::exists(FileName);
}
