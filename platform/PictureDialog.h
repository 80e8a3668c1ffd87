// An open-file dialog for pictures, with a preview of the picture under the cursor.
#pragma once
#include <QFileDialog>

class QLabel;

class TPictureDialog : public QFileDialog
{
    Q_OBJECT
public:
    TPictureDialog(const QString& Name, const QString& Title, const QString& Filter, QWidget* Parent);

    // The file's name when the preview shows a picture, empty otherwise.
    const QString& Previewed() const { return FPreviewed; }

private:
    void ShowPreview(const QString& FileName);

    QLabel* FPreview;
    QString FPreviewed;
};
