// SPDX-License-Identifier: GPL-3.0-or-later
// What the window tests share: a program folder of their own, a wallpaper
// store in memory, a record of the autostart calls, the messages the windows
// showed, and a fixed today.
#pragma once

#include "../support/FakeDesktop.h"
#include "Application.h"
#include "Bitmap.h"
#include "ColourPicker.h"
#include "GroupRadioButton.h"
#include "MainContext.h"
#include "SpinArrows.h"
#include "Umain.h"

#include <QObject>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace velnora {

class UiFixture {
  public:
    UiFixture();
    ~UiFixture();

    std::string Path(const std::string& name) const;
    std::string SettingsPath() const { return Path("velnora.INI"); }
    std::string OutputPath() const { return Path("Velnora.bmp"); }

    void WriteSettings(const std::string& text) const;
    // The settings file's bytes, or nullopt when it does not exist.
    std::optional<std::string> SettingsText() const;
    // A plain picture of one colour (0x00BBGGRR) saved as BMP.
    std::string WritePicture(const std::string& name, int width, int height, uint32_t colour) const;
    // The store names a picture of the user's, no calendar installed.
    std::string SetUserWallpaper(int width = 640, int height = 480);
    // The calendar installed: the store names the output picture and the
    // user's record holds the backup of the user's wallpaper.
    std::string SetInstalled(const std::string& extraSettings = "");

    MainContext Context();
    std::unique_ptr<Tmain> MakeWindow();

    QTemporaryDir folder;
    FakeDesktop store;
    std::vector<unsigned> logonRedrawModes;
    QStringList messages; // "title|text"
    std::optional<QString> pickedFile;
    int pickerOpened = 0;
};

// The QTest class of every window test: a fresh fixture for each test function.
class UiTest : public QObject {
    Q_OBJECT
  protected slots:
    void init() { fixture = std::make_unique<UiFixture>(); }
    void cleanup() { fixture.reset(); }

  protected:
    std::unique_ptr<UiFixture> fixture;
};

// A window test on a main window shown over a wallpaper of the user's own,
// fresh for each test function.
class ShownWindowTest : public UiTest {
    Q_OBJECT
  protected slots:
    void init() {
        UiTest::init();
        fixture->SetUserWallpaper();
        window = fixture->MakeWindow();
        window->show();
    }
    void cleanup() {
        window.reset();
        UiTest::cleanup();
    }

  protected:
    std::unique_ptr<Tmain> window;
};

// Reads the output picture's size, or 0 x 0.
QSize PictureSize(const std::string& path);

// The application object with the program's error handler, then the test class.
#define VELNORA_UI_TEST_MAIN(TestClass)                                                            \
    int main(int argc, char** argv) {                                                              \
        Application application(argc, argv);                                                       \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

}  // namespace velnora
