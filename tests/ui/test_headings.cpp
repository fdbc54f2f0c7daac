// SPDX-License-Identifier: GPL-3.0-or-later
// The group headings' blue: as designed on a light theme, readable (contrast
// 4.5:1 or more) on a dark one.
#include "HeadingColour.h"
#include "UiTesting.h"

#include <QLabel>
#include <QTest>

using namespace velnora;

class Headings : public UiTest {
    Q_OBJECT
  private slots:
    void ContrastRatioAsWcagDefinesIt_data();
    void ContrastRatioAsWcagDefinesIt();
    void BlueForTheWindowColour_data();
    void BlueForTheWindowColour();
    void WindowFollowsTheTheme();
};

void Headings::ContrastRatioAsWcagDefinesIt_data() {
    QTest::addColumn<QColor>("first");
    QTest::addColumn<QColor>("second");
    QTest::addColumn<double>("ratio");
    QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
    QTest::newRow("the same colour") << QColor(0x35, 0x35, 0x35) << QColor(0x35, 0x35, 0x35) << 1.0;
    QTest::newRow("order does not matter") << QColor(Qt::white) << QColor(Qt::black) << 21.0;
    // WCAG's own examples: #767676 is the lightest grey that reads on white.
    QTest::newRow("#767676 on white") << QColor(0x76, 0x76, 0x76) << QColor(Qt::white) << 4.54;
    QTest::newRow("blue on white") << QColor(0, 0, 255) << QColor(Qt::white) << 8.59;
    // The fault seen: the designed blue on a dark theme's window.
    QTest::newRow("blue on #353535") << QColor(0, 0, 255) << QColor(0x35, 0x35, 0x35) << 1.43;
}

void Headings::ContrastRatioAsWcagDefinesIt() {
    QFETCH(QColor, first);
    QFETCH(QColor, second);
    QFETCH(double, ratio);
    QVERIFY2(std::abs(ContrastRatio(first, second) - ratio) < 0.01,
             qPrintable(QString::number(ContrastRatio(first, second))));
}

void Headings::BlueForTheWindowColour_data() {
    QTest::addColumn<QColor>("window");
    QTest::addColumn<bool>("dark");
    QTest::newRow("white") << QColor(Qt::white) << false;
    QTest::newRow("Fusion's light grey") << QColor(0xEF, 0xEF, 0xEF) << false;
    QTest::newRow("Windows' button face") << QColor(0xD4, 0xD0, 0xC8) << false;
    QTest::newRow("mid grey, black reads better") << QColor(0x80, 0x80, 0x80) << false;
    QTest::newRow("Fusion's dark grey") << QColor(0x35, 0x35, 0x35) << true;
    QTest::newRow("Breeze dark") << QColor(0x20, 0x23, 0x26) << true;
    QTest::newRow("Adwaita dark") << QColor(0x24, 0x24, 0x24) << true;
    QTest::newRow("black") << QColor(Qt::black) << true;
    QTest::newRow("dark blue") << QColor(0x10, 0x10, 0x60) << true;
}

void Headings::BlueForTheWindowColour() {
    QFETCH(QColor, window);
    QFETCH(bool, dark);
    const QColor blue = HeadingBlue(window, window);
    if (!dark) {
        QCOMPARE(blue, QColor(0, 0, 255));
        return;
    }
    QVERIFY2(ContrastRatio(blue, window) >= 4.5, qPrintable(blue.name()));
    // Still a blue, and no lighter than it needs to be.
    QCOMPARE(blue.blue(), 255);
    QCOMPARE(blue.red(), blue.green());
    QVERIFY(blue.red() < 255);
    QVERIFY(ContrastRatio(QColor(blue.red() - 1, blue.green() - 1, 255), window) < 4.5);
}

void Headings::WindowFollowsTheTheme() {
    fixture->SetUserWallpaper();
    const auto window = fixture->MakeWindow();
    window->show();
    const QList<QLabel*> headings = {window->TntStaticText1, window->TntStaticText2,
                                     window->TntStaticText3, window->TntStaticText4,
                                     window->TntStaticText5, window->TntStaticText6};
    const QPalette light = qApp->palette();
    QPalette dark = light;
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Button, QPalette::Base})
        dark.setColor(role, QColor(0x35, 0x35, 0x35));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        dark.setColor(role, Qt::white);
    for (const bool isDark : {true, false}) {
        // The desktop switches its theme while the window is open.
        const QPalette& theme = isDark ? dark : light;
        qApp->setPalette(theme);
        QCoreApplication::processEvents();
        for (QLabel* heading : headings) {
            // The text as drawn: on the heading's own background.
            const QColor text = heading->palette().color(QPalette::WindowText);
            const QColor background = heading->palette().color(QPalette::Window);
            QCOMPARE(background, theme.color(QPalette::Button));
            if (isDark)
                QVERIFY2(ContrastRatio(text, background) >= 4.5, qPrintable(text.name()));
            else
                QCOMPARE(text, QColor(0, 0, 255));
        }
    }
}

VELNORA_UI_TEST_MAIN(Headings)
#include "test_headings.moc"
