#include "lang/Lang.h"

#include "platform/AsciiCase.h"

#include "platform/Components.h"
#include "platform/IniFile.h"

#include <QFileInfo>
#include <QMetaObject>
#include <QMetaProperty>
#include <QVariant>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <limits>
#include <optional>

namespace {

// Windows-1253 above 0x7F; below it the code page is ASCII. The table is the
// one ICU holds for the code page, byte for byte; U+FFFD stands for the two
// bytes the code page leaves undefined. A table this small saves loading
// ICU's converter data, which costs start-up a megabyte.
constexpr char16_t HighHalf[128] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x0088, 0x2030, 0x008A, 0x2039, 0x008C, 0x008D, 0x008E, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x0098, 0x2122, 0x009A, 0x203A, 0x009C, 0x009D, 0x009E, 0x009F,  // 0x98
    0x00A0, 0x0385, 0x0386, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7,  // 0xA0
    0x00A8, 0x00A9, 0x00AA, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x2015,  // 0xA8
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x0384, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x0388, 0x0389, 0x038A, 0x00BB, 0x038C, 0x00BD, 0x038E, 0x038F,  // 0xB8
    0x0390, 0x0391, 0x0392, 0x0393, 0x0394, 0x0395, 0x0396, 0x0397,  // 0xC0
    0x0398, 0x0399, 0x039A, 0x039B, 0x039C, 0x039D, 0x039E, 0x039F,  // 0xC8
    0x03A0, 0x03A1, 0xFFFD, 0x03A3, 0x03A4, 0x03A5, 0x03A6, 0x03A7,  // 0xD0
    0x03A8, 0x03A9, 0x03AA, 0x03AB, 0x03AC, 0x03AD, 0x03AE, 0x03AF,  // 0xD8
    0x03B0, 0x03B1, 0x03B2, 0x03B3, 0x03B4, 0x03B5, 0x03B6, 0x03B7,  // 0xE0
    0x03B8, 0x03B9, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BE, 0x03BF,  // 0xE8
    0x03C0, 0x03C1, 0x03C2, 0x03C3, 0x03C4, 0x03C5, 0x03C6, 0x03C7,  // 0xF0
    0x03C8, 0x03C9, 0x03CA, 0x03CB, 0x03CC, 0x03CD, 0x03CE, 0xFFFD,  // 0xF8
};
// What a character the code page cannot hold becomes, as in ICU.
constexpr char SubstituteByte = 0x1A;
constexpr char TranslationsSection[] = "Translations";
constexpr char MessagesSection[] = "Messages";

// Every trimming here removes characters whose code is 32 or below: blanks and control
// characters, but not the other Unicode spaces that QString::trimmed() would take.
bool IsBlank(QChar C)
{
    return C.unicode() <= 32;
}

QString TrimBlanks(const QString& Text)
{
    qsizetype First = 0;
    qsizetype Last = Text.size();
    while (First < Last && IsBlank(Text.at(First)))
        ++First;
    while (Last > First && IsBlank(Text.at(Last - 1)))
        --Last;
    return Text.mid(First, Last - First);
}

// Sets Lossy when some character had to become the substitute byte.
QByteArray Encode(const QString& Text, bool& Lossy)
{
    QByteArray Bytes;
    Bytes.reserve(Text.size());
    for (qsizetype I = 0; I < Text.size(); ++I) {
        const char16_t C = Text.at(I).unicode();
        if (C < 0x80) {
            Bytes.append(char(C));
            continue;
        }
        const char16_t* Found = C == 0xFFFD ? std::end(HighHalf) : std::find(std::begin(HighHalf), std::end(HighHalf), C);
        if (Found != std::end(HighHalf)) {
            Bytes.append(char(0x80 + (Found - std::begin(HighHalf))));
            continue;
        }
        // A surrogate pair is one character and takes one substitute; a lone
        // surrogate takes one as well, wherever it lies.
        if (QChar::isHighSurrogate(C) && I + 1 < Text.size() && Text.at(I + 1).isLowSurrogate())
            ++I;
        Bytes.append(SubstituteByte);
        Lossy = true;
    }
    return Bytes;
}

// A key that the code page cannot hold could only match an entry by accident.
std::optional<QByteArray> EncodedKey(const QString& Key)
{
    bool Lossy = false;
    QByteArray Bytes = Encode(Key, Lossy);
    if (Lossy)
        return std::nullopt;
    return Bytes;
}

// Pre-order over the descendants: a label on a panel belongs to the window like any other
// component, and the first one in creation order wins.
QObject* FindOwned(const QObject* Parent, const QString& Name)
{
    for (QObject* Child : Parent->children()) {
        if (SameName(Child->objectName(), Name))
            return Child;
        if (QObject* Found = FindOwned(Child, Name))
            return Found;
    }
    return nullptr;
}

// The most derived class's property comes first, and an exact spelling beats one that
// differs only in letter case.
int PropertyIndex(const QMetaObject& Meta, const QString& Name)
{
    if (Name.isEmpty())
        return -1;
    for (int I = Meta.propertyCount() - 1; I >= 0; --I)
        if (QLatin1String(Meta.property(I).name()) == Name)
            return I;
    for (int I = Meta.propertyCount() - 1; I >= 0; --I)
        if (SameName(QString::fromLatin1(Meta.property(I).name()), Name))
            return I;
    return -1;
}

enum class TPropertyKind { Text, Integer, Lines, Other };

TPropertyKind KindOf(const QMetaProperty& Property)
{
    switch (Property.metaType().id()) {
    case QMetaType::QString:
        return TPropertyKind::Text;
    case QMetaType::Int:
    case QMetaType::LongLong:
        return TPropertyKind::Integer;
    case QMetaType::QStringList:
        return TPropertyKind::Lines;
    default:
        return TPropertyKind::Other;
    }
}

std::optional<QMetaProperty> FindProperty(const QObject* Component, const QString& Name)
{
    const QMetaObject& Meta = *Component->metaObject();
    const int Index = PropertyIndex(Meta, Name);
    if (Index < 0)
        return std::nullopt;
    return Meta.property(Index);
}

// The text the handler of OnTranslate sees as the old value.
QString CurrentText(const QObject* Component, const QString& Name)
{
    const std::optional<QMetaProperty> Property = FindProperty(Component, Name);
    if (!Property || KindOf(*Property) != TPropertyKind::Text)
        return QString();
    return Property->read(Component).toString();
}

// The number must fit the property, or the write would silently store something else.
std::optional<QVariant> IntegerValue(const QMetaProperty& Property, const QString& Value)
{
    bool Ok = false;
    const qlonglong Number = Value.toLongLong(&Ok);
    if (!Ok)
        return std::nullopt;
    if (Property.metaType().id() == QMetaType::LongLong)
        return QVariant(Number);
    if (Number < std::numeric_limits<int>::min() || Number > std::numeric_limits<int>::max())
        return std::nullopt;
    return QVariant(static_cast<int>(Number));
}

} // namespace

QString FromWindows1253(const QByteArray& Bytes)
{
    QString Text(Bytes.size(), Qt::Uninitialized);
    QChar* Out = Text.data();
    for (const char Byte : Bytes) {
        const auto B = uint8_t(Byte);
        *Out++ = QChar(B < 0x80 ? char16_t(B) : HighHalf[B - 0x80]);
    }
    return Text;
}

QByteArray ToWindows1253(const QString& Text)
{
    bool Lossy = false;
    return Encode(Text, Lossy);
}

QStringList DesignProperties()
{
    return {
        "Application.Title",
        "frmMain.Gradient.FormCaption",
        "frmMain.menuParameters.Caption",
        "frmMain.menuMemory.Caption",
        "frmMain.menuBackground.Caption",
        "frmMain.menuGame.Caption",
        "frmMain.menuNewGame.Caption",
        "frmMain.menuNewTour.Caption",
        "frmMain.menuFullScreen.Caption",
        "frmMain.menuLeft.Caption",
        "frmMain.menuLeftRight.Caption",
        "frmMain.menuCardPicker.Caption",
        "frmMain.menuAbout.Caption",
        "frmMain.menuLanguage.Caption",
        "frmMain.menuGreek.Caption",
        "frmMain.menuEnglish.Caption",
        "frmMemory.Caption",
        "",
        "frmAbout.Caption",
        "frmAbout.lblTitle.Caption",
        "frmAbout.Credits.Lines",
        "frmAbout.btnClose.Caption",
        "frmAbout.lblDevInfo.Lines",
        "",
        "frmSetScore.Caption",
        "frmSetScore.lblFirstMan.Caption",
        "frmSetScore.lblPoints.Caption",
        "frmSetScore.btnClose.Caption",
        "frmSetScore.btnCancel.Caption",
    };
}

TLanguage::TLanguage(const QString& Name, QObject* Owner)
    : QObject(Owner), FLanguageFile("greek.lng"), FProperties(DesignProperties()), FSeparator("^")
{
    setObjectName(Name);
}

void TLanguage::SetSeparator(const QString& Value)
{
    FSeparator = TrimBlanks(Value).isEmpty() ? QStringLiteral(",") : Value;
}

void TLanguage::Translate()
{
    if (FOnBeforeTranslation)
        FOnBeforeTranslation(this);
    // Without its file a pass sets nothing, and the user sees stale texts with no
    // hint why: one line names the file that was looked for.
    if (!QFileInfo(FLanguageFile).isFile())
        std::fprintf(stderr, "zento: missing language file %s\n", qPrintable(QFileInfo(FLanguageFile).absoluteFilePath()));
    const TIniFile File(FLanguageFile);
    for (const QString& Line : FProperties) {
        if (TrimBlanks(Line).isEmpty())
            continue;
        const std::optional<QByteArray> Key = EncodedKey(Line);
        const QByteArray Value = Key ? File.ReadString(TranslationsSection, *Key, QByteArray()) : QByteArray();
        if (!TranslateProperty(Line, FromWindows1253(Value)))
            return;
    }
    if (FOnAfterTranslation)
        FOnAfterTranslation(this);
}

bool TLanguage::TranslateProperty(const QString& Path, const QString& Value)
{
    QString Rest = TrimBlanks(Path);
    if (Rest.isEmpty())
        return true;
    // The search starts at the application object; once a segment finds nothing, the
    // segments after it find nothing either.
    QObject* Component = nullptr;
    bool AtApplication = true;
    while (Rest.contains(u'.')) {
        const qsizetype Dot = Rest.indexOf(u'.');
        const QString Head = TrimBlanks(Rest.left(Dot));
        Rest = TrimBlanks(Rest.mid(Dot + 1));
        if (AtApplication || Component)
            Component = FindChild(Component, Head);
        AtApplication = false;
    }
    if (!Component || Value.isEmpty())
        return true;
    QString NewValue = Value;
    if (FOnTranslate)
        FOnTranslate(this, Component, Rest, CurrentText(Component, Rest), NewValue);
    return SetPropertyValue(Component, Rest, NewValue);
}

QObject* TLanguage::FindChild(QObject* Parent, const QString& Name) const
{
    if (Name.isEmpty())
        return nullptr;
    if (Parent)
        return FindOwned(Parent, Name);
    for (QObject* Window : ApplicationComponents())
        if (SameName(Window->objectName(), Name))
            return Window;
    return nullptr;
}

bool TLanguage::SetPropertyValue(QObject* Component, const QString& PropertyName, const QString& Value)
{
    if (!Component)
        return true;
    const std::optional<QMetaProperty> Property = FindProperty(Component, PropertyName);
    if (!Property || !Property->isWritable())
        return true;
    switch (KindOf(*Property)) {
    case TPropertyKind::Text:
        Property->write(Component, Value);
        return true;
    case TPropertyKind::Integer:
        if (const std::optional<QVariant> Number = IntegerValue(*Property, Value)) {
            Property->write(Component, *Number);
            return true;
        }
        ReportError(QStringLiteral("'%1' is not a valid integer value").arg(Value));
        return false;
    case TPropertyKind::Lines:
        SetStringsValue(Component, *Property, Value);
        return true;
    case TPropertyKind::Other:
        return true;
    }
    return true;
}

void TLanguage::SetStringsValue(QObject* Component, const QMetaProperty& Property, const QString& Value) const
{
    Property.write(Component, SplitLines(Value));
}

QStringList TLanguage::SplitLines(const QString& Value) const
{
    QStringList Lines;
    qsizetype Start = 0;
    // The separator is never empty through SetSeparator; the check keeps the loop finite anyway.
    for (qsizetype At = FSeparator.isEmpty() ? -1 : Value.indexOf(FSeparator); At >= 0;
         At = Value.indexOf(FSeparator, Start)) {
        Lines.append(TrimBlanks(Value.mid(Start, At - Start)));
        Start = At + FSeparator.size();
    }
    const QString Last = TrimBlanks(Value.mid(Start));
    if (!Last.isEmpty())
        Lines.append(Last);
    return Lines;
}

QString TLanguage::LookupMessage(const QString& Key) const
{
    const std::optional<QByteArray> EncodedMessageKey = EncodedKey(Key);
    if (!EncodedMessageKey)
        return Key;
    const std::optional<QByteArray> Value = TIniFile(FLanguageFile).FindString(MessagesSection, *EncodedMessageKey);
    return Value ? FromWindows1253(*Value) : Key;
}

void TLanguage::ReportError(const QString& Message) const
{
    if (FOnError)
        FOnError(Message);
    else
        qWarning("%s", qUtf8Printable(Message));
}
