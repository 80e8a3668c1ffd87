#include "platform/SharedFile.h"

#include "platform/SaveFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

namespace {

// QLockFile looks again at growing intervals, so a copy that locks again at
// once can keep a waiting one out for a while: long enough for another copy's
// whole run of changes. A copy that died holding the lock leaves a stale lock,
// which QLockFile takes over at once.
constexpr int LockWaitMs = 20000;

bool MakeFolderOf(const QString& FileName)
{
    return QDir().mkpath(QFileInfo(FileName).absolutePath());
}

} // namespace

TShareResult ChangeSharedFile(const QString& FileName, const QString& LockName, const TSharedChange& Change)
{
    if (!MakeFolderOf(FileName) || !MakeFolderOf(LockName))
        return TShareResult::Failed;
    QLockFile Lock(LockName);
    if (!Lock.tryLock(LockWaitMs))
        return TShareResult::Failed;
    std::optional<QByteArray> Old;
    QFile File(FileName);
    if (File.exists()) {
        if (!File.open(QIODevice::ReadOnly))
            return TShareResult::Failed;
        Old = File.readAll();
        if (File.error() != QFileDevice::NoError)
            return TShareResult::Failed;
        File.close();
    }
    const std::optional<QByteArray> New = Change(Old);
    if (!New)
        return TShareResult::Unchanged;
    return SaveFileAtomically(FileName, *New) ? TShareResult::Changed : TShareResult::Failed;
}

QString SetFileAside(const QString& FileName)
{
    QString Aside = FileName + QStringLiteral(".damaged");
    for (int Number = 2; QFileInfo::exists(Aside); ++Number)
        Aside = FileName + QStringLiteral(".damaged.%1").arg(Number);
    return QFile::rename(FileName, Aside) ? Aside : QString();
}
