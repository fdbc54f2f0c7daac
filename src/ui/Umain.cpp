// SPDX-License-Identifier: GPL-3.0-or-later

#include "Umain.h"

#include "Application.h"
#include "Choices.h"
#include "ColourPicker.h"
#include "DateTime.h"
#include "Fonts.h"
#include "Glyphs.h"
#include "GroupRadioButton.h"
#include "HeadingColour.h"
#include "Messages.h"
#include "PersianDate.h"
#include "ProfileFile.h"
#include "Session.h"
#include "Settings.h"
#include "SpinArrows.h"
#include "UTheAbout.h"
#include "Uoptions.h"
#include "Upreview.h"
#include "Wallpaper.h"
#include "WholeNumber.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QToolButton>

#include <cmath>
#include <utility>

namespace velnora {

namespace {

template <typename Widget>
Widget* Place(Widget* widget, const char* name, int left, int top, int width, int height) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(left, top, width, height);
    return widget;
}

// A sunken frame of one group: an etched edge, its controls in bold Tahoma.
QFrame* MakeGroupFrame(QWidget* parent, const char* name, int left, int top, int width,
                       int height) {
    auto* frame = Place(new QFrame(parent), name, left, top, width, height);
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame->setFont(TahomaFont(true));
    return frame;
}

// A group's heading: bold blue text on an opaque button-face background that
// covers the frame's top edge where it straddles it (made after the frames,
// and raised above them; coloured by ColourHeadings).
QLabel* MakeHeading(QWidget* parent, const char* name, const QString& caption, int left, int top,
                    int width, int height) {
    auto* heading = Place(new QLabel(caption, parent), name, left, top, width, height);
    heading->setFont(TahomaFont(true));
    heading->setAutoFillBackground(true);
    heading->setAlignment(Qt::AlignCenter);
    heading->raise();
    return heading;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, int left, int top,
                  int width, int height) {
    return Place(new QLabel(caption, parent), name, left, top, width, height);
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, const QFont& font, int left, int top,
                    int width, int height) {
    auto* edit = Place(new QLineEdit(parent), name, left, top, width, height);
    edit->setFont(font);
    return edit;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption,
                        const QIcon& glyph, int glyphSide, int left, int top, int width,
                        int height) {
    auto* button = Place(new QPushButton(caption, parent), name, left, top, width, height);
    button->setIcon(glyph);
    button->setIconSize(QSize(glyphSide, glyphSide));
    button->setAutoDefault(false);
    return button;
}

std::string Text(const QLineEdit* edit) {
    return edit->text().toStdString();
}

// Sets a control from code: its handler runs at once, nested; an error that
// ended it ends the routine that set it too.
void SetChecked(QAbstractButton* control, bool on) {
    control->setChecked(on);
    RethrowNestedError();
}

void SetText(QLineEdit* edit, const QString& text) {
    edit->setText(text);
    RethrowNestedError();
}

// The buttons have autoDefault off, so Qt would leave Enter to them unused; on
// the desktop the window was designed for, Enter presses the focused button.
bool PressFocusedButton(QObject* watched, const QKeyEvent& key) {
    auto* button = qobject_cast<QPushButton*>(watched);
    const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    // Key events go to the focused control: a push button has no children that
    // could pass one on to it.
    if (!enter || !button || !button->isEnabled())
        return false;
    if (!key.isAutoRepeat())
        button->click();
    return true;
}

void TypeAsciiDigits(QLineEdit* edit) {
    const QString ascii = QString::fromStdString(WithAsciiDigits(Text(edit)));
    if (ascii == edit->text())
        return;
    // Each digit is one UTF-16 unit either way: the cursor keeps its place.
    const int cursor = edit->cursorPosition();
    edit->setText(ascii);
    edit->setCursorPosition(cursor);
}

} // namespace

Tmain::Tmain(MainContext context) : context_(std::move(context)) {
    setObjectName(QStringLiteral("main"));
    setWindowTitle(QStringLiteral("Velnora"));
    setWindowIcon(ProgramIcon());
    // Single fixed border, system menu and minimise box, no maximise box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(380, 314);
    setFont(TahomaFont(false));
    setLayoutDirection(Qt::LeftToRight);
    if (QScreen* where = screen())
        move(where->availableGeometry().center() - QPoint(width() / 2, height() / 2));

    CreateControls();
    ConnectHandlers();
    // Key preview: the window sees Esc before the focused control.
    qApp->installEventFilter(this);
    // An error in the creation handler ends it there; the window still opens.
    RunEventHandler([this] { FormCreate(); });
}

Tmain::~Tmain() = default;

void Tmain::CreateControls() {
    Panel7 = Place(new QFrame(this), "Panel7", 0, 0, 380, 314);
    Panel7->setFrameStyle(QFrame::Panel | QFrame::Raised);

    Panel1 = MakeGroupFrame(Panel7, "Panel1", 193, 8, 183, 65);
    Panel2 = MakeGroupFrame(Panel7, "Panel2", 4, 8, 183, 65);
    Panel4 = MakeGroupFrame(Panel7, "Panel4", 193, 80, 183, 65);
    Panel3 = MakeGroupFrame(Panel7, "Panel3", 4, 80, 183, 65);
    Panel5 = MakeGroupFrame(Panel7, "Panel5", 4, 152, 372, 65);
    Panel6 = MakeGroupFrame(Panel7, "Panel6", 4, 222, 372, 51);

    TntStaticText3 =
        MakeHeading(Panel7, "TntStaticText3", QStringLiteral(u"نمايش ماه ها"), 296, 1, 75, 17);
    TntStaticText4 =
        MakeHeading(Panel7, "TntStaticText4", QStringLiteral(u"موقعيت در صفحه"), 90, 1, 92, 17);
    TntStaticText2 =
        MakeHeading(Panel7, "TntStaticText2", QStringLiteral(u"فاصله ها"), 320, 73, 51, 17);
    TntStaticText5 = MakeHeading(Panel7, "TntStaticText5", QStringLiteral(u"رنگ"), 157, 73, 25, 17);
    TntStaticText1 =
        MakeHeading(Panel7, "TntStaticText1", QStringLiteral(u"انتخاب تصوير"), 298, 145, 72, 17);
    TntStaticText6 =
        MakeHeading(Panel7, "TntStaticText6", QStringLiteral(u"وضعيت تصوير"), 295, 215, 75, 17);

    ColourHeadings();

    // Show months.
    CHKprev = Place(new QCheckBox(QStringLiteral(u"ماه قبل"), Panel1), "CHKprev", 59, 14, 65, 19);
    CHKnext = Place(new QCheckBox(QStringLiteral(u"ماه بعد"), Panel1), "CHKnext", 59, 42, 65, 19);
    CHKprev->setChecked(true);
    CHKnext->setChecked(true);

    // Position on the screen: each button sits at the corner it stands for.
    R_Top_Right = Place(new GroupRadioButton(QString(), Panel2), "R_Top_Right", 130, 14, 17, 17);
    R_Bottom_Right =
        Place(new GroupRadioButton(QString(), Panel2), "R_Bottom_Right", 130, 42, 17, 17);
    R_Bottom_Left = Place(new GroupRadioButton(QString(), Panel2), "R_Bottom_Left", 36, 42, 17, 17);
    R_Top_Left = Place(new GroupRadioButton(QString(), Panel2), "R_Top_Left", 36, 14, 17, 17);
    R_Top_Right->setChecked(true);

    // Distances.
    TntLabel7 = MakeLabel(Panel4, "TntLabel7", QStringLiteral(u"چپ و راست"), 100, 13, 63, 13);
    ELeftRight = MakeEdit(Panel4, "ELeftRight", TahomaFont(false), 19, 9, 59, 21);
    UDLeftRight = Place(new SpinArrows(Panel4), "UDLeftRight", 78, 9, 16, 21);
    TntLabel8 = MakeLabel(Panel4, "TntLabel8", QStringLiteral(u"بالا و پايين"), 100, 37, 53, 13);
    ETopBottom = MakeEdit(Panel4, "ETopBottom", TahomaFont(false), 19, 33, 59, 21);
    UDTopBottom = Place(new SpinArrows(Panel4), "UDTopBottom", 78, 33, 16, 21);
    ELeftRight->setText(QStringLiteral("0"));
    ETopBottom->setText(QStringLiteral("0"));
    UDLeftRight->SetBuddy(ELeftRight);
    UDTopBottom->SetBuddy(ETopBottom);

    // Colour.
    TntLabel4 = MakeLabel(Panel3, "TntLabel4", QStringLiteral(u"امروز"), 124, 13, 28, 13);
    ccToday = Place(new ColourPicker(Panel3), "ccToday", 31, 9, 89, 21);
    TntLabel5 = MakeLabel(Panel3, "TntLabel5", QStringLiteral(u"زمينه"), 124, 37, 27, 13);
    ccBack = Place(new ColourPicker(Panel3), "ccBack", 31, 33, 89, 21);
    ccToday->SetSelectedColour(0x0000FF);
    ccBack->SetSelectedColour(0xFFFFFF);

    // Choose picture.
    R_CurrentPicture = Place(new GroupRadioButton(QStringLiteral(u"تصوير فعلي"), Panel5),
                             "R_CurrentPicture", 245, 12, 97, 21);
    R_Choose = Place(new GroupRadioButton(QStringLiteral(u"انتخاب از تصاوير موجود"), Panel5),
                     "R_Choose", 29, 12, 161, 21);
    Efilename = MakeEdit(Panel5, "Efilename", SansSerifFont(), 8, 37, 329, 21);
    Bchoose = Place(new QToolButton(Panel5), "Bchoose", 340, 36, 23, 22);
    Bchoose->setAutoRaise(true);
    Bchoose->setFocusPolicy(Qt::NoFocus);
    Bchoose->setIcon(Glyph(GlyphKind::OpenFolder));
    Bchoose->setIconSize(QSize(16, 16));

    // Picture state.
    CHK_Stretch = Place(new QCheckBox(QStringLiteral(u"كشيدن تصوير"), Panel6), "CHK_Stretch", 245,
                        21, 97, 17);
    CHK_show =
        Place(new QCheckBox(QStringLiteral(u"نمايش تقويم"), Panel6), "CHK_show", 29, 21, 97, 17);

    // The command buttons.
    Brepaint = MakeButton(Panel7, "Brepaint", QStringLiteral(u"تاييد"), Glyph(GlyphKind::Tick), 16,
                          278, 280, 98, 30);
    Brepaint->setFont(TahomaFont(true));
    Bpreview = MakeButton(Panel7, "Bpreview", QStringLiteral(u"پيش نمايش"),
                          Glyph(GlyphKind::Picture), 16, 177, 280, 98, 30);
    Babout = MakeButton(Panel7, "Babout", QString(), Glyph(GlyphKind::Information), 24, 144, 280,
                        30, 30);
    // In the gap between the about and the close buttons, so the window keeps its size.
    Boptions =
        MakeButton(Panel7, "Boptions", QString(), Glyph(GlyphKind::Options), 24, 108, 280, 30, 30);
    Bclose = MakeButton(Panel7, "Bclose", QStringLiteral(u"تاييد و خروج"), Glyph(GlyphKind::Exit),
                        16, 4, 280, 98, 30);

    tabOrder_ = {Brepaint,         Bpreview,   Babout,      Boptions,       Bclose,
                 CHKprev,          CHKnext,    R_Top_Right, R_Bottom_Right, R_Bottom_Left,
                 R_Top_Left,       ELeftRight, ETopBottom,  ccToday,        ccBack,
                 R_CurrentPicture, R_Choose,   Efilename,   CHK_Stretch,    CHK_show};
    for (qsizetype i = 1; i < tabOrder_.size(); ++i)
        setTabOrder(tabOrder_[i - 1], tabOrder_[i]);
    NameIconOnlyControls();
}

// The headings' blue follows the desktop's theme: the designed blue on a light
// window, a lighter one that reads on a dark window.
void Tmain::ColourHeadings() {
    for (QLabel* heading : {TntStaticText1, TntStaticText2, TntStaticText3, TntStaticText4,
                            TntStaticText5, TntStaticText6}) {
        QPalette colours = palette();
        const QColor window = colours.color(QPalette::Window);
        const QColor background = colours.color(QPalette::Button);
        colours.setColor(QPalette::Window, background);
        colours.setColor(QPalette::WindowText, HeadingBlue(window, background));
        heading->setPalette(colours);
    }
}

// The controls without a caption say what they are on hover and to a screen
// reader, in Persian letter forms (Persian yeh and kaf).
void Tmain::NameIconOnlyControls() {
    const std::pair<QWidget*, QString> names[] = {
        {R_Top_Right, QStringLiteral(u"بالا راست")},
        {R_Bottom_Right, QStringLiteral(u"پایین راست")},
        {R_Bottom_Left, QStringLiteral(u"پایین چپ")},
        {R_Top_Left, QStringLiteral(u"بالا چپ")},
        {ccToday, QStringLiteral(u"رنگ امروز")},
        {ccBack, QStringLiteral(u"رنگ زمینه")},
        {Babout, QStringLiteral(u"درباره برنامه")},
        {Boptions, QStringLiteral(u"گزینه‌های بیشتر")},
        {Bchoose, QStringLiteral(u"انتخاب فایل تصویر")},
    };
    for (const auto& [control, name] : names) {
        control->setToolTip(name);
        control->setAccessibleName(name);
    }
}

void Tmain::ConnectHandlers() {
    // Each handler runs through RunHandler: an error ends it and is shown.
    connect(CHK_show, &QCheckBox::toggled, this,
            [this] { RunHandler([this] { CHK_showClick(); }); });
    for (QLineEdit* edit : {ELeftRight, ETopBottom}) {
        // The user's own typing only (emitted before textChanged): a Persian
        // keyboard layout types Persian digits, which the field shows as ASCII.
        connect(edit, &QLineEdit::textEdited, this, [edit] { TypeAsciiDigits(edit); });
        connect(edit, &QLineEdit::textChanged, this,
                [this, edit] { RunHandler([this, edit] { ELeftRightChange(edit); }); });
    }
    // A radio button's click handler runs only when it becomes selected.
    for (GroupRadioButton* source : {R_Choose, R_CurrentPicture})
        connect(source, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                RunHandler([this] { R_ChooseClick(); });
        });
    connect(CHK_Stretch, &QCheckBox::toggled, this,
            [this] { RunHandler([this] { R_ChooseClick(); }); });
    connect(Bchoose, &QToolButton::clicked, this,
            [this] { RunHandler([this] { BchooseClick(); }); });
    connect(Brepaint, &QPushButton::clicked, this,
            [this] { RunHandler([this] { BrepaintClick(); }); });
    connect(Bpreview, &QPushButton::clicked, this,
            [this] { RunHandler([this] { BpreviewClick(); }); });
    connect(Babout, &QPushButton::clicked, this, [this] { RunHandler([this] { BaboutClick(); }); });
    connect(Boptions, &QPushButton::clicked, this,
            [this] { RunHandler([this] { BoptionsClick(); }); });
    connect(Bclose, &QPushButton::clicked, this, [this] { RunHandler([this] { BcloseClick(); }); });
}

// Start-up: the order matters, because setting the show box last may start a redraw.
void Tmain::FormCreate() {
    const bool show = LoadSettings();
    R_ChooseClick();
    FillGridsForToday();
    SetChecked(CHK_show, show);
    Brepaint->setEnabled(CHK_show->isChecked());
}

bool Tmain::LoadSettings() {
    const Settings stored = velnora::LoadSettings(ProfileFile(context_.files.settingsFile));
    // Each control is set in the settings file's order, so that its handler runs
    // as for the user's own change.
    UDLeftRight->SetPosition(stored.leftRight);
    UDTopBottom->SetPosition(stored.topBottom);
    SetText(ELeftRight, QString::fromStdString(stored.leftRightText));
    SetText(ETopBottom, QString::fromStdString(stored.topBottomText));
    ccBack->SetSelectedColour(static_cast<uint32_t>(stored.back));
    ccToday->SetSelectedColour(static_cast<uint32_t>(stored.today));
    SetChecked(CHKprev, stored.previous);
    SetChecked(CHKnext, stored.next);
    const Corner corner = CornerOf(stored.position);
    SetChecked(R_Top_Right, corner == Corner::TopRight);
    SetChecked(R_Bottom_Right, corner == Corner::BottomRight);
    SetChecked(R_Bottom_Left, corner == Corner::BottomLeft);
    SetChecked(R_Top_Left, corner == Corner::TopLeft);
    SetChecked(R_Choose, stored.choose);
    SetChecked(R_CurrentPicture, stored.current);
    SetChecked(CHK_Stretch, stored.stretch);
    SetText(Efilename, QString::fromStdString(stored.path));
    Options = WindowOptionsOf(stored);
    calendarOn_ = CalendarOnAtStart(context_);
    return calendarOn_;
}

Settings Tmain::HeldSettings() const {
    Settings held;
    held.leftRight = UDLeftRight->Position();
    held.topBottom = UDTopBottom->Position();
    held.leftRightText = Text(ELeftRight);
    held.topBottomText = Text(ETopBottom);
    held.back = static_cast<int32_t>(ccBack->SelectedColour());
    held.today = static_cast<int32_t>(ccToday->SelectedColour());
    held.previous = CHKprev->isChecked();
    held.next = CHKnext->isChecked();
    // No corner on (only after a stored code outside 1..4) is written as 0, so
    // the next start shows none on either.
    held.position = CornerCode(SelectedCorner());
    held.choose = R_Choose->isChecked();
    held.current = R_CurrentPicture->isChecked();
    held.stretch = CHK_Stretch->isChecked();
    held.path = Text(Efilename);
    SetWindowOptions(held, Options);
    return held;
}

void Tmain::SaveSettings() {
    const Settings saved = SaveChoices(context_, HeldSettings());
    // A path naming no file was not saved: the field shows that too.
    if (saved.path.empty())
        Efilename->clear();
}

Corner Tmain::SelectedCorner() const {
    if (R_Top_Right->isChecked())
        return Corner::TopRight;
    if (R_Bottom_Right->isChecked())
        return Corner::BottomRight;
    if (R_Bottom_Left->isChecked())
        return Corner::BottomLeft;
    if (R_Top_Left->isChecked())
        return Corner::TopLeft;
    return Corner::None;
}

bool Tmain::ChosenFileMissing() const {
    return R_Choose->isChecked() && !FileExists(Text(Efilename));
}

void Tmain::ELeftRightChange(QLineEdit* edit) {
    if (!TryStrToInt(Text(edit)))
        SetText(edit, QStringLiteral("0"));
}

void Tmain::R_ChooseClick() {
    Efilename->setEnabled(R_Choose->isChecked());
    Bchoose->setEnabled(R_Choose->isChecked());
}

void Tmain::BchooseClick() {
    const std::optional<QString> path = context_.choosePicture(this);
    if (path)
        SetText(Efilename, *path);
}

void Tmain::CHK_showClick() {
    if (CHK_show->isChecked()) {
        FillGridsForToday();
        const PaintResult result = SwitchCalendarOn(context_, HeldSettings(), Grids);
        if (result.chosenFileMissing) {
            // Switched off already: the box shows it without its handler running again.
            const QSignalBlocker quiet(CHK_show);
            CHK_show->setChecked(false);
            calendarOn_ = false;
        }
        ShowPaintResult(result);
        TellWhereThePictureIs();
    } else {
        // The logon redraw goes only when no desktop keeps the calendar.
        SwitchCalendarOff(context_);
        calendarOn_ = false;
    }
    Brepaint->setEnabled(CHK_show->isChecked());
}

// On a desktop that no backend knows, the picture is saved but nothing shows
// it: the user who has just turned the calendar on learns which file to set as
// the wallpaper. Not at start-up, where the box is set from the settings.
void Tmain::TellWhereThePictureIs() {
    if (!isVisible() || !CHK_show->isChecked() ||
        context_.openStore(StoreAccess::Read)->ReachesDesktop())
        return;
    ShowNotice(this, QStringLiteral("Velnora cannot set the wallpaper of this desktop by itself. "
                                    "Set this picture as your wallpaper:\n\n%1\n\n"
                                    "Velnora redraws it with the new day at every logon.")
                         .arg(QString::fromStdString(context_.files.outputPicture)));
}

void Tmain::BrepaintClick() {
    PaintCalendar(false);
}

void Tmain::BpreviewClick() {
    if (ChosenFileMissing()) {
        ShowSelectedFileNotFound(this);
        return;
    }
    Tpreview preview(*this);
    preview.exec();
}

void Tmain::BaboutClick() {
    TTheAbout about(this);
    about.exec();
}

void Tmain::BoptionsClick() {
    Toptions options(this, Options);
    if (options.exec() != QDialog::Accepted)
        return;
    const WindowOptions chosen = options.Chosen();
    // Another calendar rule may put today into another month.
    if (chosen.rule != Options.rule || chosen.monthNames != Options.monthNames)
        gridsDate_.reset();
    Options = chosen;
    FillGridsForToday();
}

void Tmain::BcloseClick() {
    close();
}

bool Tmain::FormKeyDown(int key) {
    if (key != Qt::Key_Escape)
        return false;
    close();
    return true;
}

bool Tmain::FormClose() {
    if (!CHK_show->isChecked())
        return true;
    FillGridsForToday();
    switch (CloseWithCalendarOn(context_, HeldSettings(), Grids, calendarOn_)) {
    case CloseResult::ChosenFileMissing:
        ShowSelectedFileNotFound(this);
        SetChecked(CHK_show, false);
        return false;
    case CloseResult::SwitchedOffElsewhere:
        ShowNotice(this, QString::fromUtf8(SwitchedOffElsewhere));
        SetChecked(CHK_show, false);
        break;
    case CloseResult::Redrawn:
        break;
    }
    SaveSettings();
    return true;
}

// A window left open past midnight draws the new day: every redraw and
// preview refills the grids when the date has changed since they were filled.
void Tmain::FillGridsForToday() {
    const double today = std::floor(Today());
    if (gridsDate_ == today)
        return;
    Grids = GridsForDay(today, Options.rule, Options.monthNames);
    gridsDate_ = today;
}

void Tmain::PaintCalendar(bool preview) {
    FillGridsForToday();
    ShowPaintResult(preview ? Preview(context_, HeldSettings(), Grids, *WorkBitmap)
                            : Redraw(context_, HeldSettings(), Grids));
}

void Tmain::ShowPaintResult(const PaintResult& result) {
    if (result.chosenFileMissing) {
        ShowSelectedFileNotFound(this);
        SetChecked(CHK_show, false);
        return;
    }
    if (result.installed) {
        calendarOn_ = true;
        SetChecked(CHK_show, true);
    }
}

void Tmain::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    UDLeftRight->WriteBuddy();
    UDTopBottom->WriteBuddy();
    // Focus starts on the first control Tab visits that can take it.
    for (QWidget* control : tabOrder_)
        if (control->isEnabled() && (control->focusPolicy() & Qt::TabFocus)) {
            control->setFocus(Qt::TabFocusReason);
            break;
        }
}

void Tmain::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // The desktop's theme changed (light to dark, say).
    if (event->type() == QEvent::PaletteChange)
        ColourHeadings();
}

void Tmain::closeEvent(QCloseEvent* event) {
    // Refused unless the close handler runs to its end.
    event->ignore();
    bool mayClose = false;
    RunEventHandler([&] { mayClose = FormClose(); });
    if (mayClose)
        event->accept();
}

bool Tmain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        const auto* keyEvent = static_cast<QKeyEvent*>(event);
        bool handled = false;
        RunEventHandler([&] { handled = FormKeyDown(keyEvent->key()); });
        if (!handled)
            handled = PressFocusedButton(watched, *keyEvent);
        return handled;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace velnora
