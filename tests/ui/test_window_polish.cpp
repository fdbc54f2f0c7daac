// What a user notices of the window's finish: the fonts of its fields.
#include "UiTesting.h"

#include <QLineEdit>
#include <QTest>

class WindowPolish : public UiTest {
    Q_OBJECT
  private slots:
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

    void PathFieldIsRegularInItsBoldPanel();

  private:
    std::unique_ptr<Tmain> window;
};

void WindowPolish::PathFieldIsRegularInItsBoldPanel() {
    QVERIFY(window->Panel5->font().bold());
    QVERIFY(!window->Efilename->font().bold());
}

VELNORA_UI_TEST_MAIN(WindowPolish)
#include "test_window_polish.moc"
