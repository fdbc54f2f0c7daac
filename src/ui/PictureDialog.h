// SPDX-License-Identifier: GPL-3.0-or-later
// The picture-file dialog of the browse button: three filters (all pictures,
// JPEG files, bitmaps), one file, which need not exist, and a preview pane
// beside the file list.
#pragma once

#include <QString>

#include <memory>
#include <optional>

class QFileDialog;
class QWidget;

namespace velnora {

std::unique_ptr<QFileDialog> MakePictureDialog(QWidget* parent);
// Shows the dialog modally: the confirmed full path, or nullopt on cancel.
std::optional<QString> ChoosePictureFile(QWidget* parent);

}  // namespace velnora
