// The user's choices as the settings file keeps them.
#pragma once

#include "ProfileFile.h"

#include <cstdint>
#include <string>

struct Settings {
    int32_t leftRight = 30;            // distance/leftright read as an integer (spin position)
    int32_t topBottom = 30;            // distance/topbottom read as an integer
    std::string leftRightText = "30";  // the same keys read as text (edit boxes)
    std::string topBottomText = "30";
    int32_t back = 0;     // color/back, 0x00BBGGRR
    int32_t today = 255;  // color/today
    bool previous = true; // months/previous
    bool next = true;     // months/next
    int32_t position = 1; // image/position: 1 top right, 2 bottom right, 3 bottom left, 4 top left
    bool choose = false;  // image/choose
    bool current = true;  // image/current
    bool stretch = true;  // image/stretch
    std::string path;     // image/path
};

// Reads every choice with its default. The window applies them to its controls
// in the field order above, so the controls' handlers run as for the user.
Settings LoadSettings(const ProfileFile& file);
// Writes every choice in the settings file's order. path is written as given:
// the caller empties it first when it names no existing file.
void SaveSettings(ProfileFile& file, const Settings& settings);
