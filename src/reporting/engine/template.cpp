#include "template.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutex>
#include <QSet>
#include <algorithm>
#include <optional>
#include <tuple>

namespace bv::report {

QString documentFontFamily()
{
    return QStringLiteral("Vazirmatn FD");
}

QSizeF PageSetup::paperMm() const
{
    const QSizeF s = QPageSize::size(size, QPageSize::Millimeter);
    return orientation == QPageLayout::Landscape ? s.transposed() : s;
}

QPageLayout PageSetup::pageLayout() const
{
    return QPageLayout(QPageSize(size), orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

const Band *Template::band(BandKind kind) const
{
    for (const Band &b : bands)
        if (b.kind == kind)
            return &b;
    return nullptr;
}

double Template::contentWidth() const
{
    return page.paperMm().width() - page.margins.left() - page.margins.right();
}

namespace {

// A cell of the ruled table: what it shows, and where it stands.
struct Column {
    QString name;
    QString title;
    QString field;       // a column of the row; the column a mark reads
    QString text;        // constant text of every row
    bool hasText = false;
    bool rowNumber = false;
    bool number = false;
    bool mark = false;
    MarkStyle markStyle = MarkStyle::Star;
    QStringList equals;
    double markSize = 0;
    double width = 0;
    HAlign align = HAlign::Center;
    double right = 0;  // distance of the right edge from the right margin
};

struct Table {
    double x = 0;
    double headerHeight = 8;
    double rowHeight = 7;
    FontSpec headerFont;
    FontSpec font;
    QColor headerFill;
    std::vector<Column> columns;
    // Cells of a record's second ruled line, placed under the columns above.
    std::vector<Column> secondLine;
    bool secondTitles = false;  // the column header has a second line of titles too
};

class Parser {
public:
    explicit Parser(QString source) : source_(std::move(source)) {}

    [[noreturn]] void fail(const QString &what) const
    {
        throw TemplateError(QStringLiteral("template %1: %2").arg(source_, what));
    }

    FontSpec font(const QJsonValue &v, const FontSpec &base) const
    {
        FontSpec f = base;
        if (!v.isObject())
            return f;
        const QJsonObject o = v.toObject();
        f.family = o.value(QLatin1String("family")).toString(f.family);
        f.size = o.value(QLatin1String("size")).toDouble(f.size);
        f.bold = o.value(QLatin1String("bold")).toBool(f.bold);
        if (f.size <= 0)
            fail(QStringLiteral("font size must be positive"));
        return f;
    }

    HAlign align(const QJsonValue &v, HAlign fallback) const
    {
        if (v.isUndefined())
            return fallback;
        const QString s = v.toString();
        if (s == QLatin1String("right"))
            return HAlign::Right;
        if (s == QLatin1String("center"))
            return HAlign::Center;
        if (s == QLatin1String("left"))
            return HAlign::Left;
        fail(QStringLiteral("unknown alignment \"%1\"").arg(s));
    }

    QColor color(const QJsonValue &v, const QColor &fallback) const
    {
        if (v.isUndefined() || v.isNull())
            return fallback;
        const QColor c = QColor::fromString(v.toString());
        if (!c.isValid())
            fail(QStringLiteral("bad colour \"%1\"").arg(v.toString()));
        return c;
    }

    ElementKind kind(const QString &type) const
    {
        static const QHash<QString, ElementKind> kinds = {
            {QStringLiteral("text"), ElementKind::Text},
            {QStringLiteral("label"), ElementKind::Label},
            {QStringLiteral("field"), ElementKind::Field},
            {QStringLiteral("rowNumber"), ElementKind::RowNumber},
            {QStringLiteral("pageNumber"), ElementKind::PageNumber},
            {QStringLiteral("image"), ElementKind::Image},
            {QStringLiteral("signature"), ElementKind::Signature},
            {QStringLiteral("boundImage"), ElementKind::BoundImage},
            {QStringLiteral("rect"), ElementKind::Rect},
            {QStringLiteral("line"), ElementKind::Line},
            {QStringLiteral("tick"), ElementKind::Tick},
            {QStringLiteral("richText"), ElementKind::RichText},
            {QStringLiteral("paragraph"), ElementKind::Paragraph},
            {QStringLiteral("mark"), ElementKind::Mark},
        };
        const auto it = kinds.find(type);
        if (it == kinds.end())
            fail(QStringLiteral("unknown element type \"%1\"").arg(type));
        return *it;
    }

    BandKind bandKind(const QString &k) const
    {
        static const QHash<QString, BandKind> kinds = {
            {QStringLiteral("pageHeader"), BandKind::PageHeader},
            {QStringLiteral("title"), BandKind::Title},
            {QStringLiteral("columnHeader"), BandKind::ColumnHeader},
            {QStringLiteral("detail"), BandKind::Detail},
            {QStringLiteral("summary"), BandKind::Summary},
            {QStringLiteral("pageFooter"), BandKind::PageFooter},
        };
        const auto it = kinds.find(k);
        if (it == kinds.end())
            fail(QStringLiteral("unknown band kind \"%1\"").arg(k));
        return *it;
    }

    MarkStyle markStyle(const QJsonValue &v, MarkStyle fallback) const
    {
        if (v.isUndefined())
            return fallback;
        const QString s = v.toString();
        if (s == QLatin1String("fill"))
            return MarkStyle::Fill;
        if (s == QLatin1String("cross"))
            return MarkStyle::Cross;
        if (s == QLatin1String("star"))
            return MarkStyle::Star;
        fail(QStringLiteral("unknown mark style \"%1\"").arg(s));
    }

    // "equals": one value or a list of them.
    QStringList values(const QJsonValue &v) const
    {
        QStringList out;
        if (v.isArray()) {
            for (const QJsonValue &item : v.toArray())
                out << item.toVariant().toString();
        } else if (!v.isUndefined()) {
            out << v.toVariant().toString();
        }
        if (out.isEmpty())
            fail(QStringLiteral("a mark needs the values it \"equals\""));
        return out;
    }

    // The width of `span` columns from the named one leftwards, and its right edge.
    std::pair<double, double> underColumns(const Table &table, const QString &name, int span) const
    {
        const auto first = std::find_if(table.columns.begin(), table.columns.end(),
                                        [&](const Column &col) { return col.name == name; });
        if (first == table.columns.end())
            fail(QStringLiteral("no column \"%1\"").arg(name));
        double width = 0;
        for (auto it = first; it != table.columns.end() && it - first < span; ++it)
            width += it->width;
        return {first->right, width};
    }

    // What a cell shows: a field, the row number, a constant text or a mark.
    Column cell(const QJsonObject &c) const
    {
        Column col;
        col.title = c.value(QLatin1String("title")).toString();
        col.field = c.value(QLatin1String("field")).toString();
        col.rowNumber = c.value(QLatin1String("rowNumber")).toBool(false);
        col.number = c.value(QLatin1String("number")).toBool(false);
        col.hasText = c.contains(QLatin1String("text"));
        col.text = c.value(QLatin1String("text")).toString();
        col.align = align(c.value(QLatin1String("align")), HAlign::Center);
        col.width = c.value(QLatin1String("width")).toDouble(0);
        const int shows = int(!col.field.isEmpty()) + int(col.rowNumber) + int(col.hasText) +
                          int(c.contains(QLatin1String("mark")));
        if (shows != 1)
            fail(QStringLiteral("column \"%1\" must show one of a field, the row number, a text or a mark")
                     .arg(col.title));
        if (c.contains(QLatin1String("mark"))) {
            const QJsonObject m = c.value(QLatin1String("mark")).toObject();
            col.mark = true;
            col.field = m.value(QLatin1String("field")).toString();
            col.equals = values(m.value(QLatin1String("equals")));
            col.markStyle = markStyle(m.value(QLatin1String("style")), MarkStyle::Star);
            col.markSize = m.value(QLatin1String("size")).toDouble(0);
            if (col.field.isEmpty())
                fail(QStringLiteral("the mark of column \"%1\" reads no field").arg(col.title));
        }
        const QString fallback = col.rowNumber ? QStringLiteral("#") : col.mark || col.hasText ? col.title : col.field;
        col.name = c.value(QLatin1String("name")).toString(fallback);
        return col;
    }

    Table table(const QJsonObject &o, const FontSpec &base) const
    {
        Table t;
        t.x = o.value(QLatin1String("x")).toDouble(0);
        t.headerHeight = o.value(QLatin1String("headerHeight")).toDouble(t.headerHeight);
        t.rowHeight = o.value(QLatin1String("rowHeight")).toDouble(t.rowHeight);
        t.font = font(o.value(QLatin1String("font")), base);
        FontSpec bold = t.font;
        bold.bold = true;
        t.headerFont = font(o.value(QLatin1String("headerFont")), bold);
        t.headerFill = color(o.value(QLatin1String("headerFill")), QColor());
        double right = t.x;
        for (const QJsonValue &cv : o.value(QLatin1String("columns")).toArray()) {
            Column col = cell(cv.toObject());
            if (col.width <= 0)
                fail(QStringLiteral("column \"%1\" has no width").arg(col.name));
            col.right = right;
            right += col.width;
            t.columns.push_back(col);
        }
        if (t.columns.empty())
            fail(QStringLiteral("table without columns"));
        for (const QJsonValue &cv : o.value(QLatin1String("secondLine")).toArray()) {
            const QJsonObject c = cv.toObject();
            Column col = cell(c);
            std::tie(col.right, col.width) = underColumns(t, c.value(QLatin1String("column")).toString(),
                                                          c.value(QLatin1String("span")).toInt(1));
            t.secondTitles = t.secondTitles || !col.title.isEmpty();
            t.secondLine.push_back(col);
        }
        return t;
    }

    Element element(const QJsonObject &o, const FontSpec &base, const Table *table) const
    {
        Element e;
        e.kind = kind(o.value(QLatin1String("type")).toString());
        e.name = o.value(QLatin1String("name")).toString();
        e.box = QRectF(o.value(QLatin1String("x")).toDouble(0), o.value(QLatin1String("y")).toDouble(0),
                       o.value(QLatin1String("w")).toDouble(0), o.value(QLatin1String("h")).toDouble(0));
        if (o.contains(QLatin1String("column"))) {
            // Placed under a table column (and the `span` - 1 columns after it).
            if (!table)
                fail(QStringLiteral("element placed under a column, but no table"));
            const auto [right, width] = underColumns(*table, o.value(QLatin1String("column")).toString(),
                                                     o.value(QLatin1String("span")).toInt(1));
            e.box.setX(right);
            e.box.setWidth(width);
        }
        e.font = font(o.value(QLatin1String("font")), base);
        e.align = align(o.value(QLatin1String("align")), HAlign::Right);
        e.color = color(o.value(QLatin1String("color")), QColor(Qt::black));
        e.fill = color(o.value(QLatin1String("fill")), e.kind == ElementKind::Tick ? QColor(Qt::white) : QColor());
        e.visible = o.value(QLatin1String("visible")).toBool(true);
        e.z = o.value(QLatin1String("z")).toInt(e.kind == ElementKind::Signature ? 10 : 0);
        e.ruled = o.value(QLatin1String("ruled")).toBool(
            e.kind == ElementKind::Rect || e.kind == ElementKind::Tick);
        e.lineWidth = o.value(QLatin1String("lineWidth")).toDouble(e.lineWidth);
        e.wrap = o.value(QLatin1String("wrap")).toBool(true);
        e.grow = o.value(QLatin1String("grow")).toBool(e.kind == ElementKind::Paragraph ||
                                                        e.kind == ElementKind::RichText);
        e.stretch = o.value(QLatin1String("stretch")).toBool(false);
        e.number = o.value(QLatin1String("number")).toBool(false);
        switch (e.kind) {
        case ElementKind::Text:
            e.text = o.value(QLatin1String("text")).toString();
            break;
        case ElementKind::Label:
            e.text = o.value(QLatin1String("placeholder")).toString(e.name);
            break;
        case ElementKind::PageNumber:
            e.text = o.value(QLatin1String("text")).toString(QStringLiteral("%1"));
            break;
        case ElementKind::Image:
            e.text = o.value(QLatin1String("src")).toString();
            break;
        case ElementKind::BoundImage:
            e.text = o.value(QLatin1String("column")).toString(QStringLiteral("pic"));
            break;
        case ElementKind::RichText:
            e.text = o.value(QLatin1String("html")).toString();
            break;
        case ElementKind::Paragraph:
            for (const QJsonValue &rv : o.value(QLatin1String("runs")).toArray()) {
                Run r;
                if (rv.isString()) {
                    r.text = rv.toString();
                } else {
                    const QJsonObject ro = rv.toObject();
                    r.label = ro.value(QLatin1String("label")).toString();
                    r.text = ro.value(QLatin1String(r.label.isEmpty() ? "text" : "placeholder"))
                                 .toString(r.label);
                    r.bold = ro.value(QLatin1String("bold")).toBool(false);
                    r.size = ro.value(QLatin1String("size")).toDouble(0);
                    r.number = ro.value(QLatin1String("number")).toBool(false);
                }
                e.runs.push_back(r);
            }
            break;
        case ElementKind::Tick:
            e.markStyle = markStyle(o.value(QLatin1String("style")), MarkStyle::Fill);
            if (e.markStyle == MarkStyle::Star)
                fail(QStringLiteral("tick box \"%1\" is filled or crossed, not starred").arg(e.name));
            break;
        case ElementKind::Mark:
            e.name = o.value(QLatin1String("field")).toString();
            e.equals = values(o.value(QLatin1String("equals")));
            e.markStyle = markStyle(o.value(QLatin1String("style")), MarkStyle::Star);
            e.markSize = o.value(QLatin1String("size")).toDouble(0);
            break;
        default:
            break;
        }
        const bool needsName = e.kind == ElementKind::Label || e.kind == ElementKind::Field ||
                               e.kind == ElementKind::Signature || e.kind == ElementKind::Tick ||
                               e.kind == ElementKind::Mark;
        if (needsName && e.name.isEmpty())
            fail(QStringLiteral("a %1 element needs a name").arg(o.value(QLatin1String("type")).toString()));
        if (e.kind != ElementKind::Line && (e.box.width() <= 0 || e.box.height() <= 0))
            fail(QStringLiteral("element \"%1\" has no size").arg(e.name.isEmpty() ? e.text : e.name));
        return e;
    }

    // Table cells added to the column header and the detail band: one ruled
    // line, or two when the table declares a second line. A cell with nothing
    // below it reaches down over both lines.
    void addTableCells(Band &band, const Table &t) const
    {
        const bool header = band.kind == BandKind::ColumnHeader;
        const double lineHeight = header ? t.headerHeight : t.rowHeight;
        const bool twoLines = header ? t.secondTitles : !t.secondLine.empty();
        auto add = [&](const Column &c, double y) {
            Element e;
            e.ruled = true;
            e.stretch = true;
            e.align = c.align;
            e.box = QRectF(c.right, y, c.width, lineHeight);
            if (header) {
                e.kind = ElementKind::Text;
                e.text = c.title;
                e.font = t.headerFont;
                e.fill = t.headerFill;
                e.align = HAlign::Center;
            } else if (c.rowNumber) {
                e.kind = ElementKind::RowNumber;
                e.name = c.name;
                e.font = t.font;
            } else if (c.mark) {
                e.kind = ElementKind::Mark;
                e.name = c.field;
                e.equals = c.equals;
                e.markStyle = c.markStyle;
                e.markSize = c.markSize;
                e.font = t.font;
                e.align = HAlign::Center;
            } else {
                e.kind = c.hasText ? ElementKind::Text : ElementKind::Field;
                e.name = c.hasText ? QString() : c.field;
                e.text = c.text;
                e.font = t.font;
                e.grow = true;
                e.number = c.number;
            }
            band.elements.push_back(e);
        };
        for (const Column &c : t.columns)
            add(c, 0);
        if (twoLines)
            for (const Column &c : t.secondLine)
                add(c, lineHeight);
        band.height = std::max(band.height, lineHeight * (twoLines ? 2 : 1));
    }

    Template parse(const QByteArray &json)
    {
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
        if (error.error != QJsonParseError::NoError)
            fail(error.errorString() + QStringLiteral(" at ") + QString::number(error.offset));
        const QJsonObject root = doc.object();
        Template t;
        t.name = root.value(QLatin1String("name")).toString(source_);
        t.title = root.value(QLatin1String("title")).toString();
        t.bound = root.value(QLatin1String("bound")).toBool(false);

        const QJsonObject page = root.value(QLatin1String("page")).toObject();
        const QString size = page.value(QLatin1String("size")).toString(QStringLiteral("A4"));
        if (size == QLatin1String("A4"))
            t.page.size = QPageSize::A4;
        else if (size == QLatin1String("A5"))
            t.page.size = QPageSize::A5;
        else if (size == QLatin1String("Letter"))
            t.page.size = QPageSize::Letter;
        else
            fail(QStringLiteral("unknown paper \"%1\"").arg(size));
        const QString orientation = page.value(QLatin1String("orientation")).toString(QStringLiteral("portrait"));
        if (orientation != QLatin1String("portrait") && orientation != QLatin1String("landscape"))
            fail(QStringLiteral("unknown orientation \"%1\"").arg(orientation));
        t.page.orientation =
            orientation == QLatin1String("landscape") ? QPageLayout::Landscape : QPageLayout::Portrait;
        const QJsonObject m = page.value(QLatin1String("margins")).toObject();
        t.page.margins = QMarginsF(m.value(QLatin1String("left")).toDouble(10), m.value(QLatin1String("top")).toDouble(10),
                                   m.value(QLatin1String("right")).toDouble(10),
                                   m.value(QLatin1String("bottom")).toDouble(10));

        FontSpec base{documentFontFamily(), 10, false};
        t.font = font(root.value(QLatin1String("font")), base);

        std::optional<Table> table;
        if (root.contains(QLatin1String("table")))
            table = this->table(root.value(QLatin1String("table")).toObject(), t.font);

        for (const QJsonValue &bv : root.value(QLatin1String("bands")).toArray()) {
            const QJsonObject bo = bv.toObject();
            Band band;
            band.kind = bandKind(bo.value(QLatin1String("kind")).toString());
            if (t.band(band.kind))
                fail(QStringLiteral("band \"%1\" given twice").arg(bo.value(QLatin1String("kind")).toString()));
            band.height = bo.value(QLatin1String("height")).toDouble(0);
            if (bo.value(QLatin1String("table")).toBool(false)) {
                if (!table)
                    fail(QStringLiteral("band shows a table, but none is given"));
                if (band.kind != BandKind::ColumnHeader && band.kind != BandKind::Detail)
                    fail(QStringLiteral("only the column header and detail bands show a table"));
                addTableCells(band, *table);
            }
            for (const QJsonValue &ev : bo.value(QLatin1String("elements")).toArray())
                band.elements.push_back(element(ev.toObject(), t.font, table ? &*table : nullptr));
            if (band.height <= 0)
                fail(QStringLiteral("band without height"));
            t.bands.push_back(std::move(band));
        }
        // Bands in printing order, whatever the order of the file.
        std::stable_sort(t.bands.begin(), t.bands.end(),
                         [](const Band &a, const Band &b) { return int(a.kind) < int(b.kind); });

        QSet<QString> named;
        for (const Band &b : t.bands)
            for (const Element &e : b.elements) {
                named.insert(e.name);
                for (const Run &r : e.runs)
                    named.insert(r.label);
            }
        const QJsonObject groups = root.value(QLatin1String("groups")).toObject();
        for (auto it = groups.begin(); it != groups.end(); ++it) {
            QStringList names;
            for (const QJsonValue &n : it.value().toArray()) {
                if (!named.contains(n.toString()) || n.toString().isEmpty())
                    fail(QStringLiteral("group \"%1\" names no element \"%2\"").arg(it.key(), n.toString()));
                names << n.toString();
            }
            t.groups.insert(it.key(), names);
        }
        const double width = t.contentWidth();
        for (const Band &b : t.bands)
            for (const Element &e : b.elements)
                if (e.box.x() + e.box.width() > width + 0.01)
                    fail(QStringLiteral("element \"%1\" reaches past the left margin")
                             .arg(e.name.isEmpty() ? e.text.left(20) : e.name));
        return t;
    }

private:
    QString source_;
};

}  // namespace

Template Template::fromJson(const QByteArray &json, const QString &sourceName)
{
    return Parser(sourceName).parse(json);
}

Template Template::load(const QString &name)
{
    static QMutex mutex;
    static QHash<QString, Template> parsed;
    QMutexLocker lock(&mutex);
    const auto it = parsed.constFind(name);
    if (it != parsed.constEnd())
        return *it;
    QFile file(QStringLiteral(":/templates/%1.json").arg(name));
    if (!file.open(QIODevice::ReadOnly))
        throw TemplateError(QStringLiteral("no template \"%1\"").arg(name));
    Template t = fromJson(file.readAll(), name);
    parsed.insert(name, t);
    return t;
}

QStringList Template::available()
{
    QStringList names;
    for (const QString &file : QDir(QStringLiteral(":/templates")).entryList({QStringLiteral("*.json")}, QDir::Files))
        names << file.chopped(5);
    return names;
}

}  // namespace bv::report
