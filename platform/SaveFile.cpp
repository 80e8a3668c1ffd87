#include "platform/SaveFile.h"

#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <unistd.h>
#endif

namespace {

// A file system that cannot sync at all is no failure; one that reports trouble while
// syncing (delayed allocation running out of room, an I/O error) is.
bool Synced(QSaveFile& File)
{
#ifdef Q_OS_UNIX
    const int Handle = File.handle();
    if (Handle < 0)
        return true;
    int Result = 0;
    do
        Result = ::fsync(Handle);
    while (Result != 0 && errno == EINTR);
    return Result == 0 || errno == EINVAL || errno == EROFS;
#else
    Q_UNUSED(File);
    return true;
#endif
}

} // namespace

bool SaveFileAtomically(const QString& FileName, const QByteArray& Bytes)
{
    QSaveFile File(FileName);
    // Unbuffered, so that a write the file system refuses fails here: commit() would flush a
    // buffer, overlook the error and rename a short file over the old one.
    if (!File.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (File.write(Bytes) != Bytes.size() || !File.flush() || !Synced(File)) {
        File.cancelWriting();
        return false;
    }
    return File.commit();
}
