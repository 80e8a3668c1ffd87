#include "forms/SetScore.h"

#include "forms/DialogColours.h"

#include <QFocusEvent>
#include <QFont>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPalette>
#include <QShowEvent>

#include <algorithm>

namespace {

constexpr int MinScore = 31;
constexpr int MaxScore = 1001;
constexpr int ScoreStep = 10;
constexpr int ScoreDigits = 4;

bool AllDigits(const QString& Text)
{
    return std::all_of(Text.begin(), Text.end(), [](QChar C) { return C >= QLatin1Char('0') && C <= QLatin1Char('9'); });
}

// A caption as read aloud: an access key's ampersand is not read, a doubled one is.
QString WithoutAccessKey(const QString& Caption)
{
    QString Text;
    for (qsizetype I = 0; I < Caption.size(); ++I) {
        if (Caption[I] == QLatin1Char('&') && ++I == Caption.size())
            break;
        Text += Caption[I];
    }
    return Text;
}

// Places a label at its design point, wide enough to reach the panel's right
// edge, so that a longer translation still shows.
void PlaceLabel(QWidget* Label, int X, int Y, int PanelWidth)
{
    Label->setGeometry(X, Y, PanelWidth - X - 2, QFontMetrics(Label->font()).height());
}

} // namespace

TSpinEdit::TSpinEdit(const QString& Name, QWidget* Parent) : QSpinBox(Parent)
{
    setObjectName(Name);
    lineEdit()->setMaxLength(ScoreDigits);
}

int TSpinEdit::Value() const
{
    return valueFromText(text());
}

void TSpinEdit::CheckValue()
{
    // setValue rewrites the text even when the stored value stays, which is
    // what turns an empty text into the minimum.
    setValue(std::clamp(Value(), minimum(), maximum()));
}

// Every number that fits is accepted while typing, even one outside the
// limits; only the focus leaving the field brings it within them.
QValidator::State TSpinEdit::validate(QString& Input, int& Pos) const
{
    Q_UNUSED(Pos);
    return Input.size() <= ScoreDigits && AllDigits(Input) ? QValidator::Acceptable : QValidator::Invalid;
}

int TSpinEdit::valueFromText(const QString& Text) const
{
    bool Ok = false;
    const int Number = Text.toInt(&Ok);
    return Ok ? Number : minimum();
}

// Plain digits in every language, so the text always reads back as the same number.
QString TSpinEdit::textFromValue(int Value) const
{
    return QString::number(Value);
}

void TSpinEdit::stepBy(int Steps)
{
    const qint64 Stepped = qint64(Value()) + qint64(Steps) * singleStep();
    setValue(int(std::clamp<qint64>(Stepped, minimum(), maximum())));
    selectAll();
}

QAbstractSpinBox::StepEnabled TSpinEdit::stepEnabled() const
{
    // A number outside the limits steps back within them either way.
    StepEnabled Enabled = StepNone;
    if (Value() != minimum())
        Enabled |= StepDownEnabled;
    if (Value() != maximum())
        Enabled |= StepUpEnabled;
    return Enabled;
}

void TSpinEdit::focusOutEvent(QFocusEvent* Event)
{
    CheckValue();
    QSpinBox::focusOutEvent(Event);
}

TfrmSetScore::TfrmSetScore(QWidget* Parent) : TDialogForm(QStringLiteral("frmSetScore"), Parent)
{
    SetupForm();
    SetupControls();
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(edScore, &QSpinBox::textChanged, this, &TfrmSetScore::NameQuestion);
    // The translation pass sets the title first, then the labels: the
    // question is put together again once the pass is over.
    connect(this, &QWidget::windowTitleChanged, this, &TfrmSetScore::NameQuestion, Qt::QueuedConnection);
}

void TfrmSetScore::SetupForm()
{
    SetCaption(QStringLiteral("Τουρνουά"));
    setFixedSize(190, 106);
}

void TfrmSetScore::SetupControls()
{
    pnl = new QFrame(this);
    pnl->setObjectName(QStringLiteral("pnl"));
    pnl->setFrameStyle(QFrame::Panel | QFrame::Raised);
    pnl->setGeometry(rect());
    pnl->setFocusPolicy(Qt::NoFocus);

    lblFirstMan = new TLabel(QStringLiteral("lblFirstMan"), QStringLiteral("Ο πρώτος που θα φτάσει τους"), pnl);
    PlaceLabel(lblFirstMan, 16, 12, pnl->width());

    edScore = new TSpinEdit(QStringLiteral("edScore"), pnl);
    edScore->setGeometry(16, 28, 57, 21);
    edScore->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QPalette ScorePalette = edScore->palette();
    ScorePalette.setColor(QPalette::Text, Maroon);
    edScore->setPalette(ScorePalette);
    edScore->setRange(MinScore, MaxScore);
    edScore->setSingleStep(ScoreStep);
    edScore->setValue(DefaultTargetScore);

    // The label names the field to assistive technology, and its access key leads into it.
    lblFirstMan->setBuddy(edScore);

    lblPoints = new TLabel(QStringLiteral("lblPoints"), QStringLiteral("πόντους, κερδίζει."), pnl);
    PlaceLabel(lblPoints, 76, 32, pnl->width());

    btnClose = new TButton(QStringLiteral("btnClose"), QStringLiteral("&Εντάξει"), pnl);
    btnClose->setGeometry(16, 64, 75, 25);
    SetButtonGlyph(btnClose, QStringLiteral(":/GlyphOk"));
    // Only the OK button answers Enter, even while Cancel has the focus.
    btnClose->setAutoDefault(false);
    btnClose->setDefault(true);

    btnCancel = new TButton(QStringLiteral("btnCancel"), QStringLiteral("&Ούπς!"), pnl);
    btnCancel->setGeometry(96, 64, 75, 25);
    SetButtonGlyph(btnCancel, QStringLiteral(":/GlyphCancel"));
    btnCancel->setAutoDefault(false);
}

// The dialog asks one question and opens on its answer, the number selected,
// so that typing replaces it and the arrows step it.
void TfrmSetScore::FormShow()
{
    NameQuestion();
    edScore->setFocus(Qt::OtherFocusReason);
    edScore->selectAll();
}

// The labels either side of the field make one sentence, which the field and
// the label that leads into it are both named with: a screen reader names a
// field by its label, and reads the words after the field nowhere else.
void TfrmSetScore::NameQuestion()
{
    const QString Question = WithoutAccessKey(lblFirstMan->Caption()) + QLatin1Char(' ') + edScore->text() +
                             QLatin1Char(' ') + WithoutAccessKey(lblPoints->Caption());
    if (edScore->accessibleName() == Question)
        return;
    lblFirstMan->setAccessibleName(Question);
    edScore->setAccessibleName(Question);
}

// Enter or Esc can close the dialog while the score still holds a number
// outside its limits, with no focus change to correct it. The dialog is kept
// and a running tournament reads the score again later, so it is brought
// within the limits on every close, the cancelled ones too.
void TfrmSetScore::done(int Result)
{
    edScore->CheckValue();
    TDialogForm::done(Result);
}
