#include "platform/PictureDialog.h"

#include "platform/Bitmap.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>

namespace {

constexpr int PreviewSize = 160;

} // namespace

TPictureDialog::TPictureDialog(const QString& Name, const QString& Title, const QString& Filter, QWidget* Parent)
    : QFileDialog(Parent, Title, QString(), Filter)
{
    setObjectName(Name);
    // The preview needs the dialog's own widgets; a native dialog has none to extend.
    setOption(QFileDialog::DontUseNativeDialog);
    setFileMode(QFileDialog::ExistingFile);
    FPreview = new QLabel(this);
    FPreview->setObjectName(QStringLiteral("Preview"));
    FPreview->setFixedSize(PreviewSize, PreviewSize);
    FPreview->setAlignment(Qt::AlignCenter);
    FPreview->setFrameShape(QFrame::StyledPanel);
    if (auto* Grid = qobject_cast<QGridLayout*>(layout()))
        Grid->addWidget(FPreview, 1, Grid->columnCount(), Grid->rowCount() - 1, 1);
    connect(this, &QFileDialog::currentChanged, this, &TPictureDialog::ShowPreview);
    ShowPreview(QString());
}

void TPictureDialog::ShowPreview(const QString& FileName)
{
    const QImage Picture = QFileInfo(FileName).isFile() ? LoadPicture(FileName) : QImage();
    if (Picture.isNull()) {
        FPreview->setPixmap(QPixmap());
        FPreview->setText(tr("(None)"));
        return;
    }
    FPreview->setPixmap(QPixmap::fromImage(
        Picture.scaled(PreviewSize - 4, PreviewSize - 4, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}
