// SPDX-License-Identifier: GPL-3.0-or-later
// The unattended run's status and messages: what the logon entry, the timer
// and a user at a terminal are told. What it draws and saves is checked on
// the use case itself (SessionTest).
#include "UiTesting.h"

#include "UnattendedMain.h"

#include <QTest>

#include <filesystem>
#include <fstream>

using namespace velnora;

class Unattended : public UiTest {
    Q_OBJECT
  private slots:
    void StatusAndMessages_data();
    void StatusAndMessages();
};

void Unattended::StatusAndMessages_data() {
    QTest::addColumn<QString>("settings");
    QTest::addColumn<bool>("pictureBroken");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message"); // the start of the one message, or none
    QTest::newRow("redrawn") << "" << false << 0 << "";
    QTest::newRow("chosen file missing")
        << "[image]\nchoose=1\ncurrent=0\npath=/nonexistent.bmp\n" << false << 1
        << "Error|Selected File Not Found !";
    // The backed-up wallpaper is no picture any more: it cannot be loaded.
    QTest::newRow("error") << "" << true << 1 << "Velnora|";
}

void Unattended::StatusAndMessages() {
    QFETCH(QString, settings);
    QFETCH(bool, pictureBroken);
    QFETCH(int, status);
    QFETCH(QString, message);
    fixture->SetInstalled(settings.toStdString());
    if (pictureBroken)
        std::ofstream(fixture->Path("user wallpaper.bmp"), std::ios::trunc) << "not a picture";
    QCOMPARE(RunUnattended(fixture->Context()), status);
    QCOMPARE(fixture->messages.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QVERIFY2(fixture->messages.front().startsWith(message), qPrintable(fixture->messages.front()));
    if (pictureBroken) {
        QVERIFY(fixture->messages.front().contains(QStringLiteral("user wallpaper.bmp")));
        QVERIFY(fixture->logonRedrawModes.empty());
    }
}

VELNORA_UI_TEST_MAIN(Unattended)
#include "test_unattended.moc"
