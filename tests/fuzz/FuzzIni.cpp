// The INI reader and writer on any bytes. The input's first line is
// "Section|Key|Value|OtherSection|OtherKey", the rest is the file. The rules checked:
// names match without regard to ASCII case, values are cut at 1023 characters, the first
// entry wins, a write changes only its own line, and reading after a write gives the value.
#include "platform/IniFile.h"
#include "tests/fuzz/FuzzCheck.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

QByteArray AsciiFolded(QByteArray Name, bool Upper)
{
    for (char& C : Name) {
        if (Upper && C >= 'a' && C <= 'z')
            C = static_cast<char>(C - 'a' + 'A');
        else if (!Upper && C >= 'A' && C <= 'Z')
            C = static_cast<char>(C - 'A' + 'a');
    }
    return Name;
}

bool IsBlank(char C)
{
    return static_cast<unsigned char>(C) <= ' ';
}

QByteArray Trimmed(QByteArray Text)
{
    while (!Text.isEmpty() && IsBlank(Text.front()))
        Text.remove(0, 1);
    while (!Text.isEmpty() && IsBlank(Text.back()))
        Text.chop(1);
    return Text;
}

bool SameEntry(const QByteArray& SectionA, const QByteArray& KeyA, const QByteArray& SectionB, const QByteArray& KeyB)
{
    return AsciiFolded(Trimmed(SectionA), true) == AsciiFolded(Trimmed(SectionB), true) &&
           AsciiFolded(Trimmed(KeyA), true) == AsciiFolded(Trimmed(KeyB), true);
}

QByteArray FileBytes(const QString& FileName)
{
    QFile File(FileName);
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
}

// One folder for the whole run, removed at exit; in memory where there is a place for it,
// since every write syncs the file to disk.
const QString& Folder()
{
    static const QTemporaryDir Dir(QDir(QStringLiteral("/dev/shm")).exists()
                                       ? QStringLiteral("/dev/shm/zento-fuzz-XXXXXX")
                                       : QDir::tempPath() + QStringLiteral("/zento-fuzz-XXXXXX"));
    static const QString Path = Dir.path();
    return Path;
}

void CheckRead(const QString& FileName, const QByteArray& Bytes, const QByteArray& Section, const QByteArray& Key)
{
    const TIniFile File(FileName);
    const std::optional<QByteArray> Value = File.FindString(Section, Key);
    Check(!Value || Value->size() <= MaxProfileValueLength, "a value is cut at 1023 characters");
    Check(File.FindString(AsciiFolded(Section, true), AsciiFolded(Key, false)) == Value,
          "names match without regard to case");
    Check(!Value || !Value->contains('\0'), "a value ends at a NUL");
    if (!Value)
        return;
    // Whatever follows on later lines, a duplicate entry included, cannot change it.
    PutFile(FileName, Bytes + "\n[" + Section + "]\n" + Key + "=later entry\n");
    Check(TIniFile(FileName).FindString(Section, Key) == Value, "the first entry wins");
    PutFile(FileName, Bytes);
}

// Only the bytes of one line may go; whole lines may come.
void CheckOnlyOwnLineChanged(const QByteArray& Before, const QByteArray& After)
{
    qsizetype Prefix = 0;
    while (Prefix < Before.size() && Prefix < After.size() && Before[Prefix] == After[Prefix])
        ++Prefix;
    qsizetype Suffix = 0;
    while (Suffix < Before.size() - Prefix && Suffix < After.size() - Prefix &&
           Before[Before.size() - 1 - Suffix] == After[After.size() - 1 - Suffix])
        ++Suffix;
    const QByteArray Removed = Before.mid(Prefix, Before.size() - Prefix - Suffix);
    Check(!Removed.contains('\n'), "a write changes only its own line");
    // At most: an ending for the last line, a blank line, the section and the entry.
    Check(After.count('\n') - Before.count('\n') <= 4, "a write adds only its own entry");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const QByteArray Input(reinterpret_cast<const char*>(Data), static_cast<qsizetype>(Size));
    const qsizetype HeaderEnd = Input.indexOf('\n');
    const QByteArray Header = HeaderEnd < 0 ? Input : Input.first(HeaderEnd);
    const QByteArray Before = HeaderEnd < 0 ? QByteArray() : Input.mid(HeaderEnd + 1);
    QByteArrayList Names = Header.split('|');
    while (Names.size() < 5)
        Names.append(QByteArray());
    const QByteArray &Section = Names[0], &Key = Names[1], &Value = Names[2], &OtherSection = Names[3],
                     &OtherKey = Names[4];

    const QString FileName = Folder() + QStringLiteral("/fuzz.ini");
    PutFile(FileName, Before);
    CheckRead(FileName, Before, Section, Key);
    CheckRead(FileName, Before, OtherSection, OtherKey);
    const std::optional<QByteArray> OtherBefore = TIniFile(FileName).FindString(OtherSection, OtherKey);

    TIniFile File(FileName);
    if (!File.WriteString(Section, Key, Value)) {
        Check(FileBytes(FileName) == Before, "a refused write leaves the file alone");
        return 0;
    }
    const QByteArray After = FileBytes(FileName);
    Check(File.FindString(Section, Key) == Value.left(MaxProfileValueLength), "the writer's own reads see the value");
    Check(TIniFile(FileName).ReadString(Section, Key, "") == Value.left(MaxProfileValueLength),
          "reading after a write gives the value");
    if (!SameEntry(Section, Key, OtherSection, OtherKey))
        Check(TIniFile(FileName).FindString(OtherSection, OtherKey) == OtherBefore, "a write leaves other entries alone");
    CheckOnlyOwnLineChanged(Before, After);

    Check(WriteProfileString(FileName, Section, Key, Value), "a write that succeeded succeeds again");
    Check(FileBytes(FileName) == After, "writing the same value again changes nothing");
    return 0;
}
