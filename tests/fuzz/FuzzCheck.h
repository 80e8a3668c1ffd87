// A broken rule ends the run at once and names the rule: libFuzzer keeps the
// input, and the fuzz script finds "rule broken" in its log.
#pragma once
#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

inline void Check(bool Holds, const char* Rule)
{
    if (Holds)
        return;
    std::fprintf(stderr, "rule broken: %s\n", Rule);
    std::abort();
}

#define CHECK(Condition) Check(Condition, #Condition)

// The fuzzed bytes become the file the program reads.
inline void PutFile(const QString& FileName, const QByteArray& Bytes)
{
    QFile File(FileName);
    Check(File.open(QIODevice::WriteOnly | QIODevice::Truncate) && File.write(Bytes) == Bytes.size(),
          "the harness can write its file");
}

inline void PutFile(const QString& FileName, const uint8_t* Data, size_t Size)
{
    PutFile(FileName, QByteArray(reinterpret_cast<const char*>(Data), qsizetype(Size)));
}
