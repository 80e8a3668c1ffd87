// The How to play window: the rules, the points and every key and mouse action,
// from the rules file that goes with the language in use; scrollable, closed by
// Escape, and one text a screen reader reads whole.
#pragma once
#include "platform/Controls.h"
#include "platform/DialogForm.h"

#include <QString>

#include <optional>

class QTextBrowser;

// The rules file beside the language file of the same name ("greek.rules"
// beside "greek.lng"), read as UTF-8 text; none when it cannot be read.
QString RulesFilePath(const QString& LanguageFilePath);
std::optional<QString> ReadRules(const QString& FileName);

class TfrmHowToPlay : public TDialogForm
{
    Q_OBJECT
public:
    explicit TfrmHowToPlay(QWidget* Parent = nullptr);

    void ShowRules(const QString& Caption, const QString& Rules, const QString& CloseCaption);

    QTextBrowser* txtRules = nullptr;
    TButton* btnClose = nullptr;
};
