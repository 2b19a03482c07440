#pragma once
// A letter or report template as read from its declarative file: the page, the
// bands and their elements. Positions are millimetres; an element's x is the
// distance of its right edge from the right margin, as a right-to-left page is
// designed. Ruled table columns are listed first to last and placed by the
// engine from the right margin leftwards.
#include <QColor>
#include <QMap>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <stdexcept>
#include <vector>

namespace bv::report {

class TemplateError : public std::runtime_error {
public:
    explicit TemplateError(const QString &text) : std::runtime_error(text.toStdString()), text_(text) {}
    const QString &text() const { return text_; }

private:
    QString text_;
};

enum class BandKind { PageHeader, Title, ColumnHeader, Detail, Summary, PageFooter };

enum class ElementKind {
    Text,        // fixed text of the layout
    Label,       // named fill-in label with a placeholder
    Field,       // a column of the current (or the detail's) row
    RowNumber,   // running number of the detail row
    PageNumber,  // "%1" page, "%2" page count
    Image,       // fixed image of the layout (resource under :/templates)
    Signature,   // signature slot, empty until a fill puts an image in it
    BoundImage,  // picture column of the current row, or an image put by the fill
    Rect,        // rectangle, optionally filled
    Line,        // line from (x, y) to (x + w, y + h), right-to-left coordinates
    Tick,        // named rectangle coloured by the fill
    RichText,    // one formatted block (HTML subset of QTextDocument)
    Paragraph,   // wrapped right-to-left text in which fill-in labels flow
    Mark,        // on when a column of the row holds one of the given values
};

// How a tick box or a mark shows that it is on: filled, crossed by its two
// diagonals, or a "*".
enum class MarkStyle { Fill, Cross, Star };

enum class HAlign { Right, Center, Left };

struct FontSpec {
    QString family;
    double size = 10;  // points
    bool bold = false;
    bool operator==(const FontSpec &) const = default;
};

// One piece of a paragraph: fixed text, or a fill-in label flowing inside it.
struct Run {
    QString text;       // fixed text; the placeholder when `label` is set
    QString label;      // fill-in label name, empty for fixed text
    bool bold = false;
    double size = 0;    // points; 0 = the paragraph's size
    bool number = false;  // filled from a row as a plain amount
};

struct Element {
    ElementKind kind = ElementKind::Text;
    QString name;        // labels, fields (the column), slots, ticks; optional otherwise
    QString text;        // fixed text, placeholder, page-number format, image resource, HTML
    QRectF box;          // x = right edge's distance from the right margin
    FontSpec font;
    HAlign align = HAlign::Right;
    QColor color = Qt::black;
    QColor fill;         // rectangles and ticks; invalid = not filled
    bool visible = true;
    int z = 0;
    bool ruled = false;  // a box drawn around the element
    double lineWidth = 0.25;  // mm
    bool wrap = true;
    bool grow = false;   // the band grows to fit the element's wrapped text
    bool stretch = false;  // the element's height follows its band's grown height
    bool number = false;   // values shown as plain numbers (money columns)
    std::vector<Run> runs;  // paragraph
    // Ticks and marks. A mark's `name` is the column it reads.
    MarkStyle markStyle = MarkStyle::Fill;
    bool crossed = false;  // a tick box of the cross style, crossed by the fill
    QStringList equals;    // the values of the column that turn a mark on
    double markSize = 0;   // mm, side of a mark's box; 0 = up to 4 mm
};

struct Band {
    BandKind kind = BandKind::Detail;
    double height = 0;
    std::vector<Element> elements;
};

struct PageSetup {
    QPageSize::PageSizeId size = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins{10, 10, 10, 10};  // mm
    // The paper in millimetres, oriented.
    QSizeF paperMm() const;
    QPageLayout pageLayout() const;  // zero margins: the engine places everything itself
};

struct Template {
    QString name;
    QString title;
    PageSetup page;
    FontSpec font;
    bool bound = false;  // the detail band prints once per bound row (none for no rows)
    std::vector<Band> bands;
    QMap<QString, QStringList> groups;  // named groups of labels (font size of a header block)

    const Band *band(BandKind kind) const;
    double contentWidth() const;

    // Reads a template file; throws TemplateError.
    static Template fromJson(const QByteArray &json, const QString &sourceName);
    // The template of that name from the program's resources, parsed once and
    // copied for each caller; throws TemplateError when there is none.
    static Template load(const QString &name);
    // Names of the templates compiled into the program.
    static QStringList available();
};

// The family printed documents use: the variant of the program's font that
// draws Persian digits.
QString documentFontFamily();

}  // namespace bv::report
