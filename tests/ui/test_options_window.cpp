// SPDX-License-Identifier: GPL-3.0-or-later
// The options window: opened by its button, its controls start from the
// settings file, and what the user confirms there is what the redraw uses and
// what the settings file keeps.
#include "ColourPicker.h"
#include "DateTime.h"
#include "UiTesting.h"
#include "Uoptions.h"
#include "Upreview.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include <functional>

using namespace velnora;

namespace {

// What the options window shows, in the settings file's words; a value control
// that is enabled without its choice on (or the other way) shows as "!".
QString Shown(const Toptions& options) {
    QStringList shown;
    shown << (options.R_Official->isChecked()     ? "official"
              : options.R_Arithmetic->isChecked() ? "arithmetic"
                                                  : "?");
    const bool percent = options.R_ScalePercent->isChecked();
    shown << (percent == options.UDscale->isEnabled() ? "" : "!") +
                 (options.R_ScaleAuto->isChecked() ? QStringLiteral("auto")
                  : percent                        ? QString::number(options.UDscale->value())
                                                   : QStringLiteral("?"));
    const bool colour = options.R_OutlineColour->isChecked();
    shown << (colour == options.ccOutline->isEnabled() ? "" : "!") +
                 (options.R_OutlineNone->isChecked()   ? QStringLiteral("none")
                  : options.R_OutlineAuto->isChecked() ? QStringLiteral("auto")
                  : colour ? QString::number(options.ccOutline->SelectedColour())
                           : QStringLiteral("?"));
    const bool holiday = options.CHKholiday->isChecked();
    shown << (holiday == options.ccHoliday->isEnabled() ? "" : "!") +
                 (holiday ? QString::number(options.ccHoliday->SelectedColour())
                          : QStringLiteral("-1"));
    return shown.join(QLatin1Char(' '));
}

// The four keys of the options as the settings file holds them, in the same words.
QString Saved(const std::string& file) {
    QStringList saved;
    for (const char* key : {"rule=", "scale=", "outline=", "holiday="}) {
        const size_t at = file.find(std::string("\n") + key);
        if (at == std::string::npos) {
            saved << QStringLiteral("(no %1)").arg(key);
            continue;
        }
        const size_t from = at + 1 + std::string(key).size();
        saved << QString::fromStdString(file.substr(from, file.find('\n', from) - from));
    }
    return saved.join(QLatin1Char(' '));
}

// Clicks a radio button or check box on its box: the centre of a wide one may
// lie beyond its caption, where a click does nothing.
void Click(QAbstractButton* button) {
    const int x = button->isRightToLeft() ? button->width() - 8 : 8;
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(x, button->height() / 2));
}

// Clicks the options button and runs `act` on the options window while it is
// shown modally; `act` closes it. False when no options window opened.
bool WithOptionsWindow(Tmain& window, const std::function<void(Toptions&)>& act) {
    return WithModal<Toptions>([&] { QTest::mouseClick(window.Boptions, Qt::LeftButton); }, act);
}

} // namespace

class OptionsWindow : public UiTest {
    Q_OBJECT
  private slots:
    void StartsFromTheSettingsFileAndSavesAsShown_data();
    void StartsFromTheSettingsFileAndSavesAsShown();
    void ConfirmedChoicesAreUsedAndSaved_data();
    void ConfirmedChoicesAreUsedAndSaved();
    void OfficialRuleRedrawsTheMonths();
    void PreviewShowsTheHolidayColour();
    void OtherDatesDariNamesAndPanelsChoiceAreUsedAndSaved();
    void TheProportionsChoiceStartsFromTheFileAndIsSaved();
    void CaptionsUsePersianYehAndKaf();

  private:
    // A window over an installed calendar, so that closing it saves.
    std::unique_ptr<Tmain> InstalledWindow(const std::string& settings) {
        fixture->SetInstalled(settings);
        auto window = fixture->MakeWindow();
        window->show();
        return window;
    }
};

void OptionsWindow::StartsFromTheSettingsFileAndSavesAsShown_data() {
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QString>("shown"); // rule, scale, outline, holiday colour
    const auto row = [](const char* name, const char* settings, const char* shown) {
        QTest::newRow(name) << settings << shown;
    };
    row("no keys: the defaults", "", "arithmetic auto none -1");
    row("every choice on",
        "[calendar]\nrule=official\nscale=150\n[color]\noutline=auto\nholiday=255\n",
        "official 150 auto 255");
    row("an outline colour", "[color]\noutline=16777215\n", "arithmetic auto 16777215 -1");
    row("outline and holiday colour in hexadecimal", "[color]\noutline=$FF\nholiday=0x8000\n",
        "arithmetic auto 255 32768");
    row("scale below 100 is auto", "[calendar]\nscale=50\n", "arithmetic auto none -1");
    row("scale above 400 is auto", "[calendar]\nscale=1000\n", "arithmetic auto none -1");
    row("scale in hexadecimal", "[calendar]\nscale=$C8\n", "arithmetic 200 none -1");
    row("scale that is no number is auto", "[calendar]\nscale=big\n", "arithmetic auto none -1");
    row("unknown rule is arithmetic", "[calendar]\nrule=lunar\n", "arithmetic auto none -1");
    row("unknown outline is none", "[color]\noutline=red\n", "arithmetic auto none -1");
    row("negative outline is none", "[color]\noutline=-5\n", "arithmetic auto none -1");
    row("holiday beyond 24 bits is none", "[color]\nholiday=16777216\n", "arithmetic auto none -1");
    row("holiday -7 is none", "[color]\nholiday=-7\n", "arithmetic auto none -1");
}

void OptionsWindow::StartsFromTheSettingsFileAndSavesAsShown() {
    QFETCH(QString, settings);
    QFETCH(QString, shown);
    auto window = InstalledWindow(settings.toStdString());
    QString seen;
    QVERIFY(WithOptionsWindow(*window, [&](Toptions& options) {
        seen = Shown(options);
        QTest::mouseClick(options.Bok, Qt::LeftButton);
    }));
    QCOMPARE(seen, shown);
    // Closing with the calendar on saves the choices as the window showed them.
    QVERIFY(window->close());
    const std::optional<std::string> file = fixture->SettingsText();
    QVERIFY(file);
    QCOMPARE(Saved(*file), shown);
}

void OptionsWindow::ConfirmedChoicesAreUsedAndSaved_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QString>("saved");
    QTest::newRow("official rule") << "official" << true << "official auto none -1";
    QTest::newRow("scale 250") << "scale" << true << "arithmetic 250 none -1";
    QTest::newRow("outline auto") << "outline auto" << true << "arithmetic auto auto -1";
    QTest::newRow("outline colour, white at first")
        << "outline colour" << true << "arithmetic auto 16777215 -1";
    QTest::newRow("holiday colour, red at first")
        << "holiday" << true << "arithmetic auto none 255";
    QTest::newRow("everything, then cancelled") << "all" << false << "arithmetic auto none -1";
}

void OptionsWindow::ConfirmedChoicesAreUsedAndSaved() {
    QFETCH(QString, change);
    QFETCH(bool, confirm);
    QFETCH(QString, saved);
    auto window = InstalledWindow("");
    const bool all = change == QLatin1String("all");
    QVERIFY(WithOptionsWindow(*window, [&](Toptions& options) {
        if (all || change == QLatin1String("official"))
            Click(options.R_Official);
        if (all || change == QLatin1String("scale")) {
            Click(options.R_ScalePercent);
            options.UDscale->setValue(250);
        }
        if (change == QLatin1String("outline auto"))
            Click(options.R_OutlineAuto);
        if (all || change == QLatin1String("outline colour"))
            Click(options.R_OutlineColour);
        if (all || change == QLatin1String("holiday"))
            Click(options.CHKholiday);
        if (confirm)
            QTest::keyClick(&options, Qt::Key_Return); // the default button, OK
        else
            QTest::keyClick(&options, Qt::Key_Escape);
    }));
    // The redraw and the preview take the choices from what the window holds.
    const Settings held = window->HeldSettings();
    const QString used = QStringLiteral("%1 %2 %3 %4")
                             .arg(QString::fromStdString(held.calendarRule))
                             .arg(QString::fromStdString(held.scale))
                             .arg(QString::fromStdString(held.outline))
                             .arg(held.holiday);
    QCOMPARE(used, saved);
    QVERIFY(window->close());
    QCOMPARE(Saved(*fixture->SettingsText()), saved);
}

void OptionsWindow::OfficialRuleRedrawsTheMonths() {
    // 1 June 2025 lies in the year the two rules disagree: Iran's calendar
    // began 1404 on 21 March 2025, the arithmetic rule a day earlier, so it is
    // 11 Khordad 1404 officially and 12 by the arithmetic rule.
    SetTodayForTesting([] { return EncodeDate(2025, 6, 1); });
    auto window = InstalledWindow("");
    const MonthGrid arithmetic = window->Grids.now;
    QVERIFY(WithOptionsWindow(*window, [](Toptions& options) {
        Click(options.R_Official);
        QTest::mouseClick(options.Bok, Qt::LeftButton);
    }));
    const MonthGrid official = window->Grids.now;
    QCOMPARE(official.title, arithmetic.title);
    const auto todayCell = [](const MonthGrid& grid) {
        return grid.cells[grid.currentColumn][grid.currentRow];
    };
    QCOMPARE(todayCell(arithmetic), std::string("12"));
    QCOMPARE(todayCell(official), std::string("11"));
}

void OptionsWindow::PreviewShowsTheHolidayColour() {
    auto window = InstalledWindow("");
    // Pixels of a colour nothing else in the picture comes near: green (the
    // preview's stretch blends the letters' edges).
    const auto greenPixels = [&window] {
        const QImage picture = Tpreview(*window).Picture();
        int green = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const QColor pixel = picture.pixelColor(x, y);
                green += pixel.green() > 150 && pixel.red() < 100 && pixel.blue() < 100;
            }
        return green;
    };
    QCOMPARE(greenPixels(), 0);
    QVERIFY(WithOptionsWindow(*window, [](Toptions& options) {
        Click(options.CHKholiday);
        options.ccHoliday->SetSelectedColour(0x00FF00);
        QTest::mouseClick(options.Bok, Qt::LeftButton);
    }));
    // Fridays and the fixed holidays of the three months.
    QVERIFY(greenPixels() > 0);
}

void OptionsWindow::OtherDatesDariNamesAndPanelsChoiceAreUsedAndSaved() {
    SetTodayForTesting([] { return EncodeDate(2025, 6, 1); }); // Khordad 1404
    auto window = InstalledWindow("");
    QVERIFY(WithOptionsWindow(*window, [](Toptions& options) {
        Click(options.R_OtherLunar);
        Click(options.R_NamesDari);
        Click(options.CHKworkarea); // ticked by default: now from the screen's edge
        QTest::mouseClick(options.Bok, Qt::LeftButton);
    }));
    // The preview's months are named as Afghanistan names them: Jawza 1404.
    Tpreview(*window).Picture();
    QCOMPARE(window->Grids.now.title, std::string("\xCC\xE6\xD2\xC7 1404"));
    QVERIFY(window->close());
    const std::string file = *fixture->SettingsText();
    QVERIFY2(file.find("\notherdates=gregorian-lunar\nmonthnames=dari\n") != std::string::npos,
             file.c_str());
    QVERIFY2(file.find("\nworkarea=0\n") != std::string::npos, file.c_str());
}

// The options window shows the stored choice, and confirming keeps it.
void OptionsWindow::TheProportionsChoiceStartsFromTheFileAndIsSaved() {
    auto window = InstalledWindow("[image]\nkeepproportions=0\n");
    bool exactShown = false;
    QVERIFY(WithOptionsWindow(*window, [&](Toptions& options) {
        exactShown = options.R_StretchExactly->isChecked();
        QTest::keyClick(&options, Qt::Key_Return);
    }));
    QVERIFY(exactShown && window->close());
    QVERIFY(fixture->SettingsText()->find("\nkeepproportions=0\n") != std::string::npos);
}

void OptionsWindow::CaptionsUsePersianYehAndKaf() {
    fixture->SetUserWallpaper();
    auto window = fixture->MakeWindow();
    Toptions options(window.get(), WindowOptions());
    QStringList captions = {options.windowTitle()};
    for (QWidget* control : options.findChildren<QWidget*>()) {
        captions << control->property("text").toString() << control->property("title").toString()
                 << control->accessibleName();
    }
    QVERIFY(captions.join(QString()).contains(QChar(0x06CC)));
    for (const QString& caption : captions)
        QVERIFY2(!caption.contains(QChar(0x064A)) && !caption.contains(QChar(0x0643)),
                 qPrintable(caption));
    // The button that opens the window says what it is.
    QCOMPARE(window->Boptions->accessibleName(),
             QString::fromUtf16(u"گزینه‌های بیشتر"));
}

VELNORA_UI_TEST_MAIN(OptionsWindow)
#include "test_options_window.moc"
