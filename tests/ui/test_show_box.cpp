// SPDX-License-Identifier: GPL-3.0-or-later
// The show box puts the calendar on the desktop and takes it off, by the
// user's click and by the program's own steps (start-up, a missing picture).
#include "ProfileFile.h"
#include "UiTesting.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <filesystem>
#include <fstream>

using namespace velnora;

class ShowBox : public UiTest {
    Q_OBJECT
  private slots:
    void TickingInstallsTheCalendar();
    void ClearingRestoresTheWallpaper();
    void TickingWithTheChosenFileMissingTakesTheCalendarOff();
    void StartWhileInstalledRedrawsBeforeShowing();
    void StartAfterAnotherWallpaperWasSet_data();
    void StartAfterAnotherWallpaperWasSet();
    void StartWithTheChosenFileDeleted();
    void FailedInstallLeavesTheBoxOnAndNoAutostart();
    void ClearingAfterTheSettingsFileWasDeletedGivesTheWallpaperBack();
    void OnADesktopNoBackendKnowsTheUserIsToldWhichFileToSet_data();
    void OnADesktopNoBackendKnowsTheUserIsToldWhichFileToSet();
};

namespace {

std::string Backup(const UiFixture& fixture, const char* key) {
    return ProfileFile(fixture.Path("state/velnora/oldwallpaper.ini")).ReadString("file", key, "<absent>");
}

} // namespace

void ShowBox::TickingInstallsTheCalendar() {
    const std::string user = fixture->SetUserWallpaper();
    fixture->store.values.erase("WallpaperOriginY"); // absent values back up as empty
    const auto window = fixture->MakeWindow();
    window->show();
    QTest::mouseClick(window->CHK_show, Qt::LeftButton);

    QVERIFY(window->CHK_show->isChecked());
    QVERIFY(window->Brepaint->isEnabled());
    QCOMPARE(PictureSize(fixture->OutputPath()), QSize(320, 240)); // stretched to the desktop
    QCOMPARE(fixture->store.values["Wallpaper"], fixture->OutputPath());
    QCOMPARE(fixture->store.values["TileWallpaper"], std::string("0"));
    QCOMPARE(fixture->store.values["WallpaperStyle"], std::string("1"));
    QCOMPARE(fixture->store.values["WallpaperOriginX"], std::string("5"));
    QCOMPARE(fixture->store.reloads, 1);
    QCOMPARE(Backup(*fixture, "Wallpaper"), user);
    QCOMPARE(Backup(*fixture, "TileWallpaper"), std::string("1"));
    QCOMPARE(Backup(*fixture, "WallpaperStyle"), std::string("2"));
    QCOMPARE(Backup(*fixture, "WallpaperOriginY"), std::string(""));
    QCOMPARE(fixture->logonRedrawModes, std::vector<unsigned>{1});
    QVERIFY(fixture->messages.isEmpty());
}

void ShowBox::ClearingRestoresTheWallpaper() {
    const std::string user = fixture->SetInstalled();
    const auto window = fixture->MakeWindow();
    window->show();
    QVERIFY(window->CHK_show->isChecked());
    QTest::mouseClick(window->CHK_show, Qt::LeftButton);

    QVERIFY(!window->CHK_show->isChecked());
    QVERIFY(!window->Brepaint->isEnabled());
    QCOMPARE(fixture->store.values["Wallpaper"], user);
    QCOMPARE(fixture->store.values["TileWallpaper"], std::string("1"));
    QCOMPARE(fixture->store.values["WallpaperStyle"], std::string("2"));
    QCOMPARE(fixture->store.values["WallpaperOriginX"], std::string("5"));
    QCOMPARE(fixture->store.values["WallpaperOriginY"], std::string("6"));
    QCOMPARE(Backup(*fixture, "Wallpaper"), std::string("<absent>"));
    // The last calendar gone, its picture goes too.
    QVERIFY(!std::filesystem::exists(fixture->OutputPath()));
    QCOMPARE(fixture->logonRedrawModes, (std::vector<unsigned>{1, 0}));
}

void ShowBox::TickingWithTheChosenFileMissingTakesTheCalendarOff() {
    // Displaced: a backup exists, the desktop shows another picture.
    fixture->SetInstalled("[image]\nchoose=1\ncurrent=0\npath=" + fixture->Path("gone.bmp") + "\n");
    fixture->store.values["Wallpaper"] = fixture->WritePicture("other.bmp", 64, 48, 0xFF);
    const auto window = fixture->MakeWindow();
    window->show();
    QVERIFY(!window->CHK_show->isChecked());
    QTest::mouseClick(window->CHK_show, Qt::LeftButton);

    QCOMPARE(fixture->messages, QStringList{"Error|Selected File Not Found !"});
    QVERIFY(!window->CHK_show->isChecked());
    QVERIFY(!window->Brepaint->isEnabled());
    QCOMPARE(Backup(*fixture, "Wallpaper"), std::string("<absent>"));
    QCOMPARE(fixture->store.values["Wallpaper"], fixture->Path("other.bmp"));
    QVERIFY(!std::filesystem::exists(fixture->OutputPath()));
    // The nested take-off removes the entry; the outer handler then writes it.
    QCOMPARE(fixture->logonRedrawModes, (std::vector<unsigned>{0, 1}));
}

void ShowBox::StartWhileInstalledRedrawsBeforeShowing() {
    const std::string user = fixture->SetInstalled();
    const auto window = fixture->MakeWindow();
    QVERIFY(!window->isVisible());
    QVERIFY(window->CHK_show->isChecked());
    QVERIFY(window->Brepaint->isEnabled());
    QCOMPARE(PictureSize(fixture->OutputPath()), QSize(320, 240));
    QCOMPARE(fixture->logonRedrawModes, std::vector<unsigned>{1});
    QCOMPARE(Backup(*fixture, "Wallpaper"), user); // drawn on the backed-up wallpaper
    QCOMPARE(fixture->store.values["Wallpaper"], fixture->OutputPath());
}

void ShowBox::StartAfterAnotherWallpaperWasSet_data() {
    QTest::addColumn<QString>("wallpaper");
    QTest::newRow("another picture") << "other.bmp";
    QTest::newRow("the name in other letter case") << "velnora.bmp";
}

void ShowBox::StartAfterAnotherWallpaperWasSet() {
    QFETCH(QString, wallpaper);
    fixture->SetInstalled();
    const std::string other = fixture->WritePicture(wallpaper.toStdString(), 64, 48, 0xFF);
    fixture->store.values["Wallpaper"] = other;
    fixture->store.values["TileWallpaper"] = std::string("7");
    const auto window = fixture->MakeWindow();
    QVERIFY(!window->CHK_show->isChecked());
    QVERIFY(!window->Brepaint->isEnabled());
    // The backup is refreshed from the store.
    QCOMPARE(Backup(*fixture, "Wallpaper"), other);
    QCOMPARE(Backup(*fixture, "TileWallpaper"), std::string("7"));
    QVERIFY(fixture->logonRedrawModes.empty());
    QVERIFY(!std::filesystem::exists(fixture->OutputPath()));
}

void ShowBox::StartWithTheChosenFileDeleted() {
    const std::string user = fixture->SetInstalled(
        "[image]\nchoose=1\ncurrent=0\npath=" + fixture->Path("deleted.jpg") + "\n");
    const auto window = fixture->MakeWindow();
    // Shown during creation, before the window is visible.
    QCOMPARE(fixture->messages, QStringList{"Error|Selected File Not Found !"});
    QVERIFY(!window->CHK_show->isChecked());
    QVERIFY(!window->Brepaint->isEnabled());
    QCOMPARE(fixture->store.values["Wallpaper"], user);
    QCOMPARE(fixture->logonRedrawModes, (std::vector<unsigned>{0, 1}));
}

void ShowBox::FailedInstallLeavesTheBoxOnAndNoAutostart() {
    fixture->SetUserWallpaper();
    fixture->store.values["Wallpaper"] = fixture->Path("not a picture.jpg");
    std::ofstream(fixture->Path("not a picture.jpg")) << "plain text";
    const auto window = fixture->MakeWindow();
    window->show();
    QTest::mouseClick(window->CHK_show, Qt::LeftButton);
    QCOMPARE(fixture->messages.size(), 1);
    QVERIFY(fixture->messages[0].startsWith("Velnora|"));
    QVERIFY(window->CHK_show->isChecked());
    QVERIFY(!window->Brepaint->isEnabled());
    QVERIFY(fixture->logonRedrawModes.empty());
    QVERIFY(!fixture->SettingsText());
    QVERIFY(!std::filesystem::exists(fixture->OutputPath()));
    // The message loop goes on: the window still answers the user.
    QTest::mouseClick(window->CHKprev, Qt::LeftButton);
    QVERIFY(!window->CHKprev->isChecked());
}

void ShowBox::ClearingAfterTheSettingsFileWasDeletedGivesTheWallpaperBack() {
    const std::string user = fixture->SetUserWallpaper();
    const auto window = fixture->MakeWindow();
    window->show();
    QTest::mouseClick(window->CHK_show, Qt::LeftButton);
    std::filesystem::remove(fixture->SettingsPath());
    QTest::mouseClick(window->CHK_show, Qt::LeftButton);

    QVERIFY(!window->CHK_show->isChecked());
    QCOMPARE(fixture->store.values["Wallpaper"], user);
    QCOMPARE(fixture->store.values["TileWallpaper"], std::string("1"));
    QCOMPARE(fixture->store.values["WallpaperStyle"], std::string("2"));
    QCOMPARE(fixture->logonRedrawModes, (std::vector<unsigned>{1, 0}));
    QVERIFY(fixture->messages.isEmpty());
}

void ShowBox::OnADesktopNoBackendKnowsTheUserIsToldWhichFileToSet_data() {
    QTest::addColumn<bool>("picture");
    QTest::newRow("a picture set by hand") << true;
    // Nothing to read: the calendar goes on a plain picture of the desktop's size.
    QTest::newRow("no picture") << false;
}

void ShowBox::OnADesktopNoBackendKnowsTheUserIsToldWhichFileToSet() {
    QFETCH(bool, picture);
    if (picture)
        fixture->SetUserWallpaper();
    fixture->store.reachesDesktop = false;
    const auto window = fixture->MakeWindow();
    window->show();
    QTest::mouseClick(window->CHK_show, Qt::LeftButton);
    // Saved and recorded as on any desktop, then one notice that is no error.
    QCOMPARE(fixture->store.values["Wallpaper"], fixture->OutputPath());
    QCOMPARE(PictureSize(fixture->OutputPath()), QSize(320, 240));
    QCOMPARE(fixture->messages.size(), 1);
    QVERIFY(fixture->messages.front().startsWith(QStringLiteral("Velnora|")));
    QVERIFY(fixture->messages.front().contains(QString::fromStdString(fixture->OutputPath())));

    // A redraw, and a later start with the calendar on, tell nothing more.
    QTest::mouseClick(window->Brepaint, Qt::LeftButton);
    const auto again = fixture->MakeWindow();
    again->show();
    QVERIFY(again->CHK_show->isChecked());
    QCOMPARE(fixture->messages.size(), 1);
}

VELNORA_UI_TEST_MAIN(ShowBox)
#include "test_show_box.moc"
