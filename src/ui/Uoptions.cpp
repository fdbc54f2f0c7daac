// SPDX-License-Identifier: GPL-3.0-or-later

#include "Uoptions.h"

#include "Application.h"
#include "ColourPicker.h"
#include "Fonts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <initializer_list>

namespace velnora {

namespace {

// The colours a value control offers before the user has chosen one: white,
// the halo that sets off the default black text; red, the colour of holidays
// in printed Persian calendars.
constexpr uint32_t FirstOutlineColour = 0xFFFFFF;
constexpr uint32_t FirstHolidayColour = 0x0000FF;
// The spin box's step: the usual desktop scale factors are multiples of 25 %.
constexpr int ScaleStep = 25;

template <typename Widget> Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QGroupBox* MakeGroup(QWidget* parent, const char* name, const QString& title) {
    auto* group = Named(new QGroupBox(title, parent), name);
    group->setFont(TahomaFont(true));
    return group;
}

// The group's controls are regular, the title bold.
template <typename Widget> Widget* Regular(Widget* widget) {
    widget->setFont(TahomaFont(false));
    return widget;
}

// A choice as high as the main window's picture choices (21 pixels): the
// sizes Qt derives from the Persian fonts' tall lines would make the window
// half as high again.
template <typename Widget> Widget* Choice(Widget* widget) {
    Regular(widget)->setFixedHeight(21);
    return widget;
}

// A group's controls close together, as in the main window's frames.
QVBoxLayout* GroupLayout(QGroupBox* group) {
    auto* column = new QVBoxLayout(group);
    column->setSpacing(2);
    column->setContentsMargins(8, 6, 8, 6);
    return column;
}

QRadioButton* Radio(QGroupBox* group, const char* name, const QString& caption) {
    return Choice(Named(new QRadioButton(caption, group), name));
}

// A group of choices one below another.
void Column(QGroupBox* group, std::initializer_list<QWidget*> choices) {
    QVBoxLayout* column = GroupLayout(group);
    for (QWidget* choice : choices)
        column->addWidget(choice);
}

ColourPicker* MakePicker(QWidget* parent, const char* name, const QString& accessibleName) {
    auto* picker = Named(new ColourPicker(parent), name);
    // The size of the main window's pickers.
    picker->setFixedSize(89, 21);
    picker->setToolTip(accessibleName);
    picker->setAccessibleName(accessibleName);
    return picker;
}

// A choice with its value control beside it, at the row's start (its right
// end in a right-to-left window). The captions end in no colon: a neutral
// character at the end of Persian text goes to its right end where Qt's
// Persian translation makes the application right to left.
QHBoxLayout* Row(QWidget* choice, QWidget* value) {
    auto* row = new QHBoxLayout;
    row->addWidget(choice);
    row->addWidget(value);
    row->addStretch(1);
    return row;
}

} // namespace

Toptions::Toptions(QWidget* parent, const WindowOptions& start) : QDialog(parent) {
    setObjectName(QStringLiteral("options"));
    setWindowTitle(QStringLiteral(u"گزینه‌ها"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFont(TahomaFont(false));
    // A window of its own in Persian reads from the right; its layouts mirror.
    setLayoutDirection(Qt::RightToLeft);
    CreateControls();
    SetControls(start);
    ChoiceClick();
}

void Toptions::CreateControls() {
    auto* column = new QVBoxLayout(this);
    // The window takes the size its captions need at every scale, and keeps it.
    column->setSizeConstraint(QLayout::SetFixedSize);

    GroupCalendar = MakeGroup(this, "GroupCalendar", QStringLiteral(u"تقویم"));
    R_Arithmetic = Radio(GroupCalendar, "R_Arithmetic", QStringLiteral(u"حسابی (چرخه ۲۸۲۰ ساله)"));
    R_Official =
        Radio(GroupCalendar, "R_Official", QStringLiteral(u"رسمی ایران (لحظه اعتدال بهاری)"));
    Column(GroupCalendar, {R_Arithmetic, R_Official});

    GroupScale = MakeGroup(this, "GroupScale", QStringLiteral(u"اندازه تقویم"));
    R_ScaleAuto = Choice(Named(
        new QRadioButton(QStringLiteral(u"خودکار (مقیاس صفحه نمایش)"), GroupScale), "R_ScaleAuto"));
    R_ScalePercent =
        Choice(Named(new QRadioButton(QStringLiteral(u"درصد"), GroupScale), "R_ScalePercent"));
    UDscale = Regular(Named(new QSpinBox(GroupScale), "UDscale"));
    UDscale->setRange(WindowOptions::MinimumScale, WindowOptions::MaximumScale);
    UDscale->setSingleStep(ScaleStep);
    UDscale->setSuffix(QStringLiteral(" %"));
    UDscale->setAccessibleName(QStringLiteral(u"درصد اندازه"));
    auto* scale = GroupLayout(GroupScale);
    scale->addWidget(R_ScaleAuto);
    scale->addLayout(Row(R_ScalePercent, UDscale));

    GroupOutline =
        MakeGroup(this, "GroupOutline", QStringLiteral(u"هاله دور نوشته‌ها"));
    R_OutlineNone = Choice(
        Named(new QRadioButton(QStringLiteral(u"بدون هاله"), GroupOutline), "R_OutlineNone"));
    R_OutlineAuto = Choice(Named(
        new QRadioButton(QStringLiteral(u"خودکار (سیاه یا سفید)"), GroupOutline), "R_OutlineAuto"));
    R_OutlineColour = Choice(
        Named(new QRadioButton(QStringLiteral(u"این رنگ"), GroupOutline), "R_OutlineColour"));
    ccOutline = MakePicker(GroupOutline, "ccOutline", QStringLiteral(u"رنگ هاله"));
    auto* outline = GroupLayout(GroupOutline);
    outline->addWidget(R_OutlineNone);
    outline->addWidget(R_OutlineAuto);
    outline->addLayout(Row(R_OutlineColour, ccOutline));

    GroupHoliday = MakeGroup(this, "GroupHoliday",
                             QStringLiteral(u"جمعه‌ها و تعطیلات رسمی"));
    CHKholiday =
        Choice(Named(new QCheckBox(QStringLiteral(u"به رنگ جداگانه"), GroupHoliday), "CHKholiday"));
    ccHoliday = MakePicker(GroupHoliday, "ccHoliday",
                           QStringLiteral(u"رنگ جمعه‌ها و تعطیلات"));
    // The lunar holidays follow announced moon sightings: the program knows
    // them from Iran's published calendars, and computes them after those
    // (LunarCalendar.h).
    auto* note = Regular(Named(
        new QLabel(QStringLiteral(u"تعطیلات قمری هم، از تقویم رسمی ایران."),
                   GroupHoliday),
        "Lholiday"));
    // Room for the ink of its first and last letters beyond their advance.
    note->setContentsMargins(2, 0, 2, 0);
    auto* holiday = GroupLayout(GroupHoliday);
    holiday->addLayout(Row(CHKholiday, ccHoliday));
    holiday->addWidget(note);

    GroupOtherDates =
        MakeGroup(this, "GroupOtherDates", QStringLiteral(u"تاریخ‌های دیگر در خانه هر روز"));
    R_OtherNone = Radio(GroupOtherDates, "R_OtherNone", QStringLiteral(u"هیچ"));
    R_OtherGregorian = Radio(GroupOtherDates, "R_OtherGregorian", QStringLiteral(u"میلادی"));
    R_OtherLunar = Radio(GroupOtherDates, "R_OtherLunar", QStringLiteral(u"میلادی و قمری"));
    Column(GroupOtherDates, {R_OtherNone, R_OtherGregorian, R_OtherLunar});

    GroupMonthNames = MakeGroup(this, "GroupMonthNames", QStringLiteral(u"نام ماه‌ها"));
    R_NamesIranian = Radio(GroupMonthNames, "R_NamesIranian",
                           QStringLiteral(u"ایرانی (فروردین، اردیبهشت، خرداد)"));
    R_NamesDari = Radio(GroupMonthNames, "R_NamesDari", QStringLiteral(u"دری (حمل، ثور، جوزا)"));
    Column(GroupMonthNames, {R_NamesIranian, R_NamesDari});

    // Used when the main window's stretch box is ticked.
    GroupProportions =
        MakeGroup(this, "GroupProportions", QStringLiteral(u"کشیدن تصویر به اندازه صفحه"));
    R_KeepProportions = Radio(GroupProportions, "R_KeepProportions",
                              QStringLiteral(u"حفظ تناسب تصویر (بزرگ‌نمایی و برش حاشیه‌ها)"));
    R_StretchExactly = Radio(GroupProportions, "R_StretchExactly",
                             QStringLiteral(u"کشیدن دقیق به اندازه صفحه"));
    Column(GroupProportions, {R_KeepProportions, R_StretchExactly});
    GroupPlace = MakeGroup(this, "GroupPlace", QStringLiteral(u"فاصله از گوشه"));
    CHKworkarea = Regular(Named(
        new QCheckBox(QStringLiteral(u"از لبه پنل‌ها و نوارها، نه لبه صفحه"), GroupPlace),
        "CHKworkarea"));
    GroupLayout(GroupPlace)->addWidget(CHKworkarea);

    Bok = Named(new QPushButton(QStringLiteral(u"تأیید"), this), "Bok");
    Bcancel = Named(new QPushButton(QStringLiteral(u"انصراف"), this), "Bcancel");
    Bok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Bok);
    buttons->addWidget(Bcancel);

    // Two columns, the calendar's look first (at the right in Persian): in one
    // the window at 150 % would be taller than a 1080-pixel screen.
    auto* columns = new QHBoxLayout;
    for (const auto& groups :
         {std::initializer_list<QGroupBox*>{GroupCalendar, GroupScale, GroupOutline, GroupHoliday},
          std::initializer_list<QGroupBox*>{GroupOtherDates, GroupMonthNames, GroupProportions, GroupPlace}}) {
        auto* half = new QVBoxLayout;
        for (QGroupBox* group : groups)
            half->addWidget(group);
        half->addStretch(1);
        columns->addLayout(half);
    }
    column->addLayout(columns);
    column->addLayout(buttons);

    const QAbstractButton* choices[] = {R_ScaleAuto,   R_ScalePercent,  R_OutlineNone,
                                        R_OutlineAuto, R_OutlineColour, CHKholiday};
    for (const QAbstractButton* choice : choices)
        connect(choice, &QAbstractButton::toggled, this,
                [this] { RunHandler([this] { ChoiceClick(); }); });
    connect(Bok, &QPushButton::clicked, this, [this] { RunHandler([this] { BokClick(); }); });
    connect(Bcancel, &QPushButton::clicked, this,
            [this] { RunHandler([this] { BcancelClick(); }); });
}

void Toptions::SetControls(const WindowOptions& options) {
    R_Arithmetic->setChecked(options.rule == PersianDate::CalendarRule::Arithmetic);
    R_Official->setChecked(options.rule == PersianDate::CalendarRule::Official);
    R_ScaleAuto->setChecked(!options.scale);
    R_ScalePercent->setChecked(options.scale.has_value());
    UDscale->setValue(options.scale.value_or(WindowOptions::MinimumScale));
    const TextOutline::Kind outline = options.outline.kind;
    R_OutlineNone->setChecked(outline == TextOutline::Kind::None);
    R_OutlineAuto->setChecked(outline == TextOutline::Kind::Auto);
    R_OutlineColour->setChecked(outline == TextOutline::Kind::Colour);
    ccOutline->SetSelectedColour(outline == TextOutline::Kind::Colour ? options.outline.colour.value
                                                                      : FirstOutlineColour);
    CHKholiday->setChecked(options.holiday.has_value());
    ccHoliday->SetSelectedColour(options.holiday.value_or(Colour{FirstHolidayColour}).value);
    R_OtherNone->setChecked(options.otherDates == OtherDates::None);
    R_OtherGregorian->setChecked(options.otherDates == OtherDates::Gregorian);
    R_OtherLunar->setChecked(options.otherDates == OtherDates::GregorianAndLunar);
    R_NamesIranian->setChecked(options.monthNames == MonthNaming::Iranian);
    R_NamesDari->setChecked(options.monthNames == MonthNaming::Dari);
    R_KeepProportions->setChecked(options.keepProportions);
    R_StretchExactly->setChecked(!options.keepProportions);
    CHKworkarea->setChecked(options.workArea);
}

WindowOptions Toptions::Chosen() const {
    WindowOptions options;
    options.rule = R_Official->isChecked() ? PersianDate::CalendarRule::Official
                                           : PersianDate::CalendarRule::Arithmetic;
    if (R_ScalePercent->isChecked())
        options.scale = UDscale->value();
    if (R_OutlineAuto->isChecked())
        options.outline.kind = TextOutline::Kind::Auto;
    else if (R_OutlineColour->isChecked())
        options.outline.kind = TextOutline::Kind::Colour;
    options.outline.colour = Colour{ccOutline->SelectedColour()};
    if (CHKholiday->isChecked())
        options.holiday = Colour{ccHoliday->SelectedColour()};
    options.otherDates = R_OtherLunar->isChecked()       ? OtherDates::GregorianAndLunar
                         : R_OtherGregorian->isChecked() ? OtherDates::Gregorian
                                                         : OtherDates::None;
    options.monthNames = R_NamesDari->isChecked() ? MonthNaming::Dari : MonthNaming::Iranian;
    options.keepProportions = !R_StretchExactly->isChecked();
    options.workArea = CHKworkarea->isChecked();
    return options;
}

void Toptions::ChoiceClick() {
    UDscale->setEnabled(R_ScalePercent->isChecked());
    ccOutline->setEnabled(R_OutlineColour->isChecked());
    ccHoliday->setEnabled(CHKholiday->isChecked());
}

void Toptions::BokClick() {
    accept();
}

void Toptions::BcancelClick() {
    reject();
}

}  // namespace velnora
