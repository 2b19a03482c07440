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

struct Column {
    QString name;
    QString title;
    QString field;
    double width = 0;
    HAlign align = HAlign::Center;
    bool rowNumber = false;
    bool number = false;
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

    const Column *column(const QString &name) const
    {
        for (const Column &c : columns)
            if (c.name == name)
                return &c;
        return nullptr;
    }
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
            const QJsonObject c = cv.toObject();
            Column col;
            col.title = c.value(QLatin1String("title")).toString();
            col.field = c.value(QLatin1String("field")).toString();
            col.rowNumber = c.value(QLatin1String("rowNumber")).toBool(false);
            col.number = c.value(QLatin1String("number")).toBool(false);
            col.name = c.value(QLatin1String("name")).toString(col.rowNumber ? QStringLiteral("#") : col.field);
            col.width = c.value(QLatin1String("width")).toDouble(0);
            col.align = align(c.value(QLatin1String("align")), HAlign::Center);
            if (col.width <= 0)
                fail(QStringLiteral("column \"%1\" has no width").arg(col.name));
            if (!col.rowNumber && col.field.isEmpty())
                fail(QStringLiteral("column \"%1\" shows no field").arg(col.title));
            col.right = right;
            right += col.width;
            t.columns.push_back(col);
        }
        if (t.columns.empty())
            fail(QStringLiteral("table without columns"));
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
            const QString name = o.value(QLatin1String("column")).toString();
            const Column *c = table->column(name);
            if (!c)
                fail(QStringLiteral("no column \"%1\"").arg(name));
            const int span = o.value(QLatin1String("span")).toInt(1);
            double width = 0;
            const auto first = std::find_if(table->columns.begin(), table->columns.end(),
                                            [&](const Column &col) { return col.name == name; });
            for (auto it = first; it != table->columns.end() && it - first < span; ++it)
                width += it->width;
            e.box.setX(c->right);
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
        e.grow = o.value(QLatin1String("grow")).toBool(e.kind == ElementKind::Paragraph);
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
                }
                e.runs.push_back(r);
            }
            break;
        default:
            break;
        }
        const bool needsName = e.kind == ElementKind::Label || e.kind == ElementKind::Field ||
                               e.kind == ElementKind::Signature || e.kind == ElementKind::Tick;
        if (needsName && e.name.isEmpty())
            fail(QStringLiteral("a %1 element needs a name").arg(o.value(QLatin1String("type")).toString()));
        if (e.kind != ElementKind::Line && (e.box.width() <= 0 || e.box.height() <= 0))
            fail(QStringLiteral("element \"%1\" has no size").arg(e.name.isEmpty() ? e.text : e.name));
        return e;
    }

    // Table cells added to the column header and the detail band.
    void addTableCells(Band &band, const Table &t) const
    {
        for (const Column &c : t.columns) {
            Element e;
            e.ruled = true;
            e.stretch = true;
            e.align = c.align;
            e.wrap = true;
            if (band.kind == BandKind::ColumnHeader) {
                e.kind = ElementKind::Text;
                e.text = c.title;
                e.font = t.headerFont;
                e.fill = t.headerFill;
                e.align = HAlign::Center;
                e.box = QRectF(c.right, 0, c.width, t.headerHeight);
            } else {
                e.kind = c.rowNumber ? ElementKind::RowNumber : ElementKind::Field;
                e.name = c.rowNumber ? c.name : c.field;
                e.font = t.font;
                e.grow = true;
                e.number = c.number;
                e.box = QRectF(c.right, 0, c.width, t.rowHeight);
            }
            band.elements.push_back(e);
        }
        const double h = band.kind == BandKind::ColumnHeader ? t.headerHeight : t.rowHeight;
        band.height = std::max(band.height, h);
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
