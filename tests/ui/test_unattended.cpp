// SPDX-License-Identifier: GPL-3.0-or-later
// The unattended run without a window against the window's own run (started
// with an argument, it closes itself after one redraw), on the same settings
// files: the same output picture, settings file, store values, autostart entry
// and messages afterwards.
#include "UiTesting.h"

#include "UnattendedMain.h"

#include <QTest>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

using namespace velnora;

namespace {

struct Outcome {
    std::optional<std::string> settings;
    std::optional<std::string> picture;
    std::map<std::string, std::string> store;
    std::optional<unsigned> autostart; // the last mode written, if any
    QStringList messages;
};

std::optional<std::string> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

} // namespace

class Unattended : public UiTest {
    Q_OBJECT
  private slots:
    void SameResultsAsTheWindowsRun_data();
    void SameResultsAsTheWindowsRun();
    void AnErrorGivesStatusOne();

  private:
    // The user's wallpaper, the settings file and the store as the row sets them.
    void Prepare(bool installed, bool displaced, const std::string& settings);
    Outcome Collect() const;
};

void Unattended::Prepare(bool installed, bool displaced, const std::string& settings) {
    std::filesystem::remove_all(fixture->Path("state"));
    std::filesystem::remove(fixture->OutputPath());
    fixture->autoRunModes.clear();
    fixture->messages.clear();
    fixture->store = FakeDesktop();
    if (installed)
        fixture->SetInstalled(settings);
    else {
        fixture->SetUserWallpaper();
        if (!settings.empty())
            fixture->WriteSettings(settings);
    }
    if (displaced)
        fixture->store.values["Wallpaper"] = fixture->WritePicture("new.bmp", 64, 48, 0x00FF00);
}

Outcome Unattended::Collect() const {
    Outcome outcome;
    outcome.settings = fixture->SettingsText();
    outcome.picture = FileBytes(fixture->OutputPath());
    outcome.store = fixture->store.values;
    if (!fixture->autoRunModes.empty())
        outcome.autostart = fixture->autoRunModes.back();
    outcome.messages = fixture->messages;
    return outcome;
}

void Unattended::SameResultsAsTheWindowsRun_data() {
    QTest::addColumn<bool>("installed");
    QTest::addColumn<bool>("displaced");
    QTest::addColumn<QString>("settings");
    const auto row = [](const char* name, bool installed, bool displaced, const char* settings) {
        QTest::newRow(name) << installed << displaced << QString::fromUtf8(settings);
    };
    row("not installed, no settings file", false, false, "");
    row("not installed, choices stored", false, false, "[distance]\nleftright=12\n");
    row("installed, defaults", true, false, "");
    row("displaced", true, true, "");
    row("distances 250 and abc", true, false, "[distance]\nleftright=250\ntopbottom=abc\n");
    row("distances negative and in hex", true, false, "[distance]\nleftright=-5\ntopbottom=$1F\n");
    row("distance past 16 bits", true, false, "[distance]\nleftright=65566\n");
    row("corner 0", true, false, "[image]\nposition=0\n");
    row("corner 7", true, false, "[image]\nposition=7\n");
    row("bottom-left, no stretch", true, false, "[image]\nposition=3\nstretch=0\n");
    row("both sources on", true, false, "[image]\nchoose=1\ncurrent=1\npath=/nonexistent.bmp\n");
    row("chosen file missing", true, false,
        "[image]\nchoose=1\ncurrent=0\npath=/nonexistent.bmp\n");
    row("stale path, current wallpaper", true, false,
        "[image]\ncurrent=1\npath=/nonexistent.bmp\n");
    row("yes, 0 and hex colours", true, false,
        "[months]\nprevious=yes\nnext=0\n[color]\nback=0xFF\ntoday=$FF00\n");
    row("official calendar", true, false, "[calendar]\nrule=official\n");
    row("options out of range", true, false,
        "[calendar]\nscale=50\n[color]\noutline=red\nholiday=-7\n");
    row("options in hexadecimal", true, false,
        "[calendar]\nscale=$C8\n[color]\noutline=$FF\nholiday=0x8000\n");
    row("other dates, Dari names", true, false,
        "[calendar]\notherdates=gregorian-lunar\nmonthnames=dari\n[color]\nholiday=255\n");
    row("stretched exactly", true, false, "[image]\nkeepproportions=0\n");
}

void Unattended::SameResultsAsTheWindowsRun() {
    QFETCH(bool, installed);
    QFETCH(bool, displaced);
    QFETCH(QString, settings);

    Prepare(installed, displaced, settings.toStdString());
    SetArgumentCount(1);
    {
        const auto window = fixture->MakeWindow();
        window->show();
        QTRY_VERIFY(!window->isVisible());
    }
    SetArgumentCount(0);
    const Outcome byWindow = Collect();

    Prepare(installed, displaced, settings.toStdString());
    const int status = RunUnattended(fixture->Context());
    const Outcome alone = Collect();

    QCOMPARE(alone.settings, byWindow.settings);
    QCOMPARE(alone.picture.has_value(), byWindow.picture.has_value());
    QVERIFY(alone.picture == byWindow.picture);
    QCOMPARE(alone.store, byWindow.store);
    QCOMPARE(alone.autostart, byWindow.autostart);
    QCOMPARE(alone.messages, byWindow.messages);
    QCOMPARE(status, alone.messages.isEmpty() ? 0 : 1);
}

void Unattended::AnErrorGivesStatusOne() {
    fixture->SetInstalled();
    // The backed-up wallpaper is gone: the picture cannot be loaded.
    std::filesystem::remove(fixture->Path("user wallpaper.bmp"));
    QCOMPARE(RunUnattended(fixture->Context()), 1);
    QCOMPARE(fixture->messages.size(), 1);
    QVERIFY(fixture->messages.front().contains(QStringLiteral("user wallpaper.bmp")));
    QVERIFY(fixture->autoRunModes.empty());
}

VELNORA_UI_TEST_MAIN(Unattended)
#include "test_unattended.moc"
