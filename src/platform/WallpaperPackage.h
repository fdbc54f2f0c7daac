// SPDX-License-Identifier: GPL-3.0-or-later
// KDE's wallpaper packages: a folder holding contents/images/<W>x<H>.<ext>, one
// picture per screen shape, and optionally contents/images_dark/ with the
// same pictures for a dark colour scheme. Plasma names such a folder as its
// wallpaper and shows the picture that suits the screen.
#pragma once

#include "PictureLimit.h"

#include <optional>
#include <string>

namespace velnora {

// nullopt when path is no wallpaper package. Otherwise the picture Plasma
// shows on a screen of that size: of the pictures whose names give a size, the
// one of the screen's shape nearest (by width over height), and among those
// the smallest that covers the screen, else the largest; taken from
// images_dark when the user's colour scheme is dark and the package has them.
// A 0 x 0 screen takes the largest picture.
std::optional<std::string> PackagePictureFor(const std::string& path, PictureSize screen);

// The wallpaper package Plasma shows where no picture is set: the one the
// look-and-feel package in use names (kdeglobals, [KDE] LookAndFeelPackage),
// else Plasma's own default "Next"; searched in the wallpapers folders of the
// XDG data folders. "" when none is installed.
std::string PlasmaDefaultWallpaper();

}  // namespace velnora
