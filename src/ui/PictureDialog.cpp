// SPDX-License-Identifier: GPL-3.0-or-later

#include "PictureDialog.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>

namespace {

// The preview pane's side, in pixels: a thumbnail, not the picture.
constexpr int PreviewSide = 160;

void ShowThumbnail(QLabel* preview, const QString& path) {
    QImageReader reader(path);
    const QSize size = reader.size();
    if (!size.isValid()) {
        // Not a picture (a folder, say): nothing of the last one stays.
        preview->setPixmap(QPixmap());
        preview->setToolTip(QString());
        return;
    }
    reader.setScaledSize(size.scaled(PreviewSide, PreviewSide, Qt::KeepAspectRatio));
    const QImage thumbnail = reader.read();
    preview->setPixmap(QPixmap::fromImage(thumbnail));
    preview->setToolTip(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height()));
}

} // namespace

std::unique_ptr<QFileDialog> MakePictureDialog(QWidget* parent) {
    auto dialog = std::make_unique<QFileDialog>(parent);
    // Qt's own dialog, because the desktop's native one takes no preview pane.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    // One file, and a typed name need not exist.
    dialog->setFileMode(QFileDialog::AnyFile);
    // "All" lists every kind the loader reads; the desktops ship their
    // wallpapers as PNG, WebP, SVG and GNOME's XML slideshows.
    dialog->setNameFilters(
        {QStringLiteral("All (*.jpg *.jpeg *.bmp *.png *.webp *.tif *.tiff *.gif *.svg *.xml)"),
         QStringLiteral("JPEG Image File (*.jpg *.jpeg)"), QStringLiteral("Bitmaps (*.bmp)"),
         QStringLiteral("Other pictures (*.png *.webp *.tif *.tiff *.gif *.svg)"),
         QStringLiteral("Slideshows (*.xml)")});
    dialog->selectNameFilter(dialog->nameFilters().first());
    dialog->setSizeGripEnabled(true);

    auto* preview = new QLabel(dialog.get());
    preview->setObjectName(QStringLiteral("preview"));
    preview->setFixedSize(PreviewSide, PreviewSide);
    preview->setAlignment(Qt::AlignCenter);
    preview->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog->layout()))
        grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1);
    QObject::connect(dialog.get(), &QFileDialog::currentChanged, preview,
                     [preview](const QString& path) { ShowThumbnail(preview, path); });
    return dialog;
}

std::optional<QString> ChoosePictureFile(QWidget* parent) {
    std::unique_ptr<QFileDialog> dialog = MakePictureDialog(parent);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    return dialog->selectedFiles().first();
}
