// SPDX-License-Identifier: GPL-3.0-or-later
// GNOME's background slideshows: an XML file whose root element is
// <background>, holding a <starttime> and a loop of <static> entries (a
// <duration> in seconds and a <file>) and <transition> entries (a <duration>,
// <from> and <to>). Desktops ship their default wallpaper this way.
#pragma once

#include "PictureLimit.h"

#include <ctime>
#include <optional>
#include <string>

namespace velnora {

// Returns nullopt when the file is no slideshow (or cannot be opened).
// Otherwise the path of the picture the slideshow shows at `now`: the loop
// runs from the start time (local time) round and round; during a transition
// the picture it comes from in its first half, the one it goes to in its
// second. A relative path is taken from the slideshow's folder. Where a <file>
// offers several <size> variants, the smallest that covers drawingSize (the
// largest when none does, or when drawingSize is 0 x 0).
// Throws std::runtime_error("Cannot read picture \"<path>\": damaged slideshow
// file") for a slideshow that is not well-formed or names no picture.
std::optional<std::string> SlideshowPictureAt(const std::string& path, std::time_t now,
                                              PictureSize drawingSize);

}  // namespace velnora
