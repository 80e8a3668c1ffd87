// Windows-style INI profile files: read entries by section and key, write one entry in place.
#pragma once
#include <QByteArray>
#include <QString>

#include <optional>

// Only this much of a value is ever returned, as the Windows profile calls do with their
// usual 1024-byte buffer.
constexpr qsizetype MaxProfileValueLength = 1023;

// A larger file is treated as missing when read, and is never rewritten.
constexpr qint64 MaxProfileFileSize = 1024 * 1024;

// The bytes of one profile file, read once, for looking up several entries. Names are
// matched without regard to ASCII case, the first matching section and, inside it, the
// first matching entry count. Values lose surrounding blanks and one pair of enclosing
// quotes, end at a NUL byte and are cut to MaxProfileValueLength bytes. A missing,
// unreadable or oversized file simply holds no entries.
class TIniFile
{
public:
    explicit TIniFile(const QString& FileName);

    const QString& FileName() const { return FFileName; }

    // No value when the file, the section or the key is missing.
    std::optional<QByteArray> FindString(const QByteArray& Section, const QByteArray& Key) const;
    QByteArray ReadString(const QByteArray& Section, const QByteArray& Key, const QByteArray& Default) const;

    // Writes through to the file (see WriteProfileString); on success later reads see the new value.
    bool WriteString(const QByteArray& Section, const QByteArray& Key, const QByteArray& Value);

private:
    QString FFileName;
    QByteArray FBytes;
};

// Changes only the entry's own line, or adds the key at the end of its section, or the
// section at the end of the file; every other byte stays as it was. A value with blanks at
// either end, or enclosed in quotes, is written inside quotes, so that it reads back as
// written (cut to MaxProfileValueLength). The file is replaced atomically. Answers false,
// leaving the file untouched, when the file cannot be read or written in full, is or would
// grow oversized, or when a name or the value would break the file's line structure (line
// breaks or NUL anywhere, "=" in the key, "]" in the section, empty names).
bool WriteProfileString(const QString& FileName, const QByteArray& Section, const QByteArray& Key,
                        const QByteArray& Value);

