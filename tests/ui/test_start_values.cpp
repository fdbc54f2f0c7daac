// SPDX-License-Identifier: GPL-3.0-or-later
// The window as the user first sees it: every control where it belongs with
// its caption, and the start values read from the settings file.
#include "Choices.h"
#include "UiTesting.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

using namespace velnora;

class StartValues : public UiTest {
    Q_OBJECT
  private slots:
    void ControlsSitWhereTheLayoutSays_data();
    void ControlsSitWhereTheLayoutSays();
    void PersianCaptionsUseTheArabicYehAndKaf();
    void WindowIsFixedAt380By314();
    void NoSettingsFileGivesTheDefaults();
    void ShownWindowHoldsWhatTheUnattendedRunDraws_data();
    void ShownWindowHoldsWhatTheUnattendedRunDraws();
    void StoredPathOfADeletedFileIsShown();
    void TabOrderFollowsTheDesign();
};

void StartValues::ControlsSitWhereTheLayoutSays_data() {
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("caption");
    const auto row = [](const char* name, const char* parent, QRect geometry,
                        const char16_t* caption) {
        QTest::newRow(name) << QString::fromLatin1(parent) << geometry
                            << QString::fromUtf16(caption);
    };
    row("Panel7", "main", {0, 0, 380, 314}, u"");
    row("Panel1", "Panel7", {193, 8, 183, 65}, u"");
    row("Panel2", "Panel7", {4, 8, 183, 65}, u"");
    row("Panel4", "Panel7", {193, 80, 183, 65}, u"");
    row("Panel3", "Panel7", {4, 80, 183, 65}, u"");
    row("Panel5", "Panel7", {4, 152, 372, 65}, u"");
    row("Panel6", "Panel7", {4, 222, 372, 51}, u"");
    row("TntStaticText3", "Panel7", {296, 1, 75, 17}, u"نمايش ماه ها");
    row("TntStaticText4", "Panel7", {90, 1, 92, 17}, u"موقعيت در صفحه");
    row("TntStaticText2", "Panel7", {320, 73, 51, 17}, u"فاصله ها");
    row("TntStaticText5", "Panel7", {157, 73, 25, 17}, u"رنگ");
    row("TntStaticText1", "Panel7", {298, 145, 72, 17}, u"انتخاب تصوير");
    row("TntStaticText6", "Panel7", {295, 215, 75, 17}, u"وضعيت تصوير");
    row("CHKprev", "Panel1", {59, 14, 65, 19}, u"ماه قبل");
    row("CHKnext", "Panel1", {59, 42, 65, 19}, u"ماه بعد");
    row("R_Top_Right", "Panel2", {130, 14, 17, 17}, u"");
    row("R_Bottom_Right", "Panel2", {130, 42, 17, 17}, u"");
    row("R_Bottom_Left", "Panel2", {36, 42, 17, 17}, u"");
    row("R_Top_Left", "Panel2", {36, 14, 17, 17}, u"");
    row("TntLabel7", "Panel4", {100, 13, 63, 13}, u"چپ و راست");
    row("ELeftRight", "Panel4", {19, 9, 59, 21}, nullptr);
    row("UDLeftRight", "Panel4", {78, 9, 16, 21}, u"");
    row("TntLabel8", "Panel4", {100, 37, 53, 13}, u"بالا و پايين");
    row("ETopBottom", "Panel4", {19, 33, 59, 21}, nullptr);
    row("UDTopBottom", "Panel4", {78, 33, 16, 21}, u"");
    row("TntLabel4", "Panel3", {124, 13, 28, 13}, u"امروز");
    row("ccToday", "Panel3", {31, 9, 89, 21}, u"");
    row("TntLabel5", "Panel3", {124, 37, 27, 13}, u"زمينه");
    row("ccBack", "Panel3", {31, 33, 89, 21}, u"");
    row("R_CurrentPicture", "Panel5", {245, 12, 97, 21}, u"تصوير فعلي");
    row("R_Choose", "Panel5", {29, 12, 161, 21}, u"انتخاب از تصاوير موجود");
    row("Efilename", "Panel5", {8, 37, 329, 21}, nullptr);
    row("Bchoose", "Panel5", {340, 36, 23, 22}, u"");
    row("CHK_Stretch", "Panel6", {245, 21, 97, 17}, u"كشيدن تصوير");
    row("CHK_show", "Panel6", {29, 21, 97, 17}, u"نمايش تقويم");
    row("Brepaint", "Panel7", {278, 280, 98, 30}, u"تاييد");
    row("Bpreview", "Panel7", {177, 280, 98, 30}, u"پيش نمايش");
    row("Babout", "Panel7", {144, 280, 30, 30}, u"");
    row("Bclose", "Panel7", {4, 280, 98, 30}, u"تاييد و خروج");
    // The options button fills the gap between the close and the about buttons.
    row("Boptions", "Panel7", {108, 280, 30, 30}, u"");
}

void StartValues::ControlsSitWhereTheLayoutSays() {
    QFETCH(QString, parent);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);
    const auto window = fixture->MakeWindow();
    auto* control = window->findChild<QWidget*>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(control);
    QCOMPARE(control->parentWidget()->objectName(), parent);
    QCOMPARE(control->geometry(), geometry);
    QString shown;
    if (auto* label = qobject_cast<QLabel*>(control))
        shown = label->text();
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        shown = button->text();
    else
        return; // edits, frames and spin arrows have no caption
    QCOMPARE(shown, caption);
}

void StartValues::PersianCaptionsUseTheArabicYehAndKaf() {
    const auto window = fixture->MakeWindow();
    for (QWidget* control : window->findChildren<QWidget*>()) {
        QString text;
        if (auto* label = qobject_cast<QLabel*>(control))
            text = label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(control))
            text = button->text();
        // U+06CC Farsi yeh and U+06A9 keheh would be the usual Persian letters;
        // the captions are written with U+064A and U+0643 instead.
        QVERIFY2(!text.contains(QChar(0x06CC)) && !text.contains(QChar(0x06A9)),
                 qPrintable(control->objectName()));
    }
    QVERIFY(window->CHK_Stretch->text().startsWith(QChar(0x0643)));
}

void StartValues::WindowIsFixedAt380By314() {
    const auto window = fixture->MakeWindow();
    QCOMPARE(window->size(), QSize(380, 314));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QCOMPARE(window->windowTitle(), QStringLiteral("Velnora"));
    QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(window->windowFlags() & Qt::WindowMinimizeButtonHint);
}

void StartValues::NoSettingsFileGivesTheDefaults() {
    fixture->SetUserWallpaper();
    const auto window = fixture->MakeWindow();
    // The controls' values: ShownWindowHoldsWhatTheUnattendedRunDraws and
    // SettingsTest's defaults.
    QVERIFY(!window->Efilename->isEnabled());
    QVERIFY(!window->Bchoose->isEnabled());
    QVERIFY(!window->CHK_show->isChecked());
    QVERIFY(!window->Brepaint->isEnabled());
    QVERIFY(fixture->messages.isEmpty());
    // Nothing is written by starting.
    QVERIFY(!fixture->SettingsText());
    QVERIFY(fixture->logonRedrawModes.empty());
    // Today's month and its neighbours are held by the window.
    QVERIFY(!window->Grids.now.title.empty());
    QVERIFY(!window->Grids.prev.title.empty());
    QVERIFY(!window->Grids.next.title.empty());
}

// The unattended run draws the choices as AsTheWindowHoldsThem says the
// shown window holds them: the two must not drift apart.
void StartValues::ShownWindowHoldsWhatTheUnattendedRunDraws_data() {
    QTest::addColumn<QString>("settings");
    const char* const rows[][2] = {
        {"no settings file", ""},
        {"yes, 0 and hexadecimal colours",
         "[months]\nprevious=yes\nnext=0\n[color]\nback=0xFF\ntoday=$FF00\n"},
        {"corner 0", "[image]\nposition=0\n"},
        {"corner 3, no stretch", "[image]\nposition=3\nstretch=0\n"},
        {"corner 7", "[image]\nposition=7\n"},
        {"distances 250 and abc", "[distance]\nleftright=250\ntopbottom=abc\n"},
        {"distances -5 and $1F", "[distance]\nleftright=-5\ntopbottom=$1F\n"},
        {"distance past 16 bits", "[distance]\nleftright=65566\n"},
        {"both sources on", "[image]\nchoose=1\ncurrent=1\n"},
        {"both sources off", "[image]\nchoose=0\ncurrent=0\n"},
        {"chosen file", "[image]\nchoose=1\ncurrent=0\n"},
        {"options", "[calendar]\nscale=$C8\notherdates=gregorian\n[color]\noutline=red\n"},
    };
    for (const auto& [name, settings] : rows)
        QTest::newRow(name) << QString::fromUtf8(settings);
}

void StartValues::ShownWindowHoldsWhatTheUnattendedRunDraws() {
    QFETCH(QString, settings);
    fixture->SetUserWallpaper();
    if (!settings.isEmpty())
        fixture->WriteSettings(settings.toStdString());
    const auto window = fixture->MakeWindow();
    window->show();
    const Settings held = window->HeldSettings();
    const Settings drawn =
        AsTheWindowHoldsThem(LoadSettings(ProfileFile(fixture->SettingsPath())));
    for (const SettingKey& key : SettingsSchema)
        QCOMPARE(SettingText(held, key), SettingText(drawn, key));
    QCOMPARE(window->Efilename->isEnabled(), held.choose);
}

void StartValues::StoredPathOfADeletedFileIsShown() {
    fixture->SetUserWallpaper();
    fixture->WriteSettings("[image]\npath=" + fixture->Path("gone.jpg") + "\n");
    const auto window = fixture->MakeWindow();
    QCOMPARE(window->Efilename->text().toStdString(), fixture->Path("gone.jpg"));
    QVERIFY(fixture->messages.isEmpty());
}

void StartValues::TabOrderFollowsTheDesign() {
    fixture->SetInstalled();
    const auto window = fixture->MakeWindow();
    window->show();
    QVERIFY(window->Brepaint->isEnabled());
    // The options button in its place among the buttons, between about and close.
    const QStringList expected = {"Brepaint",         "Bpreview",    "Babout",  "Boptions",
                                  "Bclose",           "CHKprev",     "CHKnext", "R_Top_Right",
                                  "ELeftRight",       "ETopBottom",  "ccToday", "ccBack",
                                  "R_CurrentPicture", "CHK_Stretch", "CHK_show"};
    // The chain of controls that take the focus by Tab, from the first one.
    QStringList chain;
    QWidget* at = window->Brepaint;
    for (int i = 0; i < 400 && chain.size() < expected.size(); ++i) {
        if ((at->focusPolicy() & Qt::TabFocus) && at->isEnabled() && at->isVisibleTo(window.get()))
            if (!chain.contains(at->objectName()))
                chain << at->objectName();
        at = at->nextInFocusChain();
    }
    QCOMPARE(chain, expected);
}

VELNORA_UI_TEST_MAIN(StartValues)
#include "test_start_values.moc"
