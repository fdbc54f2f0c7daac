// SPDX-License-Identifier: GPL-3.0-or-later
// The colour pickers: 40 standard colours in 5 rows of 8, the custom colour and
// the colour dialog; colours are 0x00BBGGRR.
#include "ColourPicker.h"
#include "StandardColours.h"
#include "UiTesting.h"

#include <QFrame>
#include <QGridLayout>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <map>
#include <set>

using namespace velnora;

class ColourPickers : public UiTest {
    Q_OBJECT
  private slots:
    void init() {
        UiTest::init();
        picker = std::make_unique<ColourPicker>(nullptr);
        picker->resize(89, 21);
        picker->show();
    }
    void cleanup() {
        ColourPicker::SetColourDialogForTesting({});
        picker.reset();
        UiTest::cleanup();
    }

    void PaletteHoldsFortyDifferentColours();
    void DropDownShowsFiveRowsOfEight();
    void ClickingASwatchSelectsItAndCloses_data();
    void ClickingASwatchSelectsItAndCloses();
    void MoreColorsStartsFromTheCustomColour();
    void CancellingTheDialogChangesNothing();
    void AColourOutsideThePaletteBecomesTheCustomColour();
    void SwatchShowsTheSelectedColour();
    void KeyboardOpensMovesAndPicks_data();
    void KeyboardOpensMovesAndPicks();

  private:
    QFrame* Open() {
        QTest::mouseClick(picker.get(), Qt::LeftButton);
        return picker->Popup();
    }
    std::unique_ptr<ColourPicker> picker;
};

void ColourPickers::PaletteHoldsFortyDifferentColours() {
    const std::set<uint32_t> colours(StandardColours.begin(), StandardColours.end());
    QCOMPARE(colours.size(), std::size_t{40});
    // The corners of the table: black, the 80% grey, the pale rose, white.
    QCOMPARE(StandardColours[0], 0x000000u);
    QCOMPARE(StandardColours[7], 0x333333u);
    QCOMPARE(StandardColours[32], 0xCC99FFu); // rose #FF99CC as 0x00BBGGRR
    QCOMPARE(StandardColours[39], 0xFFFFFFu);
    // Red and blue in their places, in the platform's order.
    QVERIFY(colours.count(0x0000FF)); // red
    QVERIFY(colours.count(0xFF0000)); // blue
    QCOMPARE(StandardColours[16], 0x0000FFu);
}

void ColourPickers::DropDownShowsFiveRowsOfEight() {
    QFrame* popup = Open();
    QVERIFY(popup);
    QVERIFY(popup->isVisible());
    auto* grid = popup->findChild<QGridLayout*>();
    QVERIFY(grid);
    QCOMPARE(grid->rowCount(), 5);
    QCOMPARE(grid->columnCount(), 8);
    QCOMPARE(popup->findChildren<QToolButton*>(QRegularExpression("^swatch")).size(), 40);
    auto* more = popup->findChild<QPushButton*>(QStringLiteral("moreColors"));
    QVERIFY(more);
    QCOMPARE(more->text(), QStringLiteral("More Colors..."));
    auto* custom = popup->findChild<QToolButton*>(QStringLiteral("customSwatch"));
    QVERIFY(custom);
    // The custom swatch sits at the right end of the row of the button.
    QVERIFY(custom->geometry().left() > more->geometry().right());
    popup->close();
}

void ColourPickers::ClickingASwatchSelectsItAndCloses_data() {
    QTest::addColumn<int>("index");
    for (int index : {0, 7, 16, 31, 39})
        QTest::newRow(qPrintable(QString::number(index))) << index;
}

void ColourPickers::ClickingASwatchSelectsItAndCloses() {
    QFETCH(int, index);
    picker->SetSelectedColour(0x123456);
    QFrame* popup = Open();
    auto* swatch = popup->findChild<QToolButton*>(QStringLiteral("swatch%1").arg(index));
    QVERIFY(swatch);
    QTest::mouseClick(swatch, Qt::LeftButton);
    QCOMPARE(picker->SelectedColour(), StandardColours[index]);
    QTRY_VERIFY(!picker->Popup());
}

void ColourPickers::MoreColorsStartsFromTheCustomColour() {
    std::vector<uint32_t> starts;
    ColourPicker::SetColourDialogForTesting([&](uint32_t start) {
        starts.push_back(start);
        return std::optional<uint32_t>(0x00224466);
    });
    QTest::mouseClick(Open()->findChild<QPushButton*>("moreColors"), Qt::LeftButton);
    QCOMPARE(picker->SelectedColour(), 0x00224466u);
    QCOMPARE(picker->CustomColour(), 0x00224466u);
    // White at first, then the last confirmed colour.
    picker->SetSelectedColour(0x0000FF);
    QTest::mouseClick(Open()->findChild<QPushButton*>("moreColors"), Qt::LeftButton);
    QCOMPARE(starts, (std::vector<uint32_t>{0xFFFFFF, 0x00224466}));
    // The custom swatch selects the custom colour.
    picker->SetSelectedColour(0x0000FF);
    QTest::mouseClick(Open()->findChild<QToolButton*>("customSwatch"), Qt::LeftButton);
    QCOMPARE(picker->SelectedColour(), 0x00224466u);
}

void ColourPickers::CancellingTheDialogChangesNothing() {
    picker->SetSelectedColour(0x0000FF);
    ColourPicker::SetColourDialogForTesting([](uint32_t) { return std::optional<uint32_t>(); });
    QTest::mouseClick(Open()->findChild<QPushButton*>("moreColors"), Qt::LeftButton);
    QCOMPARE(picker->SelectedColour(), 0x0000FFu);
    QCOMPARE(picker->CustomColour(), 0xFFFFFFu);
}

void ColourPickers::AColourOutsideThePaletteBecomesTheCustomColour() {
    picker->SetSelectedColour(0x00010203);
    QCOMPARE(picker->CustomColour(), 0x00010203u);
    picker->SetSelectedColour(0x000000); // a palette colour leaves the custom one
    QCOMPARE(picker->CustomColour(), 0x00010203u);
}

void ColourPickers::SwatchShowsTheSelectedColour() {
    picker->SetSelectedColour(0x00FF0000); // blue
    const QImage face = picker->grab().toImage();
    QCOMPARE(face.pixelColor(face.width() / 4, face.height() / 2), QColor(0, 0, 255));
}

void ColourPickers::KeyboardOpensMovesAndPicks_data() {
    QTest::addColumn<QString>("keys"); // the key that opens, then the keys in the drop-down
    QTest::addColumn<int>("picked");   // palette index, -1 the custom colour, -2 nothing
    const auto row = [](const char* name, const char* keys, int picked) {
        QTest::newRow(name) << keys << picked;
    };
    // The selected colour is the palette's 11th (index 10), where the keys start.
    row("Space opens, Enter picks where it starts", "Space Enter", 10);
    row("F4 opens", "F4 Enter", 10);
    row("Alt+Down opens", "AltDown Enter", 10);
    row("right, right, down", "Space Right Right Down Enter", 20);
    row("left and up", "Space Left Up Enter", 1);
    row("no wrap at the left end", "Space Left Left Left Enter", 8);
    row("no wrap at the top", "Space Up Up Up Enter", 2);
    row("Space picks too", "Space Down Space", 18);
    row("down to the custom swatch",
        "Space Right Right Right Right Right Down Down Down Down Enter", -1);
    row("Esc closes without picking", "Space Right Escape", -2);
}

void ColourPickers::KeyboardOpensMovesAndPicks() {
    QFETCH(QString, keys);
    QFETCH(int, picked);
    const std::map<QString, std::pair<Qt::Key, Qt::KeyboardModifiers>> named = {
        {"Space", {Qt::Key_Space, Qt::NoModifier}},   {"Enter", {Qt::Key_Return, Qt::NoModifier}},
        {"F4", {Qt::Key_F4, Qt::NoModifier}},         {"AltDown", {Qt::Key_Down, Qt::AltModifier}},
        {"Left", {Qt::Key_Left, Qt::NoModifier}},     {"Right", {Qt::Key_Right, Qt::NoModifier}},
        {"Up", {Qt::Key_Up, Qt::NoModifier}},         {"Down", {Qt::Key_Down, Qt::NoModifier}},
        {"Escape", {Qt::Key_Escape, Qt::NoModifier}},
    };
    picker->SetSelectedColour(0x00123456); // the custom colour
    picker->SetSelectedColour(StandardColours[10]);
    picker->setFocus();
    const QStringList sequence = keys.split(QLatin1Char(' '));
    for (qsizetype i = 0; i < sequence.size(); ++i) {
        const auto [key, modifiers] = named.at(sequence[i]);
        // The first key goes to the picker, the others to the open drop-down.
        QWidget* target = picker.get();
        if (i > 0) {
            QVERIFY2(picker->Popup(), qPrintable(sequence[i]));
            target = picker->Popup()->focusWidget();
            QVERIFY(target);
        }
        QTest::keyClick(target, key, modifiers);
    }
    QTRY_VERIFY(!picker->Popup());
    const uint32_t expected = picked >= 0    ? StandardColours[picked]
                              : picked == -1 ? 0x00123456u
                                             : StandardColours[10];
    QCOMPARE(picker->SelectedColour(), expected);
}

VELNORA_UI_TEST_MAIN(ColourPickers)
#include "test_colour_picker.moc"
