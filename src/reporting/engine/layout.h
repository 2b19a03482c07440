#pragma once
// The first pass of the engine: a filled template and its rows become pages of
// positioned primitives (text, boxes, lines, images) in millimetres from the
// paper's top-left corner. The painter draws them on any device; the text in
// reading order is read from them.
#include "template.h"

#include <QFont>
#include <QGlyphRun>
#include <QImage>
#include <QLineF>
#include <QList>
#include <QTextLayout>
#include <functional>
#include <vector>

namespace bv::report {

// One shaped line of a text element, its glyphs placed within the element's
// width in layout units (so that drawing needs no second shaping).
struct TextLine {
    QString text;
    QList<QGlyphRun> glyphs;  // positions relative to the line's top-left corner
    double top = 0;     // mm below the element's top
    double height = 0;  // mm
};

struct Primitive {
    enum class Kind { Text, Box, Line, Image, RichText };
    Kind kind = Kind::Text;
    QString name;   // the element's name, when it has one
    QRectF rect;    // mm on the paper
    int z = 0;
    // Text and rich text.
    FontSpec font;
    QColor color = Qt::black;
    HAlign align = HAlign::Right;
    std::vector<TextLine> lines;
    QString html;
    double richFrom = 0;  // rich text: the height of its text above this piece (mm)
    QString pageFormat;  // page numbers, until the pages are counted
    // Boxes and lines.
    QColor fill;           // invalid = not filled
    bool stroke = false;   // draw the outline
    double lineWidth = 0.25;
    QLineF line;
    QImage image;
};

struct Page {
    QSizeF paperMm;
    QPageLayout pageLayout;        // the paper as a printer takes it, without margins
    std::vector<Primitive> items;  // in drawing order (z, then band order)
};

// What a band needs from the document being laid out.
struct FillState {
    // Text of a fill-in label.
    std::function<QString(const QString &)> label;
    // The image put into a slot or bound image element; null when none.
    std::function<QImage(const QString &)> image;
    // The value of a column in a row (-1 = the current row).
    std::function<QVariant(int row, const QString &column)> value;
    int rowCount = 0;
};

// Lays out a template over `state`. Unbound templates print their detail once;
// bound ones once per row.
std::vector<Page> layoutDocument(const Template &t, const FillState &state);

// The text of the pages in reading order: lines top to bottom, and the pieces of
// one line from right to left joined by spaces; lines end with "\n".
QString readingText(const std::vector<Page> &pages);

// The text a value of a row shows: as stored; numbers without grouping.
QString valueText(const QVariant &value, bool number);

// Layout units: fonts are shaped at this resolution, so that measuring and
// drawing agree on every device.
constexpr double kLayoutDpi = 1200.0;
QFont layoutFont(const FontSpec &spec);
QPaintDevice *layoutDevice();

}  // namespace bv::report
