// The translation component: sets window texts from a language file and looks up message texts.
#pragma once
#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QMetaProperty;

using TNotifyEvent = std::function<void(QObject* Sender)>;
// NewValue is the text about to be set; the handler may replace it.
using TLanguageNotifyEvent = std::function<void(QObject* Sender, QObject* AComponent, const QString& PropertyName,
                                                const QString& OldValue, QString& NewValue)>;
using TErrorEvent = std::function<void(const QString& Message)>;

// Language files and every built-in text of the program are Windows-1253 bytes. Bytes the
// code page leaves undefined decode to U+FFFD; characters outside it encode as a
// substitute byte.
QString FromWindows1253(const QByteArray& Bytes);
QByteArray ToWindows1253(const QString& Text);

// The property paths the program translates, in order; the two empty lines separate groups.
QStringList DesignProperties();

class TLanguage : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString LanguageFile READ LanguageFile WRITE SetLanguageFile)
    Q_PROPERTY(QStringList Properties READ Properties WRITE SetProperties)
    Q_PROPERTY(QString Separator READ Separator WRITE SetSeparator)

public:
    TLanguage(const QString& Name, QObject* Owner);

    const QString& LanguageFile() const { return FLanguageFile; }
    void SetLanguageFile(const QString& Value) { FLanguageFile = Value; }
    const QStringList& Properties() const { return FProperties; }
    void SetProperties(const QStringList& Value) { FProperties = Value; }
    const QString& Separator() const { return FSeparator; }
    // Text that is empty after trimming blanks stores "," instead.
    void SetSeparator(const QString& Value);

    void SetOnBeforeTranslation(TNotifyEvent Handler) { FOnBeforeTranslation = std::move(Handler); }
    void SetOnAfterTranslation(TNotifyEvent Handler) { FOnAfterTranslation = std::move(Handler); }
    void SetOnTranslate(TLanguageNotifyEvent Handler) { FOnTranslate = std::move(Handler); }
    // Receives the errors that stop a translation pass; the window shows them in a message box.
    void SetOnError(TErrorEvent Handler) { FOnError = std::move(Handler); }

    // One pass over Properties with the entries of section "Translations". A missing file
    // sets nothing. An error stops the pass, and OnAfterTranslation is then not called.
    void Translate();
    // Answers false only when an error was reported and the pass must stop; a path that
    // names nothing, or an empty value, sets nothing and answers true.
    bool TranslateProperty(const QString& Path, const QString& Value);
    // No parent means the application object: its windows, in their creation order.
    // Otherwise the parent's components in ownership order (depth first). Names compare
    // with ASCII letters upper-cased; an empty name finds nothing.
    QObject* FindChild(QObject* Parent, const QString& Name) const;
    // Same answer as TranslateProperty. A property the component lacks, cannot write or
    // whose kind is not text, integer or list of lines is left alone.
    bool SetPropertyValue(QObject* Component, const QString& PropertyName, const QString& Value);
    void SetStringsValue(QObject* Component, const QMetaProperty& Property, const QString& Value) const;
    // The lines SetStringsValue sets: pieces between separators, trimmed, empty ones kept
    // except a last one.
    QStringList SplitLines(const QString& Value) const;

    // The entry of Key in section "Messages", read afresh from the file: a present empty
    // entry gives the empty text, a missing entry or file gives Key itself.
    QString LookupMessage(const QString& Key) const;

private:
    void ReportError(const QString& Message) const;

    QString FLanguageFile;
    QStringList FProperties;
    QString FSeparator;
    TNotifyEvent FOnBeforeTranslation;
    TNotifyEvent FOnAfterTranslation;
    TLanguageNotifyEvent FOnTranslate;
    TErrorEvent FOnError;
};
