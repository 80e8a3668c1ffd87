#include "forms/HowToPlay.h"

#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>

#include <optional>

namespace {

constexpr int ClientWidth = 520;
constexpr int TextHeight = 420;
constexpr int Margin = 8;
constexpr int ButtonWidth = 100;
constexpr int ButtonHeight = 25;

} // namespace

QString RulesFilePath(const QString& LanguageFilePath)
{
    const QFileInfo Language(LanguageFilePath);
    return Language.path() + QLatin1Char('/') + Language.completeBaseName() + QStringLiteral(".rules");
}

std::optional<QString> ReadRules(const QString& FileName)
{
    QFile File(FileName);
    if (!File.open(QIODevice::ReadOnly))
        return std::nullopt;
    return QString::fromUtf8(File.readAll());
}

TfrmHowToPlay::TfrmHowToPlay(QWidget* Parent) : TDialogForm(QStringLiteral("frmHowToPlay"), Parent)
{
    txtRules = new QTextBrowser(this);
    txtRules->setObjectName(QStringLiteral("txtRules"));
    txtRules->setGeometry(Margin, Margin, ClientWidth - 2 * Margin, TextHeight);
    // The key tables line up only in a font of one width.
    txtRules->setLineWrapMode(QTextEdit::NoWrap);
    txtRules->setFont(QFont(QStringLiteral("monospace")));
    txtRules->setOpenLinks(false);
    const int ButtonTop = Margin + TextHeight + Margin;
    btnClose = new TButton(QStringLiteral("btnClose"), QStringLiteral("&Close"), this);
    btnClose->setGeometry(ClientWidth - Margin - ButtonWidth, ButtonTop, ButtonWidth, ButtonHeight);
    setFixedSize(ClientWidth, ButtonTop + ButtonHeight + Margin);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
    // The text takes the keys first, so that the arrows and Page keys scroll it.
    setFocusProxy(txtRules);
}

void TfrmHowToPlay::ShowRules(const QString& Caption, const QString& Rules, const QString& CloseCaption)
{
    SetCaption(Caption);
    txtRules->setAccessibleName(Caption);
    txtRules->setPlainText(Rules);
    btnClose->SetCaption(CloseCaption);
}
