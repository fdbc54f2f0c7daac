// SPDX-License-Identifier: GPL-3.0-or-later

#include "PictureDialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QImageReader>
#include <QLabel>
#include <QRegularExpression>
#include <QTreeView>

namespace velnora {

namespace {

// The preview pane's side, in pixels: a thumbnail, not the picture.
constexpr int PreviewSide = 160;

// The property of the preview pane that holds the path of the picture it shows.
const char* const ShownPath = "shownPath";

void ShowThumbnail(QLabel* preview, const QString& path) {
    QImageReader reader(path);
    const QSize size = reader.size();
    if (!size.isValid()) {
        // Not a picture (a folder, say): nothing of the last one stays.
        preview->setPixmap(QPixmap());
        preview->setToolTip(QString());
        preview->setProperty(ShownPath, QString());
        return;
    }
    reader.setScaledSize(size.scaled(PreviewSide, PreviewSide, Qt::KeepAspectRatio));
    const QImage thumbnail = reader.read();
    preview->setPixmap(QPixmap::fromImage(thumbnail));
    preview->setToolTip(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height()));
    preview->setProperty(ShownPath, path);
}

// Whether a name filter ("Bitmaps (*.bmp)") lists a file, as the dialog's list
// matches it: by the patterns in its parentheses, letter case aside.
bool FilterLists(const QString& filter, const QString& path) {
    static const QRegularExpression inParentheses(QStringLiteral("\\(([^)]*)\\)"));
    const QRegularExpressionMatch match = inParentheses.match(filter);
    const QString patterns = match.hasMatch() ? match.captured(1) : filter;
    const QString name = QFileInfo(path).fileName();
    for (const QString& pattern : patterns.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QRegularExpression wildcard(QRegularExpression::wildcardToRegularExpression(pattern),
                                          QRegularExpression::CaseInsensitiveOption);
        if (wildcard.match(name).hasMatch())
            return true;
    }
    return false;
}

// The file list's columns of size, type and date are as wide as what they
// show, and the name takes the rest: at the dialog's default size, widened by
// the preview pane, none is cut.
void FitColumns(QFileDialog& dialog) {
    auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!list)
        return;
    QHeaderView* header = list->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < header->count(); ++column)
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
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
    // A picture that the chosen filter no longer lists is no longer shown.
    QObject::connect(dialog.get(), &QFileDialog::filterSelected, preview,
                     [preview](const QString& filter) {
                         const QString shown = preview->property(ShownPath).toString();
                         if (!shown.isEmpty() && !FilterLists(filter, shown))
                             ShowThumbnail(preview, QString());
                     });
    FitColumns(*dialog);
    // Qt opens its dialog narrower than its contents ask for, and the preview
    // pane takes its width from the file list.
    dialog->resize(dialog->sizeHint());
    return dialog;
}

std::optional<QString> ChoosePictureFile(QWidget* parent) {
    std::unique_ptr<QFileDialog> dialog = MakePictureDialog(parent);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    return dialog->selectedFiles().first();
}

}  // namespace velnora
