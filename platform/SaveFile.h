// Replacing a file whole, so that a failed write never costs the old contents.
#pragma once
#include <QByteArray>
#include <QString>

// Writes Bytes to a temporary file beside FileName and renames it over FileName only when
// every byte has reached the file system. Answers false, leaving the old file exactly as it
// was, when anything fails on the way: no room, a file-size limit, no permission, a folder
// in the way.
bool SaveFileAtomically(const QString& FileName, const QByteArray& Bytes);
