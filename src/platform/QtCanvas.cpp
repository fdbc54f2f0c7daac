// SPDX-License-Identifier: GPL-3.0-or-later

#include "QtCanvas.h"

#include "DisplayServer.h"
#include "DisplayText.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextOption>

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace velnora {

namespace {

// The Persian face shipped in the program's resources (Vazirmatn, SIL Open
// Font License), so that the calendar looks the same on every machine where
// the calendar's own faces are missing.
const char* const ShippedFontFile = ":/fonts/Vazirmatn-Regular.ttf";

// The shipped face's family, registered with the font database of the running
// application the first time it is asked for (an application's fonts go with
// it); empty when it cannot be registered.
QString ShippedFace() {
    static int id = -1;
    static QStringList families;
    if (id < 0 || QFontDatabase::applicationFontFamilies(id).isEmpty()) {
        id = QFontDatabase::addApplicationFont(QString::fromLatin1(ShippedFontFile));
        families = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
    }
    return families.isEmpty() ? QString() : families.first();
}

// Faces tried in this order when the requested one is not installed: Mitra is
// the calendar face's name without the "v_" prefix; then the shipped face.
// Only when that cannot be loaded: Nazli comes with Debian's fonts-farsiweb,
// Noto Naskh Arabic with fonts-noto-core; DejaVu Sans has Arabic letters and
// is on nearly every Linux system.
QString InstalledFace(const std::string& face) {
    const QString wanted = QString::fromStdString(face);
    if (QFontDatabase::hasFamily(wanted))
        return wanted;
    if (QFontDatabase::hasFamily(QStringLiteral("Mitra")))
        return QStringLiteral("Mitra");
    if (const QString shipped = ShippedFace(); !shipped.isEmpty())
        return shipped;
    for (const char* fallback : {"Nazli", "Noto Naskh Arabic", "DejaVu Sans"})
        if (QFontDatabase::hasFamily(QString::fromLatin1(fallback)))
            return QString::fromLatin1(fallback);
    // Nothing of the chain: the font substitution of the system decides.
    return wanted;
}

int CellHeightOf(const QFont& font) {
    const QFontMetrics metrics(font);
    return metrics.ascent() + metrics.descent();
}

// The font of the given face whose character cell (ascent + descent) is the
// given height: the largest pixel size whose cell is no taller. Persian faces
// reserve room for marks above and below, so their pixel size comes out well
// below the cell height (Nazli: 13 pixels for a cell of 22). Every size tried
// loads the face afresh, so the search starts from the size the proportion of
// the cell at the cell height gives and takes single steps from there.
QFont FontWithCellHeight(const QString& family, int cellHeight, bool bold) {
    QFont font(family);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    const auto cellAt = [&font](int size) {
        font.setPixelSize(size);
        return CellHeightOf(font);
    };
    const int wanted = std::max(cellHeight, 1);
    const int cellAtWanted = cellAt(wanted);
    int size = cellAtWanted > 0 ? std::max(1, wanted * wanted / cellAtWanted) : wanted;
    // Bounded: no font has a cell below a quarter of its pixel size.
    while (size < 4 * wanted && cellAt(size + 1) <= wanted)
        ++size;
    while (size > 1 && cellAt(size) > wanted)
        --size;
    font.setPixelSize(size);
    return font;
}

QColor ColourOf(Colour colour) {
    return QColor(colour.Red(), colour.Green(), colour.Blue());
}

QString DisplayQString(const std::string& bytes) {
    return QString::fromStdU16String(DisplayText(bytes));
}

// The widest of the day numbers of two digits (10 to 31) as drawn.
int WidestDayNumber(const QFont& font) {
    const QFontMetrics metrics(font);
    int widest = 0;
    for (int day = FirstTwoDigitDay; day <= LastDay; ++day)
        widest = std::max(widest, metrics.horizontalAdvance(DisplayQString(std::to_string(day))));
    return widest;
}

// A run of pixels first..last (inclusive) on one row.
struct Run {
    int first, last;
};

// The rounded rectangle of GDI's RoundRect: pixels left..right - 1 and
// top..bottom - 1, each corner cut along a quarter of an ellipse whose
// bounding box is ellipseWidth x ellipseHeight pixels (clamped to the box). A
// pixel is inside when its centre is inside the shape; the outline is the
// inside pixels with a side neighbour outside, a thin 8-connected line.
class RoundedBox {
  public:
    RoundedBox(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight)
        : left_(left), top_(top), right_(right - 1), bottom_(bottom - 1),
          // Twice the semi-axes through the pixel centres, so that all sums are
          // whole; at most MaxEllipse, so that they cannot overflow.
          a_(std::max(0, std::min({ellipseWidth, right - left, MaxEllipse}) - 1)),
          b_(std::max(0, std::min({ellipseHeight, bottom - top, MaxEllipse}) - 1)) {}

    // At most two runs: the whole span on a row with nothing inside above or
    // below, else its ends and what sticks out past the rows next to it.
    std::vector<Run> OutlineRuns(int row) const {
        const std::optional<Run> span = Span(row);
        if (!span)
            return {};
        const std::optional<Run> above = Span(row - 1);
        const std::optional<Run> below = Span(row + 1);
        if (!above || !below)
            return {*span};
        const int innerFirst = std::max({span->first + 1, above->first, below->first});
        const int innerLast = std::min({span->last - 1, above->last, below->last});
        if (innerFirst > innerLast)
            return {*span};
        return {{span->first, innerFirst - 1}, {innerLast + 1, span->last}};
    }

    // The runs of this box's row that lie outside the inner box's row: the
    // whole span where the inner box has none, else the two ends beside it.
    std::vector<Run> RunsOutside(const RoundedBox& inner, int row) const {
        const std::optional<Run> span = Span(row);
        if (!span)
            return {};
        const std::optional<Run> hole = inner.Span(row);
        if (!hole || hole->first > hole->last)
            return {*span};
        std::vector<Run> runs;
        if (hole->first > span->first)
            runs.push_back({span->first, hole->first - 1});
        if (hole->last < span->last)
            runs.push_back({hole->last + 1, span->last});
        return runs;
    }

  private:
    // Corners wider than this are cut as if this wide: far beyond any frame
    // drawn, and small enough that the squares below stay within 62 bits.
    static constexpr int MaxEllipse = 1 << 14;

    // The inside pixels of a row: one run, the shape being convex.
    std::optional<Run> Span(int row) const {
        if (row < top_ || row > bottom_ || left_ > right_)
            return std::nullopt;
        // Offset from the nearer of the top and bottom edges, doubled and
        // taken from the ellipse's centre: negative within the corner zone.
        const int64_t j = 2 * int64_t{std::min(row - top_, bottom_ - row)} - b_;
        int cut = 0;
        if (j < 0 && a_ > 0) {
            const int64_t a2 = int64_t{a_} * a_, b2 = int64_t{b_} * b_;
            // The first pixel from the side whose centre lies inside the ellipse.
            while (2 * cut < a_) {
                const int64_t i = 2 * int64_t{cut} - a_;
                if (i * i * b2 + j * j * a2 <= a2 * b2)
                    break;
                ++cut;
            }
        }
        return Run{left_ + cut, right_ - cut};
    }

    int left_, top_, right_, bottom_;
    int a_, b_;
};

class QtCanvas final : public Canvas {
  public:
    explicit QtCanvas(Bitmap& bitmap)
        : image_(bitmap.Data(), bitmap.Width(), bitmap.Height(),
                 static_cast<qsizetype>(bitmap.Stride()), QImage::Format_BGR888) {
        // The image shares the bitmap's pixels: painting writes into the
        // bitmap itself, nothing is copied back.
        if (image_.isNull() || !painter_.begin(&image_))
            throw std::runtime_error("Cannot draw on a picture of " +
                                     std::to_string(bitmap.Width()) + " x " +
                                     std::to_string(bitmap.Height()));
        // A Persian text runs from right to left: the title's year stands to
        // the left of the month name.
        painter_.setLayoutDirection(Qt::RightToLeft);
        textOption_.setTextDirection(Qt::RightToLeft);
        painter_.setRenderHint(QPainter::TextAntialiasing, true);
        // The frame is drawn as GDI draws it, without antialiasing.
        painter_.setRenderHint(QPainter::Antialiasing, false);
        painter_.setBrush(Qt::NoBrush);
    }

    void SetFont(const std::string& face, int cellHeight, bool bold, int numberWidth) override {
        current_ = &KeptFont(fonts_, face, cellHeight, bold, numberWidth,
                             [&] { return FontFor(face, cellHeight, bold, numberWidth); });
        painter_.setFont(current_->font);
    }

    TextSize MeasureText(const std::string& text) override {
        const FontChoice& font = Current();
        const QFontMetrics metrics(font.font);
        return {metrics.horizontalAdvance(DisplayQString(text), textOption_), font.height};
    }

    void DrawTextAt(int x, int y, const std::string& text, Colour colour) override {
        const FontChoice& font = Current();
        painter_.setPen(ColourOf(colour));
        // (x, y) is the top left of the text's cell; Qt draws from the baseline.
        painter_.drawText(QPoint(x, y + font.top + font.ascent), DisplayQString(text));
    }

    void RoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight,
                   Colour colour, int penWidth) override {
        // Qt's aliased stroking of curved paths is neither symmetric nor thin,
        // so the outline is worked out here pixel by pixel and filled as runs.
        const QColor ink = ColourOf(colour);
        const RoundedBox box(left, top, right, bottom, ellipseWidth, ellipseHeight);
        // A wider pen: what lies inside the box and not inside the box inset by
        // the pen's width, whose corners are as much smaller.
        const int pen = std::max(penWidth, 1);
        const RoundedBox inner(left + pen, top + pen, right - pen, bottom - pen,
                               ellipseWidth - 2 * pen, ellipseHeight - 2 * pen);
        const int firstRow = std::max(top, 0);
        const int lastRow = std::min(bottom - 1, image_.height() - 1);
        for (int row = firstRow; row <= lastRow; ++row) {
            const std::vector<Run> runs =
                pen == 1 ? box.OutlineRuns(row) : box.RunsOutside(inner, row);
            for (const Run& run : runs)
                painter_.fillRect(QRect(run.first, row, run.last - run.first + 1, 1), ink);
        }
    }

  private:
    struct FontChoice {
        QFont font;
        int ascent = 0;
        int descent = 0;
        int height = 0; // what texts measure: ascent + descent, or the larger face's
        int top = 0;    // the face's cell below the top of that height
    };

    static FontChoice FontFor(const std::string& face, int cellHeight, bool bold, int numberWidth) {
        QFont font = FontWithCellHeight(InstalledFace(face), cellHeight, bold);
        const QFontMetrics metrics(font);
        FontChoice choice{font, metrics.ascent(), metrics.descent(), 0, 0};
        choice.height = choice.ascent + choice.descent;
        // Numbers too wide for their cell: one pixel size smaller at a time.
        int size = font.pixelSize();
        while (size > 1 && WidestDayNumber(font) > numberWidth)
            font.setPixelSize(--size);
        if (size != choice.font.pixelSize()) {
            const QFontMetrics smaller(font);
            choice.font = font;
            choice.ascent = smaller.ascent();
            choice.descent = smaller.descent();
            choice.top = (choice.height - choice.ascent - choice.descent) / 2;
        }
        return choice;
    }

    const FontChoice& Current() {
        if (!current_)
            throw std::logic_error("Canvas used before SetFont");
        return *current_;
    }

    QImage image_;
    QPainter painter_;
    QTextOption textOption_;
    // Within this canvas only: every redraw looks its fonts up afresh.
    std::map<std::string, FontChoice> fonts_;
    const FontChoice* current_ = nullptr;
};

// QGuiApplication keeps references to these for its whole life.
int offscreenArgc = 3;
char offscreenName[] = "velnora";
char offscreenOption[] = "-platform";
char offscreenPlatform[] = "offscreen";
char* offscreenArgv[] = {offscreenName, offscreenOption, offscreenPlatform, nullptr};

} // namespace

std::unique_ptr<Canvas> MakeQtCanvas(Bitmap& bitmap) {
    return std::make_unique<QtCanvas>(bitmap);
}

OffscreenGui::OffscreenGui() {
    if (QGuiApplication::instance())
        return;
    DropQtNotes();
    application_ = std::make_unique<QGuiApplication>(offscreenArgc, offscreenArgv);
}

OffscreenGui::~OffscreenGui() {
    if (!application_)
        return;
    application_.reset();
    KeepQtNotes();
}

}  // namespace velnora
