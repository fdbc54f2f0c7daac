// SPDX-License-Identifier: GPL-3.0-or-later
// The distance fields hold only whole numbers: every intermediate text of the
// user's typing counts, and the spin arrows step within 0..100.
#include "SpinArrows.h"
#include "UiTesting.h"

#include <QLineEdit>
#include <QTest>
#include <QToolButton>

using namespace velnora;

class DistanceFields : public ShownWindowTest {
    Q_OBJECT
  private slots:
    void Typing_data();
    void Typing();
    void ProgramTextIsCheckedToo_data();
    void ProgramTextIsCheckedToo();
    void ArrowsStepWithinTheRange_data();
    void ArrowsStepWithinTheRange();
    void UpAndDownKeysStepTheField();
};

void DistanceFields::Typing_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("keys"); // "\b" for Backspace, "<" for Home
    QTest::addColumn<QString>("shown");
    const auto row = [](const char* name, const char* start, const char* keys, const char* shown) {
        QTest::newRow(name) << start << keys << shown;
    };
    row("a letter after the digits", "12", "a", "0");
    row("deleting the last character", "5", "\b", "0");
    row("a lone sign", "", "-", "0");
    row("minus in front of digits stays", "7", "<-", "-7");
    row("250 stays", "", "250", "250");
    row("a leading space stays", "4", "< ", " 4");
    row("a trailing space gives 0", "4", " ", "0");
    row("typing after a reset", "", "x9", "09");
    row("plus sign with digits", "3", "<+", "+3");
}

void DistanceFields::Typing() {
    QFETCH(QString, start);
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    QLineEdit* edit = window->ELeftRight;
    edit->setText(start.isEmpty() ? QStringLiteral("0") : start);
    edit->setFocus();
    edit->end(false);
    if (start.isEmpty())
        edit->selectAll();
    for (const QChar key : keys) {
        if (key == QLatin1Char('\b'))
            QTest::keyClick(edit, Qt::Key_Backspace);
        else if (key == QLatin1Char('<'))
            QTest::keyClick(edit, Qt::Key_Home);
        else
            QTest::keyClicks(edit, QString(key));
    }
    QCOMPARE(edit->text(), shown);
}

void DistanceFields::ProgramTextIsCheckedToo_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    const auto row = [](const char* name, const QString& text, const char* shown) {
        QTest::newRow(name) << text << QString(shown);
    };
    row("pasted $1F", "$1F", "$1F");
    row("pasted 0x1F", "0x1F", "0x1F");
    row("blanks only", "   ", "0");
    row("beyond 32 bits", "2147483648", "0");
    row("lowest 32-bit number", "-2147483648", "-2147483648");
    row("Persian digits", QString::fromUtf16(u"۱۲"), "0");
}

void DistanceFields::ProgramTextIsCheckedToo() {
    QFETCH(QString, text);
    QFETCH(QString, shown);
    window->ETopBottom->setText(text);
    QCOMPARE(window->ETopBottom->text(), shown);
}

void DistanceFields::ArrowsStepWithinTheRange_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("arrow");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<QString>("shown");
    const auto row = [](const char* name, const char* start, const char* arrow, int clicks,
                        const char* shown) {
        QTest::newRow(name) << QString(start) << QString(arrow) << clicks << QString(shown);
    };
    row("up from 30", "30", "up", 1, "31");
    row("down from 30", "30", "down", 2, "28");
    row("stops at 100", "99", "up", 3, "100");
    row("stops at 0, no wrap", "1", "down", 3, "0");
    row("from beyond the range", "250", "down", 1, "99");
    row("from a negative text", "-7", "up", 1, "1");
    row("hexadecimal text", "$10", "up", 1, "17");
}

void DistanceFields::ArrowsStepWithinTheRange() {
    QFETCH(QString, start);
    QFETCH(QString, arrow);
    QFETCH(int, clicks);
    QFETCH(QString, shown);
    window->ELeftRight->setText(start);
    auto* button = window->UDLeftRight->findChild<QToolButton*>(arrow);
    QVERIFY(button);
    for (int i = 0; i < clicks; ++i)
        QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(window->ELeftRight->text(), shown);
    // The arrows never take the focus from the field.
    QVERIFY(!button->hasFocus());
}

void DistanceFields::UpAndDownKeysStepTheField() {
    window->ETopBottom->setText(QStringLiteral("30"));
    window->ETopBottom->setFocus();
    QTest::keyClick(window->ETopBottom, Qt::Key_Up);
    QTest::keyClick(window->ETopBottom, Qt::Key_Up);
    QTest::keyClick(window->ETopBottom, Qt::Key_Down);
    QCOMPARE(window->ETopBottom->text(), QStringLiteral("31"));
    QCOMPARE(window->ELeftRight->text(), QStringLiteral("30"));
}

VELNORA_UI_TEST_MAIN(DistanceFields)
#include "test_distance_fields.moc"
