// The about box: title, edition and version, the acknowledgements and the makers' notice.
#pragma once
#include "platform/Controls.h"
#include "platform/DialogForm.h"

#include <QFrame>

class QKeyEvent;
class QShowEvent;

class TfrmAbout : public TDialogForm
{
    Q_OBJECT
public:
    explicit TfrmAbout(QWidget* Parent = nullptr);

    void FormShow() override;
    void btnCloseClick();

    QFrame* pnl = nullptr;
    TLabel* lblTitle = nullptr;
    TLabel* lblSubTitle = nullptr;
    TLabel* lblVersionInfo = nullptr;
    TLabel* lblCredits = nullptr;
    TMemo* Credits = nullptr;
    TButton* btnClose = nullptr;
    TMemo* lblDevInfo = nullptr;

protected:
    void keyPressEvent(QKeyEvent* Event) override;

private:
    void SetupForm();
    void SetupPanel();
    void SetupLabels();
    void SetupCredits();
    void PlaceTopParts();
    void SetupCloseButton();
    void SetupDevInfo();
};
