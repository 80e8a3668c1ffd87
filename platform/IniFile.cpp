#include "platform/IniFile.h"

#include "platform/AsciiCase.h"

#include "platform/SaveFile.h"

#include <QByteArrayView>
#include <QFile>
#include <QFileInfo>

namespace {

// A new file gets the platform's own line ending; an existing one keeps its style.
#ifdef Q_OS_WIN
constexpr QByteArrayView NativeLineEnding = "\r\n";
#else
constexpr QByteArrayView NativeLineEnding = "\n";
#endif

enum class TLoad { Missing, Loaded, Unusable };

// A missing file is an empty profile; a file that is there but cannot be read in full
// (a folder, no permission, oversized) must not be mistaken for one, or a write would
// replace it with a single entry.
TLoad LoadProfileBytes(const QString& FileName, QByteArray& Bytes)
{
    Bytes.clear();
    const QFileInfo Info(FileName);
    if (FileName.isEmpty() || !Info.exists())
        return TLoad::Missing;
    if (!Info.isFile() || Info.size() > MaxProfileFileSize)
        return TLoad::Unusable;
    QFile File(FileName);
    if (!File.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return TLoad::Unusable;
    // Room for what the file holds, not for the largest file allowed: the language file is
    // read afresh at every message lookup. One byte more tells whether it has grown since
    // its size was taken.
    Bytes.resize(Info.size() + 1);
    qint64 Read = 0;
    for (qint64 Got = 0; Read < Bytes.size(); Read += Got) {
        Got = File.read(Bytes.data() + Read, Bytes.size() - Read);
        if (Got <= 0)
            break;
        if (Read + Got == Bytes.size() && Bytes.size() <= MaxProfileFileSize)
            Bytes.resize(qMin<qint64>(Bytes.size() * 2, MaxProfileFileSize + 1));
    }
    Bytes.resize(Read);
    if (Bytes.size() > MaxProfileFileSize || File.error() != QFileDevice::NoError) {
        Bytes.clear();
        return TLoad::Unusable;
    }
    return TLoad::Loaded;
}

struct TLine
{
    qsizetype Start = 0; // first byte of the line
    qsizetype End = 0;   // its line ending, or the end of the file
    qsizetype Next = 0;  // first byte of the following line
};

TLine LineAt(const QByteArray& Bytes, qsizetype Start)
{
    const qsizetype Feed = Bytes.indexOf('\n', Start);
    if (Feed < 0)
        return {Start, Bytes.size(), Bytes.size()};
    const qsizetype End = Feed > Start && Bytes.at(Feed - 1) == '\r' ? Feed - 1 : Feed;
    return {Start, End, Feed + 1};
}

QByteArrayView TextOf(const QByteArray& Bytes, const TLine& Line)
{
    return QByteArrayView(Bytes).sliced(Line.Start, Line.End - Line.Start);
}

bool IsBlank(char C)
{
    return static_cast<unsigned char>(C) <= ' ';
}

QByteArrayView Trimmed(QByteArrayView Text)
{
    while (!Text.isEmpty() && IsBlank(Text.front()))
        Text = Text.sliced(1);
    while (!Text.isEmpty() && IsBlank(Text.back()))
        Text.chop(1);
    return Text;
}

// A trimmed line "[Name]" opens a section; text after the closing bracket is ignored.
std::optional<QByteArrayView> SectionName(QByteArrayView Text)
{
    if (!Text.startsWith('['))
        return std::nullopt;
    const qsizetype Close = Text.indexOf(']');
    if (Close < 0)
        return std::nullopt;
    return Trimmed(Text.sliced(1, Close - 1));
}

bool IsComment(QByteArrayView Text)
{
    return Text.startsWith(';');
}

// Where an entry is, or where it would go.
struct TPlace
{
    bool SectionFound = false;
    bool EntryFound = false;
    TLine Entry;              // the entry's line
    qsizetype ValueStart = 0; // first byte after its "="
    TLine LastLine;           // the section's last line that is not blank: its header at least
};

// Only the first section of the name is searched, and in it the first entry of the key.
TPlace Locate(const QByteArray& Bytes, QByteArrayView Section, QByteArrayView Key)
{
    TPlace Place;
    for (qsizetype Start = 0; Start < Bytes.size();) {
        const TLine Line = LineAt(Bytes, Start);
        Start = Line.Next;
        const QByteArrayView Text = Trimmed(TextOf(Bytes, Line));
        if (const std::optional<QByteArrayView> Name = SectionName(Text)) {
            if (Place.SectionFound)
                break;
            Place.SectionFound = SameName(*Name, Section);
            Place.LastLine = Line;
            continue;
        }
        if (!Place.SectionFound || Text.isEmpty())
            continue;
        Place.LastLine = Line;
        const qsizetype Equals = TextOf(Bytes, Line).indexOf('=');
        if (IsComment(Text) || Equals < 0)
            continue;
        if (SameName(Trimmed(TextOf(Bytes, Line).first(Equals)), Key)) {
            Place.EntryFound = true;
            Place.Entry = Line;
            Place.ValueStart = Line.Start + Equals + 1;
            break;
        }
    }
    return Place;
}

QByteArray CleanValue(QByteArrayView Raw)
{
    const qsizetype Nul = Raw.indexOf('\0');
    QByteArrayView Value = Trimmed(Nul < 0 ? Raw : Raw.first(Nul));
    const bool Quoted = Value.size() >= 2 && (Value.front() == '"' || Value.front() == '\'') &&
                        Value.back() == Value.front();
    if (Quoted)
        Value = Value.sliced(1, Value.size() - 2);
    return Value.first(qMin(Value.size(), MaxProfileValueLength)).toByteArray();
}

std::optional<QByteArray> FindIn(const QByteArray& Bytes, const QByteArray& Section, const QByteArray& Key)
{
    const QByteArrayView KeyName = Trimmed(Key);
    if (KeyName.isEmpty())
        return std::nullopt;
    const TPlace Place = Locate(Bytes, Trimmed(Section), KeyName);
    if (!Place.EntryFound)
        return std::nullopt;
    return CleanValue(QByteArrayView(Bytes).sliced(Place.ValueStart, Place.Entry.End - Place.ValueStart));
}

bool HasLineBreakOrNul(QByteArrayView Text)
{
    return Text.contains('\n') || Text.contains('\r') || Text.contains('\0');
}

// Names and values that would read back as something else, or split the line, are refused.
bool Writable(QByteArrayView Section, QByteArrayView Key, QByteArrayView Value)
{
    if (Section.isEmpty() || Key.isEmpty())
        return false;
    if (HasLineBreakOrNul(Section) || HasLineBreakOrNul(Key) || HasLineBreakOrNul(Value))
        return false;
    return !Section.contains(']') && !Key.contains('=') && !Key.startsWith('[') && !IsComment(Key);
}

QByteArray LineEndingOf(const QByteArray& Bytes)
{
    const qsizetype Feed = Bytes.indexOf('\n');
    if (Feed < 0)
        return NativeLineEnding.toByteArray();
    return Feed > 0 && Bytes.at(Feed - 1) == '\r' ? QByteArray("\r\n") : QByteArray("\n");
}

// The value as it must stand in the file to read back unchanged: one with blanks at
// either end, or enclosed in a pair of quotes, goes inside quotes of its own.
QByteArray StoredValue(const QByteArray& Value)
{
    const bool Enclosed = Value.size() >= 2 && (Value.front() == '"' || Value.front() == '\'') &&
                          Value.back() == Value.front();
    if (Enclosed || Trimmed(Value).size() != Value.size())
        return '"' + Value + '"';
    return Value;
}

QByteArray ReplaceValue(const QByteArray& Bytes, const TPlace& Place, const QByteArray& Value)
{
    // Keep the spaces and tabs after "=" that the file's author chose, but no other byte:
    // a NUL or control byte kept in front of the value would hide it from the reader.
    qsizetype Start = Place.ValueStart;
    while (Start < Place.Entry.End && (Bytes.at(Start) == ' ' || Bytes.at(Start) == '\t'))
        ++Start;
    QByteArray Result = Bytes;
    return Result.replace(Start, Place.Entry.End - Start, Value);
}

// After the section's last line that is not blank, so that blank lines before the next
// section stay where they are.
QByteArray AddEntry(const QByteArray& Bytes, const TPlace& Place, const QByteArray& Entry)
{
    const TLine& Last = Place.LastLine;
    QByteArray Result = Bytes;
    if (Last.Next == Last.End) // the last line of a file without a final line ending
        return Result.insert(Last.End, LineEndingOf(Bytes) + Entry);
    const QByteArray Ending = Bytes.mid(Last.End, Last.Next - Last.End);
    return Result.insert(Last.Next, Entry + Ending);
}

// A new section follows a blank line, unless the file is empty or already ends in one.
bool NeedsBlankLine(QByteArrayView Bytes)
{
    qsizetype Feeds = 0;
    for (qsizetype I = Bytes.size() - 1; I >= 0 && IsBlank(Bytes[I]); --I)
        Feeds += Bytes[I] == '\n';
    return Feeds < 2 && !Trimmed(Bytes).isEmpty();
}

QByteArray AddSection(const QByteArray& Bytes, QByteArrayView Section, const QByteArray& Entry)
{
    const QByteArray Ending = LineEndingOf(Bytes);
    QByteArray Result = Bytes;
    if (!Result.isEmpty() && !Result.endsWith('\n'))
        Result += Ending;
    if (NeedsBlankLine(Result))
        Result += Ending;
    return Result + '[' + Section.toByteArray() + ']' + Ending + Entry + Ending;
}

std::optional<QByteArray> WithEntry(const QByteArray& Bytes, const QByteArray& Section, const QByteArray& Key,
                                    const QByteArray& Value)
{
    const QByteArrayView SectionName = Trimmed(Section);
    const QByteArrayView KeyName = Trimmed(Key);
    if (!Writable(SectionName, KeyName, Value))
        return std::nullopt;
    const TPlace Place = Locate(Bytes, SectionName, KeyName);
    if (Place.EntryFound)
        return ReplaceValue(Bytes, Place, StoredValue(Value));
    const QByteArray Entry = KeyName.toByteArray() + '=' + StoredValue(Value);
    if (Place.SectionFound)
        return AddEntry(Bytes, Place, Entry);
    return AddSection(Bytes, SectionName, Entry);
}

} // namespace

TIniFile::TIniFile(const QString& FileName) : FFileName(FileName)
{
    LoadProfileBytes(FFileName, FBytes);
}

std::optional<QByteArray> TIniFile::FindString(const QByteArray& Section, const QByteArray& Key) const
{
    return FindIn(FBytes, Section, Key);
}

QByteArray TIniFile::ReadString(const QByteArray& Section, const QByteArray& Key, const QByteArray& Default) const
{
    return FindString(Section, Key).value_or(Default);
}

bool TIniFile::WriteString(const QByteArray& Section, const QByteArray& Key, const QByteArray& Value)
{
    if (!WriteProfileString(FFileName, Section, Key, Value))
        return false;
    LoadProfileBytes(FFileName, FBytes);
    return true;
}

bool WriteProfileString(const QString& FileName, const QByteArray& Section, const QByteArray& Key,
                        const QByteArray& Value)
{
    QByteArray Bytes;
    const TLoad Load = LoadProfileBytes(FileName, Bytes);
    if (Load == TLoad::Unusable || FileName.isEmpty())
        return false;
    const std::optional<QByteArray> NewBytes = WithEntry(Bytes, Section, Key, Value);
    // A file grown past the limit would read back as missing.
    if (!NewBytes || NewBytes->size() > MaxProfileFileSize)
        return false;
    if (Load == TLoad::Loaded && *NewBytes == Bytes)
        return true;
    return SaveFileAtomically(FileName, *NewBytes);
}
