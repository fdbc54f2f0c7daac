// SPDX-License-Identifier: GPL-3.0-or-later
// What the window tests share: a program folder of their own, a wallpaper
// store in memory, a record of the autostart calls, the messages the windows
// showed, and a fixed today.
#pragma once

#include "../support/FakeDesktop.h"
#include "../support/Files.h"
#include "Application.h"
#include "Bitmap.h"
#include "ColourPicker.h"
#include "GroupRadioButton.h"
#include "MainContext.h"
#include "SpinArrows.h"
#include "Umain.h"

#include <QApplication>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>
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

    TempFolder folder;
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

// Runs `open` and, once the modal loop it starts is running, `act` on the
// modal window if it is a W (any other is closed); `act` closes it. False when
// no W opened. The timer is this call's own, so it cannot fire in a later test
// when nothing opened.
template <class W>
bool WithModal(const std::function<void()>& open, const std::function<void(W&)>& act) {
    bool opened = false;
    QTimer inModalLoop;
    inModalLoop.setSingleShot(true);
    QObject::connect(&inModalLoop, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* window = qobject_cast<W*>(modal)) {
            opened = true;
            act(*window);
        } else if (modal) {
            modal->close();
        }
    });
    inModalLoop.start(0);
    open();
    return opened;
}

// Reads the output picture's size, or 0 x 0.
QSize PictureSize(const std::string& path);

// Runs one test class with QTest's arguments; what QTest::qExec returns.
using UiTestRun = int (*)(int argc, char** argv);
// Enters a test class in the window test program (UiTestMain.cpp) under its name.
bool RegisterUiTest(const char* name, UiTestRun run);

// Enters the test class in the one window test program, which runs it by name.
#define VELNORA_UI_TEST_MAIN(TestClass)                                                            \
    static const bool TestClass##Registered =                                                      \
        RegisterUiTest(#TestClass, [](int argc, char** argv) {                                     \
            TestClass test;                                                                        \
            return QTest::qExec(&test, argc, argv);                                                \
        });

}  // namespace velnora
