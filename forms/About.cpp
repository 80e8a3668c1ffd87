#include "forms/About.h"

#include "forms/DialogColours.h"
#include "platform/Version.h"

#include <QColor>
#include <QFont>
#include <QKeyEvent>
#include <QPalette>
#include <QShowEvent>
#include <QStringList>
#include <QTextDocument>
#include <QTextOption>

#include <utility>

namespace {

constexpr int ClientWidth = 334;
constexpr int ClientHeight = 409;
// The panel's own raised edge plus the empty border inside it.
constexpr int PanelBevel = 1;
constexpr int PanelBorder = 5;
constexpr int PanelInset = PanelBevel + PanelBorder;
constexpr int LineHeight = 17;
constexpr int CreditsHeadingHeight = 13;
constexpr int CreditsHeight = 247;
constexpr int DevInfoHeight = 43;

QStringList DesignCredits()
{
    return {QStringLiteral("Η δημιουργία αυτού του κομματιού software θα ήταν αδύνατη"),
            QStringLiteral("χωρίς την βοήθεια των παρακάτω:"),
            QString(),
            QStringLiteral("του θείου που μας έμαθε όλους να παίζουμε ζέντο,"),
            QStringLiteral("της παρέας του καφενείου στην πλατεία,"),
            QStringLiteral("του σχεδιαστή των τραπουλόχαρτων,"),
            QStringLiteral("της γάτας που κοιμόταν πάνω στο πληκτρολόγιο."),
            QString(),
            QStringLiteral("Ιδέες, παρατηρήσεις, beta testing:"),
            QStringLiteral("Φοίβος, Δανάη, Ορέστης, Μυρτώ"),
            QString(),
            QStringLiteral("Μπύρες, σοκολάτες, γάλα για τον καφέ:"),
            QStringLiteral("το περίπτερο της γωνίας"),
            QString(),
            QStringLiteral("Σας ευχαριστούμε όλους!")};
}

QStringList DesignDevInfo()
{
    return {QStringLiteral("Zento: ένα παιχνίδι από την ομάδα του Zento."),
            QStringLiteral("Γράψτε μας στο zento@example.org"),
            QStringLiteral("για ιδέες, παρατηρήσεις και λάθη.")};
}

void SetTextColour(QWidget* Widget, const QColor& Colour)
{
    QPalette Palette = Widget->palette();
    Palette.setColor(QPalette::WindowText, Colour);
    Widget->setPalette(Palette);
}

// The memos read like part of the panel: the button face behind centred text,
// no scroll bars. Lines too long for the box wrap rather than vanish past its
// edge, since the fallback for the design font is wider and a translation may
// bring longer lines.
void StyleMemo(TMemo* Memo)
{
    QPalette Palette = Memo->palette();
    Palette.setColor(QPalette::Base, Palette.color(QPalette::Button));
    Memo->setPalette(Palette);
    Memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QTextOption Option = Memo->document()->defaultTextOption();
    Option.setAlignment(Qt::AlignHCenter);
    Memo->document()->setDefaultTextOption(Option);
}

} // namespace

TfrmAbout::TfrmAbout(QWidget* Parent) : TDialogForm(QStringLiteral("frmAbout"), Parent)
{
    SetupForm();
    SetupPanel();
    SetupLabels();
    SetupCredits();
    PlaceTopParts();
    SetupCloseButton();
    SetupDevInfo();
    connect(btnClose, &QPushButton::clicked, this, &TfrmAbout::btnCloseClick);
}

void TfrmAbout::SetupForm()
{
    SetCaption(QStringLiteral("Κωδονοκρουσίες"));
    setFixedSize(ClientWidth, ClientHeight);
}

void TfrmAbout::SetupPanel()
{
    pnl = new QFrame(this);
    pnl->setObjectName(QStringLiteral("pnl"));
    pnl->setFrameStyle(QFrame::Panel | QFrame::Raised);
    pnl->setLineWidth(PanelBevel);
    pnl->setGeometry(rect());
}

void TfrmAbout::SetupLabels()
{
    auto Label = [this](const char* Name, const QString& Caption) {
        auto* Part = new TLabel(QString::fromLatin1(Name), Caption, pnl);
        Part->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        return Part;
    };
    lblTitle = Label("lblTitle", QStringLiteral("Zento for Windows"));
    lblSubTitle = Label("lblSubTitle", QString());
    lblVersionInfo = Label("lblVersionInfo", QString());
    SetTextColour(lblVersionInfo, Maroon);
    lblCredits = Label("lblCredits", QStringLiteral("Credits:"));
    SetTextColour(lblCredits, Qt::black);
}

void TfrmAbout::SetupCredits()
{
    Credits = new TMemo(QStringLiteral("Credits"), pnl);
    StyleMemo(Credits);
    Credits->SetLines(DesignCredits());
}

// The parts from the title down to the credits follow each other from the top
// of the panel, each as wide as the panel inside its border.
void TfrmAbout::PlaceTopParts()
{
    const std::pair<QWidget*, int> TopParts[] = {{lblTitle, LineHeight},
                                                 {lblSubTitle, LineHeight},
                                                 {lblVersionInfo, LineHeight},
                                                 {lblCredits, CreditsHeadingHeight},
                                                 {Credits, CreditsHeight}};
    const int Width = pnl->width() - 2 * PanelInset;
    int Top = PanelInset;
    for (const auto& [Part, Height] : TopParts) {
        Part->setGeometry(PanelInset, Top, Width, Height);
        Top += Height;
    }
}

void TfrmAbout::SetupCloseButton()
{
    btnClose = new TButton(QStringLiteral("btnClose"), QStringLiteral("&αρκεί, αρκεί"), pnl);
    btnClose->setGeometry(104, 325, 127, 25);
    btnClose->setFlat(true);
    SetButtonGlyph(btnClose, QStringLiteral(":/GlyphClose"));
}

void TfrmAbout::SetupDevInfo()
{
    lblDevInfo = new TMemo(QStringLiteral("lblDevInfo"), pnl);
    StyleMemo(lblDevInfo);
    lblDevInfo->SetLines(DesignDevInfo());
    lblDevInfo->setGeometry(PanelInset, pnl->height() - PanelInset - DevInfoHeight, pnl->width() - 2 * PanelInset,
                            DevInfoHeight);
}

// The edition and version lines are the same in every language: they are
// written on each showing, after any translation has run.
void TfrmAbout::FormShow()
{
    lblSubTitle->SetCaption(EditionText);
    lblVersionInfo->SetCaption(VersionText);
}

void TfrmAbout::btnCloseClick()
{
    close();
}

// The box has no close box and no cancel button: it is left through its one
// button. A dialog would take Esc as a cancel on its own, so the key is
// swallowed here. A close request from the window manager still closes it,
// so the box can never hold the user.
void TfrmAbout::keyPressEvent(QKeyEvent* Event)
{
    if (Event->matches(QKeySequence::Cancel)) {
        Event->accept();
        return;
    }
    TDialogForm::keyPressEvent(Event);
}
