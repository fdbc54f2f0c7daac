// SPDX-License-Identifier: GPL-3.0-or-later
// What a user notices of the window's finish: the fonts of its fields, the digits
// a Persian keyboard layout types into the distance fields, Enter on a button,
// the names of the icon-only controls and where the focus starts.
#include "UiTesting.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <utility>

using namespace velnora;

class WindowPolish : public ShownWindowTest {
    Q_OBJECT
  private slots:
    void PathFieldIsRegularInItsBoldPanel();
    void TypedPersianDigitsBecomeAscii_data();
    void TypedPersianDigitsBecomeAscii();
    void EnterPressesTheFocusedButton_data();
    void EnterPressesTheFocusedButton();
    void IconOnlyControlsSayWhatTheyAre();
    void FocusStartsOnTheFirstControl_data();
    void FocusStartsOnTheFirstControl();
};

void WindowPolish::PathFieldIsRegularInItsBoldPanel() {
    QVERIFY(window->Panel5->font().bold());
    QVERIFY(!window->Efilename->font().bold());
}

void WindowPolish::TypedPersianDigitsBecomeAscii_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("start");
    QTest::addColumn<bool>("home"); // type at the start of the text, not its end
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    const auto row = [](const char* name, const char* field, const char* start, bool home,
                        const QString& typed, const char* shown) {
        QTest::newRow(name) << QString(field) << QString(start) << home << typed << QString(shown);
    };
    row("Persian digits", "ELeftRight", "", false, QString::fromUtf16(u"۱۲۰"), "120");
    row("Arabic-Indic digits", "ETopBottom", "", false, QString::fromUtf16(u"٤٥"), "45");
    row("mixed with ASCII", "ETopBottom", "", false, QString::fromUtf16(u"۳0٩"), "309");
    row("in front of a number", "ELeftRight", "7", true, QString::fromUtf16(u"۲۵"), "257");
    row("a letter still gives 0", "ELeftRight", "12", false, QString::fromUtf16(u"ی"), "0");
}

void WindowPolish::TypedPersianDigitsBecomeAscii() {
    QFETCH(QString, field);
    QFETCH(QString, start);
    QFETCH(bool, home);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    auto* edit = window->findChild<QLineEdit*>(field);
    QVERIFY(edit);
    edit->setText(start.isEmpty() ? QStringLiteral("0") : start);
    edit->setFocus();
    if (start.isEmpty())
        edit->selectAll();
    else if (home)
        edit->home(false);
    else
        edit->end(false);
    // One key at a time, as a keyboard layout types them.
    for (const QChar key : typed) {
        QTest::sendKeyEvent(QTest::Press, edit, Qt::Key_unknown, QString(key), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, edit, Qt::Key_unknown, QString(key), Qt::NoModifier);
    }
    QCOMPARE(edit->text(), shown);
}

void WindowPolish::EnterPressesTheFocusedButton_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Enter") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    QTest::newRow("Esc still closes") << int(Qt::Key_Escape) << int(Qt::NoModifier);
}

void WindowPolish::EnterPressesTheFocusedButton() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    // Enter on the focused preview button would open the modal preview; the
    // close button shows its press by closing the window.
    QSignalSpy closeClicks(window->Bclose, &QPushButton::clicked);
    window->Bclose->setFocus();
    QTest::keyClick(window->Bclose, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(closeClicks.count(), key == Qt::Key_Escape ? 0 : 1);
    QVERIFY(!window->isVisible());
}

void WindowPolish::IconOnlyControlsSayWhatTheyAre() {
    const std::pair<QWidget*, QString> names[] = {
        {window->R_Top_Right, QString::fromUtf16(u"بالا راست")},
        {window->R_Bottom_Right, QString::fromUtf16(u"پایین راست")},
        {window->R_Bottom_Left, QString::fromUtf16(u"پایین چپ")},
        {window->R_Top_Left, QString::fromUtf16(u"بالا چپ")},
        {window->ccToday, QString::fromUtf16(u"رنگ امروز")},
        {window->ccBack, QString::fromUtf16(u"رنگ زمینه")},
        {window->Babout, QString::fromUtf16(u"درباره برنامه")},
        {window->Bchoose, QString::fromUtf16(u"انتخاب فایل تصویر")},
    };
    for (const auto& [control, name] : names) {
        QCOMPARE(control->toolTip(), name);
        QCOMPARE(control->accessibleName(), name);
        // Persian yeh and kaf, never the Arabic letters.
        QVERIFY(!name.contains(QChar(0x064A)) && !name.contains(QChar(0x0643)));
    }
}

void WindowPolish::FocusStartsOnTheFirstControl_data() {
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QString>("focused");
    QTest::newRow("redraw button") << true << "Brepaint";
    // The redraw button is disabled while the calendar is off.
    QTest::newRow("preview button when redraw is off") << false << "Bpreview";
}

void WindowPolish::FocusStartsOnTheFirstControl() {
    QFETCH(bool, installed);
    QFETCH(QString, focused);
    window.reset();
    if (installed)
        fixture->SetInstalled();
    window = fixture->MakeWindow();
    window->show();
    // Activated as a window manager does, which gives the focus to a control.
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QVERIFY(window->focusWidget());
    QCOMPARE(window->focusWidget()->objectName(), focused);
}

VELNORA_UI_TEST_MAIN(WindowPolish)
#include "test_window_polish.moc"
