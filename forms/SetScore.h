// The tournament dialog, which asks for the score that wins a tournament.
#pragma once
#include "platform/Controls.h"
#include "platform/DialogForm.h"

#include <QFrame>
#include <QSpinBox>
#include <QString>
#include <QValidator>

// The target a tournament plays to until the user asks for another.
constexpr int DefaultTargetScore = 151;

class QFocusEvent;
class QShowEvent;

// A whole-number spin edit that takes any number of up to four digits while it
// is typed, and brings it within the limits when the keyboard focus leaves it.
class TSpinEdit : public QSpinBox
{
    Q_OBJECT
public:
    TSpinEdit(const QString& Name, QWidget* Parent);

    // The number the text reads as, even outside the limits; a text that is no
    // number reads as the minimum.
    int Value() const;
    // Brings the text within the limits.
    void CheckValue();

protected:
    QValidator::State validate(QString& Input, int& Pos) const override;
    int valueFromText(const QString& Text) const override;
    QString textFromValue(int Value) const override;
    void focusOutEvent(QFocusEvent* Event) override;
    // The arrows step from the number typed, not from the one Qt last kept.
    void stepBy(int Steps) override;
    StepEnabled stepEnabled() const override;
};

class TfrmSetScore : public TDialogForm
{
    Q_OBJECT
public:
    explicit TfrmSetScore(QWidget* Parent = nullptr);

    // The tournament's target as edScore reads now.
    int Score() const { return edScore->Value(); }

    void FormShow() override;
    void done(int Result) override;

    QFrame* pnl = nullptr;
    TLabel* lblFirstMan = nullptr;
    TSpinEdit* edScore = nullptr;
    TLabel* lblPoints = nullptr;
    TButton* btnClose = nullptr;
    TButton* btnCancel = nullptr;

    // The question the field answers, with its number, as assistive technology reads it.
    void NameQuestion();

private:
    void SetupForm();
    void SetupControls();
};
