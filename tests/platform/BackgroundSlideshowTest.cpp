// SPDX-License-Identifier: GPL-3.0-or-later
// GNOME's background slideshows: the picture shown at a given moment, from the
// start time and the durations, round the loop and through its transitions.
#include "BackgroundSlideshow.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <ctime>
#include <fstream>
#include <optional>
#include <string>

using namespace velnora;

namespace {

// A day's loop from midnight of 1 January 2024 (local time): night until 7,
// an hour's fade into the day, day until 18, an hour's fade into the evening.
// The day picture comes in two sizes.
const char* const DayLoop = R"(<?xml version="1.0" encoding="UTF-8"?>
<!-- as desktops ship it -->
<background>
  <starttime>
    <year>2024</year><month>01</month><day>01</day>
    <hour>00</hour><minute>00</minute><second>00</second>
  </starttime>
  <static><duration>25200.0</duration><file>night.png</file></static>
  <transition type="overlay">
    <duration>3600.0</duration><from>night.png</from><to>/pictures/day-big.png</to>
  </transition>
  <static>
    <duration>36000.0</duration>
    <file>
      <size width="1920" height="1080">/pictures/day-small.png</size>
      <size width="3840" height="2160">/pictures/day-big.png</size>
    </file>
  </static>
  <transition type="overlay">
    <duration>3600.0</duration><from>/pictures/day-big.png</from><to>evening.png</to>
  </transition>
  <static><duration>18000.0</duration><file>evening.png</file></static>
</background>
)";

// Local time on a day some weeks after the start, and in the same season: the
// loop runs in seconds, so a change of summer time between shifts it by an hour.
std::time_t At(int hour, int minute) {
    std::tm when{};
    when.tm_year = 2024 - 1900;
    when.tm_mon = 0;
    when.tm_mday = 20;
    when.tm_hour = hour;
    when.tm_min = minute;
    when.tm_isdst = -1;
    return std::mktime(&when);
}

TEST(BackgroundSlideshowTest, GivesThePictureOfTheTimeOfDay) {
    TempFolder folder;
    std::ofstream(folder / "loop.xml") << DayLoop;
    const std::string night = folder / "night.png";
    const std::string evening = folder / "evening.png";
    const struct {
        int hour, minute;
        PictureSize size;
        std::string shown;
    } cases[] = {
        {3, 0, {}, night},
        {7, 20, {}, night},                               // the first half of the fade
        {7, 40, {}, "/pictures/day-big.png"},             // its second half
        {12, 0, {1920, 1080}, "/pictures/day-small.png"}, // the smallest that covers it
        {12, 0, {2560, 1440}, "/pictures/day-big.png"},
        {12, 0, {}, "/pictures/day-big.png"},           // no size: the largest
        {12, 0, {7680, 4320}, "/pictures/day-big.png"}, // none covers it: the largest
        {21, 0, {}, evening},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SlideshowPictureAt(folder / "loop.xml", At(c.hour, c.minute), c.size), c.shown)
            << c.hour << ":" << c.minute;
}

TEST(BackgroundSlideshowTest, TellsOtherFilesFromDamagedSlideshows) {
    TempFolder folder;
    const struct {
        const char* content;
        bool slideshow;
        bool damaged;
    } cases[] = {
        {"<svg xmlns=\"http://www.w3.org/2000/svg\"/>", false, false},
        {"plain words", false, false},
        {"", false, false},
        {"<background><static><duration>5</duration><file>a.png</file></static>", true, true},
        {"<background></background>", true, true},
        {"<background><static><duration>0</duration><file>a.png</file></static></background>", true,
         false},
    };
    for (const auto& c : cases) {
        const std::string path = folder / "file.xml";
        std::ofstream(path) << c.content;
        if (c.damaged) {
            ExpectMessage([&] { SlideshowPictureAt(path, At(12, 0), {}); },
                          "Cannot read picture \"" + path + "\": damaged slideshow file");
            continue;
        }
        const std::optional<std::string> shown = SlideshowPictureAt(path, At(12, 0), {});
        EXPECT_EQ(shown.has_value(), c.slideshow) << c.content;
    }
    EXPECT_EQ(SlideshowPictureAt(folder / "missing.xml", At(12, 0), {}), std::nullopt);
}

} // namespace
