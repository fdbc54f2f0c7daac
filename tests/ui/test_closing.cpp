// SPDX-License-Identifier: GPL-3.0-or-later
// Closing the window: every way of closing goes through the close handler,
// which saves only while the calendar is shown, and may refuse.
#include "Cp1256.h"
#include "DateTime.h"
#include "ProfileFile.h"
#include "Session.h"
#include "UiTesting.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <filesystem>

using namespace velnora;

class Closing : public UiTest {
    Q_OBJECT
  private slots:
    void WithTheBoxOffNothingIsWritten();
    void WithTheBoxOnRedrawsRegistersAndSaves();
    void StalePathIsSavedEmpty();
    void TheCalendarRuleIsUsedAndSavedUnchanged_data();
    void TheCalendarRuleIsUsedAndSavedUnchanged();
    void EveryWayOfClosingAsksTheCloseHandler_data();
    void EveryWayOfClosingAsksTheCloseHandler();
    void AnErrorWhileClosingKeepsTheWindowOpen();
    void AnotherCopyChangingTheWallpaperKeepsTheWindowOpen();
    void AnotherWindowSwitchingOffKeepsTheCalendarOff();
};

void Closing::WithTheBoxOffNothingIsWritten() {
    fixture->SetUserWallpaper();
    fixture->WriteSettings("[months]\nprevious=1\n");
    const auto window = fixture->MakeWindow();
    window->show();
    window->CHKprev->setChecked(false);
    window->ELeftRight->setText(QStringLiteral("77"));
    QVERIFY(window->close());
    QCOMPARE(fixture->SettingsText(), std::optional<std::string>("[months]\nprevious=1\n"));
    QVERIFY(fixture->logonRedrawModes.empty());
    QVERIFY(!std::filesystem::exists(fixture->OutputPath()));
}

void Closing::WithTheBoxOnRedrawsRegistersAndSaves() {
    fixture->SetInstalled("[distance]\nleftright=250\n");
    const auto window = fixture->MakeWindow();
    window->show();
    std::filesystem::remove(fixture->OutputPath());
    window->CHKnext->setChecked(false);
    window->R_Bottom_Left->setChecked(true);
    QVERIFY(window->close());

    QCOMPARE(PictureSize(fixture->OutputPath()), QSize(320, 240));
    QCOMPARE(fixture->logonRedrawModes, (std::vector<unsigned>{1, 1}));
    const ProfileFile settings(fixture->SettingsPath());
    // The distance the window limited is what is written.
    QCOMPARE(settings.ReadString("distance", "leftright", ""), std::string("100"));
    QCOMPARE(settings.ReadString("distance", "topbottom", ""), std::string("30"));
    QCOMPARE(settings.ReadString("months", "next", ""), std::string("0"));
    QCOMPARE(settings.ReadString("months", "previous", ""), std::string("1"));
    QCOMPARE(settings.ReadString("image", "position", ""), std::string("3"));
    QCOMPARE(settings.ReadString("color", "today", ""), std::string("255"));
    QVERIFY(ProfileFile(fixture->Path("state/velnora/oldwallpaper.ini")).HasKey("file", "Wallpaper"));
}

void Closing::StalePathIsSavedEmpty() {
    fixture->SetInstalled("[image]\npath=" + fixture->Path("gone.jpg") + "\n");
    const auto window = fixture->MakeWindow();
    window->show();
    QVERIFY(window->close());
    QCOMPARE(ProfileFile(fixture->SettingsPath()).ReadString("image", "path", "<absent>"),
             std::string(""));
}

void Closing::TheCalendarRuleIsUsedAndSavedUnchanged_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("saved");
    QTest::addColumn<QString>("today"); // the text of today's cell on 20 March 2025
    QTest::addColumn<QString>("title");
    // Under the official rule 20 March 2025 is 30 Esfand 1403, under the
    // arithmetic one 1 Farvardin 1404.
    QTest::newRow("official") << "official"
                              << "official"
                              << "30" << QString::fromUtf8("اسفند 1403");
    QTest::newRow("arithmetic") << "arithmetic"
                                << "arithmetic"
                                << "1" << QString::fromUtf8("فروردين 1404");
    QTest::newRow("other text") << "astronomical"
                                << "arithmetic"
                                << "1" << QString::fromUtf8("فروردين 1404");
}

void Closing::TheCalendarRuleIsUsedAndSavedUnchanged() {
    QFETCH(QString, stored);
    QFETCH(QString, saved);
    QFETCH(QString, today);
    QFETCH(QString, title);
    SetTodayForTesting([] { return EncodeDate(2025, 3, 20); });
    fixture->SetInstalled("[calendar]\nrule=" + stored.toStdString() + "\n");
    const auto window = fixture->MakeWindow();
    const MonthGrid& now = window->Grids.now;
    QCOMPARE(QString::fromStdString(Cp1256ToUtf8(now.title)), title);
    QCOMPARE(QString::fromStdString(now.cells[now.currentColumn][now.currentRow]), today);
    window->show();
    QVERIFY(window->close());
    QCOMPARE(ProfileFile(fixture->SettingsPath()).ReadString("calendar", "rule", "<absent>"),
             saved.toStdString());
}

void Closing::EveryWayOfClosingAsksTheCloseHandler_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("close box") << "close";
    QTest::newRow("Bclose") << "Bclose";
    QTest::newRow("Esc") << "Esc";
    QTest::newRow("Shift+Esc") << "Shift+Esc";
}

void Closing::EveryWayOfClosingAsksTheCloseHandler() {
    QFETCH(QString, how);
    const std::string user = fixture->SetInstalled(
        "[image]\nchoose=1\ncurrent=0\npath=" + fixture->WritePicture("mine.bmp", 64, 48, 0) +
        "\n");
    const auto window = fixture->MakeWindow();
    window->show();
    QVERIFY(window->CHK_show->isChecked());
    std::filesystem::remove(fixture->Path("mine.bmp"));
    const auto closeBy = [&] {
        if (how == QLatin1String("close"))
            window->close();
        else if (how == QLatin1String("Bclose"))
            QTest::mouseClick(window->Bclose, Qt::LeftButton);
        else
            QTest::keyClick(window->ELeftRight, Qt::Key_Escape,
                            how.startsWith("Shift") ? Qt::ShiftModifier : Qt::NoModifier);
    };
    closeBy();
    // Refused: the chosen file is gone, so the calendar comes off.
    QVERIFY(window->isVisible());
    QCOMPARE(fixture->messages, QStringList{"Error|Selected File Not Found !"});
    QVERIFY(!window->CHK_show->isChecked());
    QCOMPARE(fixture->store.values["Wallpaper"], user);
    QCOMPARE(fixture->logonRedrawModes.back(), 0u);
    const std::optional<std::string> settingsAfterTakeOff = fixture->SettingsText();

    // Closing again ends the program without saving.
    closeBy();
    QVERIFY(!window->isVisible());
    QCOMPARE(fixture->SettingsText(), settingsAfterTakeOff);
    QCOMPARE(fixture->messages.size(), 1);
}

void Closing::AnErrorWhileClosingKeepsTheWindowOpen() {
    fixture->SetInstalled();
    const auto window = fixture->MakeWindow();
    window->show();
    const std::optional<std::string> before = fixture->SettingsText();
    const std::size_t autoRuns = fixture->logonRedrawModes.size();
    fixture->store.RefuseEveryWrite();
    QTest::mouseClick(window->Bclose, Qt::LeftButton);
    QVERIFY(window->isVisible());
    QCOMPARE(fixture->messages, QStringList{"Velnora|Failed to set data for 'Wallpaper'"});
    QCOMPARE(fixture->logonRedrawModes.size(), autoRuns);
    QCOMPARE(fixture->SettingsText(), before);
}

void Closing::AnotherWindowSwitchingOffKeepsTheCalendarOff() {
    const std::string user = fixture->SetInstalled();
    const auto first = fixture->MakeWindow();
    const auto second = fixture->MakeWindow();
    first->show();
    second->show();
    second->CHK_show->setChecked(false);
    QVERIFY(first->close());
    QCOMPARE(fixture->store.values.at("Wallpaper"), user);
    QCOMPARE(fixture->messages, QStringList{QStringLiteral("Velnora|") + SwitchedOffElsewhere});
    QCOMPARE(fixture->logonRedrawModes.back(), 0u);
}

void Closing::AnotherCopyChangingTheWallpaperKeepsTheWindowOpen() {
    fixture->SetInstalled();
    const auto window = fixture->MakeWindow();
    window->show();
    // Another copy holds the lock: a shell that locks it with util-linux flock
    // and then becomes the sleep, one process that holds it until killed.
    const std::string lock = fixture->Path("state/velnora/wallpaper.lock");
    std::filesystem::create_directories(std::filesystem::path(lock).parent_path());
    QProcess holder;
    holder.start(QStringLiteral("sh"),
                 {QStringLiteral("-c"),
                  QStringLiteral("exec 9>\"$0\"; flock 9; echo held; exec sleep 60"),
                  QString::fromStdString(lock)});
    QVERIFY(holder.waitForReadyRead(10000));
    QTest::mouseClick(window->Bclose, Qt::LeftButton);
    QVERIFY(window->isVisible());
    QCOMPARE(fixture->messages,
             QStringList{"Velnora|Another copy of Velnora is changing the wallpaper. "
                         "Try again in a moment."});
    holder.kill();
    holder.waitForFinished();

    QTest::mouseClick(window->Bclose, Qt::LeftButton);
    QVERIFY(!window->isVisible());
}

VELNORA_UI_TEST_MAIN(Closing)
#include "test_closing.moc"
