#include "lang/Lang.h"

#include "platform/AsciiCase.h"

#include "platform/Components.h"
#include "platform/IniFile.h"

#include <QFileInfo>
#include <QMetaObject>
#include <QMetaProperty>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QVariant>

#include <cstdio>
#include <limits>
#include <optional>

namespace {

constexpr char CodePage[] = "windows-1253";
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

// A key that the code page cannot hold could only match an entry by accident.
std::optional<QByteArray> EncodedKey(const QString& Key)
{
    QStringEncoder Encoder(CodePage);
    QByteArray Bytes = Encoder.encode(Key);
    if (Encoder.hasError())
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
    QStringDecoder Decoder(CodePage);
    return Decoder.decode(Bytes);
}

QByteArray ToWindows1253(const QString& Text)
{
    QStringEncoder Encoder(CodePage);
    return Encoder.encode(Text);
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
