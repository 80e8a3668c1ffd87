// An open-file dialog for pictures, with a preview of the picture under the cursor.
#pragma once
#include <QFileDialog>

class QLabel;

class TPictureDialog : public QFileDialog
{
    Q_OBJECT
public:
    TPictureDialog(const QString& Name, const QString& Title, const QString& Filter, QWidget* Parent);

private:
    void ShowPreview(const QString& FileName);

    QLabel* FPreview;
};
