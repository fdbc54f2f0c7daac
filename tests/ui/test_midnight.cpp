// SPDX-License-Identifier: GPL-3.0-or-later
// A window left open past midnight: the confirm button and the preview draw the
// new day, exactly as a window opened after midnight does.
#include "DateTime.h"
#include "MonthGrid.h"
#include "UiTesting.h"
#include "Upreview.h"

#include <QPushButton>
#include <QTest>


using namespace velnora;

class Midnight : public UiTest {
    Q_OBJECT
  private slots:
    void init();
    void ConfirmAfterMidnightMarksTheNewDay();
    void PreviewAfterMidnightShowsTheNewDay();
};

namespace {

// 20 March 2026 is 1404/12/30, the last day of a leap year; 21 March is
// 1405/1/1, so the month, the year and all three titles change at midnight.
const double LastEvening = EncodeDate(2026, 3, 20) + (86400.0 - 5) / 86400; // 23:59:55
const double FirstMorning = EncodeDate(2026, 3, 21) + 5.0 / 86400;          // 00:00:05
double moment = LastEvening;

// The text of the current month's marked cell, and the titles.
std::string Shown(const Tmain& window) {
    const MonthGrid& now = window.Grids.now;
    return window.Grids.prev.title + "|" + now.title + "|" + window.Grids.next.title + "|" +
           now.cells[now.currentColumn][now.currentRow];
}

} // namespace

void Midnight::init() {
    UiTest::init();
    fixture->SetInstalled();
    moment = LastEvening;
    SetTodayForTesting([] { return moment; });
}

void Midnight::ConfirmAfterMidnightMarksTheNewDay() {
    const auto window = fixture->MakeWindow();
    window->show();
    QCOMPARE(Shown(*window),
             MonthTitle(1404, 11) + "|" + MonthTitle(1404, 12) + "|" + MonthTitle(1405, 1) + "|30");
    const std::string evening = ReadWholeFile(fixture->OutputPath());

    moment = FirstMorning;
    QTest::mouseClick(window->Brepaint, Qt::LeftButton);
    QCOMPARE(Shown(*window),
             MonthTitle(1404, 12) + "|" + MonthTitle(1405, 1) + "|" + MonthTitle(1405, 2) + "|1");
    const std::string morning = ReadWholeFile(fixture->OutputPath());
    QVERIFY(morning != evening);
    // A window opened now installs the very same picture.
    const auto fresh = fixture->MakeWindow();
    QCOMPARE(ReadWholeFile(fixture->OutputPath()), morning);
    QVERIFY(fixture->messages.isEmpty());
}

void Midnight::PreviewAfterMidnightShowsTheNewDay() {
    const auto window = fixture->MakeWindow();
    const QImage evening = Tpreview(*window).Picture();
    moment = FirstMorning;
    const QImage morning = Tpreview(*window).Picture();
    QVERIFY(!morning.isNull());
    QVERIFY(morning != evening);
    const auto fresh = fixture->MakeWindow();
    QCOMPARE(Tpreview(*fresh).Picture(), morning);
}

VELNORA_UI_TEST_MAIN(Midnight)
#include "test_midnight.moc"
