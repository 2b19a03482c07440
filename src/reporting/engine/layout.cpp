#include "layout.h"

#include "money.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QHash>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>
#include <cmath>

namespace bv::report {

namespace {

constexpr double kMmPerUnit = 25.4 / kLayoutDpi;
constexpr double kCellPadding = 1.0;   // mm left and right inside ruled boxes
constexpr double kCellPaddingV = 0.5;  // mm above and below grown text in ruled boxes

QTextOption rtlOption(bool wrap, HAlign align = HAlign::Right)
{
    QTextOption option;
    option.setTextDirection(Qt::RightToLeft);
    option.setWrapMode(wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    // Absolute: with a right-to-left direction, "right" would otherwise mean left.
    const Qt::Alignment h = align == HAlign::Right ? Qt::AlignRight
                            : align == HAlign::Left ? Qt::AlignLeft
                                                    : Qt::AlignHCenter;
    option.setAlignment(h | Qt::AlignAbsolute);
    return option;
}

// Wraps and shapes text within a width and returns its lines and total height (mm).
double shapeLines(const QString &text, const QList<QTextLayout::FormatRange> &formats, const FontSpec &spec,
                  double widthMm, bool wrap, HAlign align, std::vector<TextLine> &out)
{
    out.clear();
    if (text.isEmpty())
        return 0;
    QString prepared = text;
    prepared.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(prepared, layoutFont(spec), layoutDevice());
    layout.setTextOption(rtlOption(wrap, align));
    layout.setFormats(formats);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    double y = 0;
    const double width = std::max(1.0, widthMm / kMmPerUnit);
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
        line.setLineWidth(width);
    layout.endLayout();
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        TextLine tl;
        const int start = line.textStart();
        int length = line.textLength();
        while (length > 0 && (prepared.at(start + length - 1).isSpace()))
            --length;
        tl.text = prepared.mid(start, length);
        tl.glyphs = line.glyphRuns();
        for (QGlyphRun &run : tl.glyphs) {
            QList<QPointF> positions = run.positions();
            for (QPointF &p : positions)
                p.ry() -= line.y();
            run.setPositions(positions);
        }
        tl.top = y;
        tl.height = line.height() * kMmPerUnit;
        y += tl.height;
        out.push_back(std::move(tl));
    }
    return y;
}

QImage resourceImage(const QString &src)
{
    static QHash<QString, QImage> cache;
    const auto it = cache.constFind(src);
    if (it != cache.constEnd())
        return *it;
    QImage image(QStringLiteral(":/templates/") + src);
    cache.insert(src, image);
    return image;
}

struct BandOut {
    double height = 0;
    std::vector<Primitive> items;
};

class Layouter {
public:
    Layouter(const Template &t, const FillState &state) : t_(t), state_(state)
    {
        paper_ = t.page.paperMm();
        left_ = t.page.margins.left();
        width_ = t.contentWidth();
    }

    std::vector<Page> run()
    {
        const Band *header = t_.band(BandKind::PageHeader);
        const Band *title = t_.band(BandKind::Title);
        const Band *columns = t_.band(BandKind::ColumnHeader);
        const Band *detail = t_.band(BandKind::Detail);
        const Band *summary = t_.band(BandKind::Summary);
        const Band *footer = t_.band(BandKind::PageFooter);
        const double top = t_.page.margins.top();
        const double bottom = paper_.height() - t_.page.margins.bottom() - (footer ? footer->height : 0);

        std::vector<Page> pages;
        double y = 0;
        double bodyTop = 0;
        auto place = [&](BandOut &&b) {
            for (Primitive &p : b.items) {
                p.rect.translate(0, y);
                p.line.translate(0, y);
                pages.back().items.push_back(std::move(p));
            }
            y += b.height;
        };
        auto startPage = [&] {
            pages.push_back(Page{paper_, t_.page.pageLayout(), {}});
            y = top;
            if (header)
                place(band(*header, -1, 0));
            if (title && pages.size() == 1)
                place(band(*title, -1, 0));
            if (columns)
                place(band(*columns, -1, 0));
            bodyTop = y;
        };
        // A band that does not fit goes to a new page; one taller than a whole
        // page is cut between its lines and goes on over the next pages.
        auto flow = [&](BandOut &&b) {
            if (y + b.height > bottom + 0.001 && y > bodyTop + 0.001)
                startPage();
            while (y + b.height > bottom + 0.001) {
                BandOut rest = splitBand(b, bottom - y);
                if (rest.items.empty())
                    break;
                place(std::move(b));
                startPage();
                b = std::move(rest);
            }
            place(std::move(b));
        };
        startPage();
        if (detail) {
            const int n = t_.bound ? state_.rowCount : 1;
            for (int i = 0; i < n; ++i)
                flow(band(*detail, t_.bound ? i : -1, i + 1));
        }
        if (summary)
            flow(band(*summary, -1, 0));
        if (footer) {
            for (Page &page : pages) {
                BandOut f = band(*footer, -1, 0);
                for (Primitive &p : f.items) {
                    p.rect.translate(0, bottom);
                    p.line.translate(0, bottom);
                    page.items.push_back(std::move(p));
                }
            }
        }
        resolvePageNumbers(pages);
        for (Page &page : pages)
            std::stable_sort(page.items.begin(), page.items.end(),
                             [](const Primitive &a, const Primitive &b) { return a.z < b.z; });
        return pages;
    }

private:
    // The paper rectangle of an element placed at the top of its band.
    QRectF paperRect(const Element &e) const
    {
        return QRectF(left_ + width_ - e.box.x() - e.box.width(), e.box.y(), e.box.width(), e.box.height());
    }

    QString textOf(const Element &e, int row, int rowNumber) const
    {
        switch (e.kind) {
        case ElementKind::Text:
            return e.text;
        case ElementKind::Label:
            return state_.label(e.name);
        case ElementKind::Field:
            return valueText(state_.value(row, e.name), e.number);
        case ElementKind::RowNumber:
            return rowNumber > 0 ? QString::number(rowNumber) : QString();
        case ElementKind::PageNumber:
            return e.text;
        case ElementKind::Mark:
            return markOn(e, row) ? QStringLiteral("*") : QString();
        default:
            return {};
        }
    }

    bool markOn(const Element &e, int row) const
    {
        return e.equals.contains(valueText(state_.value(row, e.name), false).trimmed());
    }

    // The paragraph's text with its label runs marked for bold or size.
    QString paragraphText(const Element &e, QList<QTextLayout::FormatRange> &formats) const
    {
        QString text;
        for (const Run &r : e.runs) {
            const QString piece = r.label.isEmpty() ? r.text : state_.label(r.label);
            if ((r.bold || r.size > 0) && !piece.isEmpty()) {
                QTextCharFormat f;
                if (r.bold)
                    f.setFontWeight(QFont::Bold);
                if (r.size > 0)
                    f.setFont(layoutFont({e.font.family, r.size, r.bold || e.font.bold}),
                              QTextCharFormat::FontPropertiesSpecifiedOnly);
                formats.append({int(text.size()), int(piece.size()), f});
            }
            text += piece;
        }
        return text;
    }

    BandOut band(const Band &b, int row, int rowNumber)
    {
        struct Pending {
            const Element *e;
            Primitive text;
            double textHeight = 0;
            bool isText = false;
            double top = 0;     // after the elements above it have grown
            double bottom = 0;
        };
        std::vector<Pending> pending;
        double height = b.height;
        for (const Element &e : b.elements) {
            if (!e.visible)
                continue;
            Pending p{&e, {}, 0, false, 0, 0};
            Primitive &prim = p.text;
            prim.name = e.name;
            prim.z = e.z;
            prim.font = e.font;
            prim.color = e.color;
            prim.align = e.align;
            const double pad = e.ruled ? kCellPadding : 0;
            prim.rect = paperRect(e).adjusted(pad, 0, -pad, 0);
            switch (e.kind) {
            case ElementKind::Mark:
                if (e.markStyle != MarkStyle::Star)
                    break;
                [[fallthrough]];
            case ElementKind::Text:
            case ElementKind::Label:
            case ElementKind::Field:
            case ElementKind::RowNumber:
            case ElementKind::PageNumber:
            case ElementKind::Paragraph: {
                QList<QTextLayout::FormatRange> formats;
                const QString text = e.kind == ElementKind::Paragraph ? paragraphText(e, formats)
                                                                       : textOf(e, row, rowNumber);
                if (e.kind == ElementKind::PageNumber)
                    prim.pageFormat = text;
                else
                    p.textHeight =
                        shapeLines(text, formats, e.font, prim.rect.width(), e.wrap, e.align, prim.lines);
                p.isText = true;
                break;
            }
            case ElementKind::RichText: {
                QTextDocument doc;
                doc.setDocumentMargin(0);
                doc.setDefaultTextOption(rtlOption(true));
                doc.setDefaultFont(layoutFont(e.font));
                doc.documentLayout()->setPaintDevice(layoutDevice());
                doc.setHtml(e.text);
                doc.setTextWidth(prim.rect.width() / kMmPerUnit);
                prim.kind = Primitive::Kind::RichText;
                prim.html = e.text;
                p.textHeight = doc.size().height() * kMmPerUnit;  // lays the whole text out
                // Its lines, so that it can be cut between them at a page's end.
                for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
                    const QTextLayout *lines = block.layout();
                    const double blockTop = lines->position().y();
                    for (int i = 0; i < lines->lineCount(); ++i) {
                        const QTextLine line = lines->lineAt(i);
                        const QString text = block.text().mid(line.textStart(), line.textLength()).trimmed();
                        prim.lines.push_back(
                            {text, {}, (blockTop + line.y()) * kMmPerUnit, line.height() * kMmPerUnit});
                    }
                }
                break;
            }
            default:
                break;
            }
            pending.push_back(std::move(p));
        }

        // An element that grows pushes down the elements below it; the band
        // grows when they pass its bottom.
        std::vector<Pending *> byTop;
        for (Pending &p : pending)
            byTop.push_back(&p);
        std::stable_sort(byTop.begin(), byTop.end(),
                         [](const Pending *a, const Pending *b) { return a->e->box.y() < b->e->box.y(); });
        for (size_t i = 0; i < byTop.size(); ++i) {
            Pending &p = *byTop[i];
            const QRectF &box = p.e->box;
            double shift = 0;
            for (size_t j = 0; j < i; ++j)
                if (byTop[j]->e->box.bottom() <= box.y() + 0.001)
                    shift = std::max(shift, byTop[j]->bottom - byTop[j]->e->box.bottom());
            p.top = box.y() + shift;
            double h = box.height();
            if (p.e->grow && p.textHeight > 0)
                h = std::max(h, p.textHeight + (p.e->ruled ? 2 * kCellPaddingV : 0));
            p.bottom = p.top + h;
            height = std::max(height, p.bottom);
        }

        BandOut out;
        out.height = height;
        for (Pending &p : pending) {
            const Element &e = *p.e;
            QRectF outer = paperRect(e);
            outer.moveTop(p.top);
            outer.setBottom(p.bottom);  // a grown element's box holds all its text
            if (e.stretch) {
                // Down to the element below it (a record's second line), or the band's bottom.
                double bottom = height;
                for (const Pending &q : pending)
                    if (q.e->box.y() >= e.box.bottom() - 0.001 && q.e->box.x() < e.box.right() - 0.001 &&
                        e.box.x() < q.e->box.right() - 0.001)
                        bottom = std::min(bottom, q.top);
                outer.setHeight(bottom - p.top);
            }
            const bool boxed = e.ruled || e.fill.isValid();
            switch (e.kind) {
            case ElementKind::Rect:
            case ElementKind::Tick: {
                Primitive box = boxFor(e, outer);
                box.name = e.name;
                out.items.push_back(box);
                if (e.kind == ElementKind::Tick && e.crossed)
                    addCross(out, e, outer);
                break;
            }
            case ElementKind::Mark: {
                if (e.markStyle == MarkStyle::Star) {
                    textOut(out, p, outer);
                    break;
                }
                if (boxed)
                    out.items.push_back(boxFor(e, outer));
                // A small box of its own in the middle of the cell, outlined whether on or off.
                const double side = e.markSize > 0 ? e.markSize : std::min({4.0, outer.width(), outer.height()});
                const QRectF mark(outer.center().x() - side / 2, outer.center().y() - side / 2, side, side);
                const bool on = markOn(e, row);
                Primitive box;
                box.kind = Primitive::Kind::Box;
                box.name = e.name;
                box.rect = mark;
                box.z = e.z;
                box.stroke = true;
                box.lineWidth = e.lineWidth;
                if (on && e.markStyle == MarkStyle::Fill)
                    box.fill = e.color;
                out.items.push_back(box);
                if (on && e.markStyle == MarkStyle::Cross)
                    addCross(out, e, mark);
                break;
            }
            case ElementKind::Line: {
                Primitive line;
                line.kind = Primitive::Kind::Line;
                line.name = e.name;
                line.z = e.z;
                line.color = e.color;
                line.lineWidth = e.lineWidth;
                const double x1 = left_ + width_ - e.box.x();
                line.line = QLineF(x1, p.top, x1 - e.box.width(), p.top + e.box.height());
                line.rect = QRectF(line.line.p1(), line.line.p2()).normalized();
                out.items.push_back(line);
                break;
            }
            case ElementKind::Image:
            case ElementKind::Signature:
            case ElementKind::BoundImage: {
                QImage image;
                if (e.kind == ElementKind::Image) {
                    image = resourceImage(e.text);
                } else {
                    image = state_.image(e.name);
                    if (image.isNull() && e.kind == ElementKind::BoundImage)
                        image = QImage::fromData(state_.value(row, e.text).toByteArray());
                }
                if (boxed)
                    out.items.push_back(boxFor(e, outer));
                if (image.isNull())
                    break;
                Primitive img;
                img.kind = Primitive::Kind::Image;
                img.name = e.name;
                img.z = e.z;
                img.rect = outer;
                img.image = image;
                out.items.push_back(img);
                break;
            }
            default:
                if (p.isText || p.text.kind == Primitive::Kind::RichText)
                    textOut(out, p, outer);
                break;
            }
        }
        return out;
    }

    template <typename Pending>
    static void textOut(BandOut &out, Pending &p, const QRectF &outer)
    {
        const Element &e = *p.e;
        if (e.ruled || e.fill.isValid())
            out.items.push_back(boxFor(e, outer));
        Primitive &prim = p.text;
        const double pad = e.ruled ? kCellPadding : 0;
        prim.rect = outer.adjusted(pad, 0, -pad, 0);
        // Ruled cells centre their text vertically; other texts start at the top.
        if (e.ruled && p.textHeight < prim.rect.height()) {
            const double shift = (prim.rect.height() - p.textHeight) / 2;
            for (TextLine &l : prim.lines)
                l.top += shift;
            prim.richFrom -= shift;
        }
        out.items.push_back(std::move(prim));
    }

    // The two diagonals of a crossed box.
    static void addCross(BandOut &out, const Element &e, const QRectF &box)
    {
        for (const QLineF &diagonal : {QLineF(box.topLeft(), box.bottomRight()), QLineF(box.topRight(), box.bottomLeft())}) {
            Primitive line;
            line.kind = Primitive::Kind::Line;
            line.name = e.name;
            line.z = e.z;
            line.color = e.color;
            line.lineWidth = e.lineWidth;
            line.line = diagonal;
            line.rect = box;
            out.items.push_back(line);
        }
    }

    // Cuts a band at `cut` mm from its top: what lies above stays in `b`, the
    // rest is returned as a band of its own. Texts and rich texts crossing the
    // cut are divided between their lines; boxes and lines crossing it go on
    // below; other primitives crossing it stay whole above.
    static BandOut splitBand(BandOut &b, double cut)
    {
        auto lined = [](const Primitive &p) {
            return p.kind == Primitive::Kind::Text || p.kind == Primitive::Kind::RichText;
        };
        auto lineOverflows = [&](const Primitive &p, const TextLine &l) {
            return p.rect.top() + l.top + l.height > cut + 0.001;
        };
        // The rest starts at the first text line that does not fit, or at the cut.
        double base = cut;
        for (const Primitive &p : b.items)
            if (lined(p) && p.rect.top() < cut)
                for (const TextLine &l : p.lines)
                    if (lineOverflows(p, l))
                        base = std::min(base, p.rect.top() + l.top);
        if (base <= 0.001)
            return {};  // not even one line fits: the band is placed whole
        BandOut above, rest;
        above.height = cut;
        rest.height = b.height - base;
        auto moveDown = [&](Primitive &&p) {
            p.rect.translate(0, -base);
            p.line.translate(0, -base);
            rest.items.push_back(std::move(p));
        };
        for (Primitive &p : b.items) {
            if (p.kind == Primitive::Kind::Line) {
                const double top = std::min(p.line.y1(), p.line.y2());
                const double bottom = std::max(p.line.y1(), p.line.y2());
                if (bottom <= cut + 0.001) {
                    above.items.push_back(std::move(p));
                } else if (top >= base - 0.001) {
                    moveDown(std::move(p));
                } else {
                    Primitive tail = p;
                    p.line = clipY(p.line, top, cut);
                    tail.line = clipY(tail.line, base, bottom);
                    p.rect = QRectF(p.line.p1(), p.line.p2()).normalized();
                    tail.rect = QRectF(tail.line.p1(), tail.line.p2()).normalized();
                    above.items.push_back(std::move(p));
                    moveDown(std::move(tail));
                }
                continue;
            }
            if (p.rect.top() >= base - 0.001) {
                moveDown(std::move(p));
            } else if (p.kind == Primitive::Kind::Box && p.rect.bottom() > cut + 0.001) {
                // A ruled box goes on at the top of the rest.
                Primitive tail = p;
                p.rect.setBottom(cut);
                tail.rect.setTop(base);
                above.items.push_back(std::move(p));
                moveDown(std::move(tail));
            } else if (!lined(p) || std::none_of(p.lines.begin(), p.lines.end(),
                                                 [&](const TextLine &l) { return lineOverflows(p, l); })) {
                above.items.push_back(std::move(p));
            } else {
                Primitive tail = p;
                tail.lines.clear();
                std::vector<TextLine> kept;
                double first = -1;
                for (TextLine &l : p.lines) {
                    if (!lineOverflows(p, l)) {
                        kept.push_back(std::move(l));
                        continue;
                    }
                    if (first < 0)
                        first = l.top;
                    l.top -= first;
                    tail.lines.push_back(std::move(l));
                }
                tail.rect.setTop(p.rect.top() + first - base);
                tail.rect.setBottom(std::max(tail.rect.top(), p.rect.bottom() - base));
                tail.richFrom = p.richFrom + first;
                p.lines = std::move(kept);
                p.rect.setBottom(cut);
                above.items.push_back(std::move(p));
                rest.items.push_back(std::move(tail));
            }
        }
        b = std::move(above);
        return rest;
    }

    // The part of a line between two heights.
    static QLineF clipY(const QLineF &line, double top, double bottom)
    {
        const double dy = line.dy();
        double t0 = (top - line.y1()) / dy;
        double t1 = (bottom - line.y1()) / dy;
        if (t0 > t1)
            std::swap(t0, t1);
        return QLineF(line.pointAt(std::clamp(t0, 0.0, 1.0)), line.pointAt(std::clamp(t1, 0.0, 1.0)));
    }

    static Primitive boxFor(const Element &e, const QRectF &outer)
    {
        Primitive box;
        box.kind = Primitive::Kind::Box;
        box.rect = outer;
        box.z = e.z;
        box.fill = e.fill;
        box.stroke = e.ruled;
        box.lineWidth = e.lineWidth;
        return box;
    }

    void resolvePageNumbers(std::vector<Page> &pages) const
    {
        const QString count = QString::number(pages.size());
        for (size_t i = 0; i < pages.size(); ++i) {
            for (Primitive &p : pages[i].items) {
                if (p.pageFormat.isEmpty())
                    continue;
                QString text = p.pageFormat;
                text.replace(QLatin1String("%1"), QString::number(i + 1)).replace(QLatin1String("%2"), count);
                p.pageFormat.clear();
                shapeLines(text, {}, p.font, p.rect.width(), false, p.align, p.lines);
            }
        }
    }

    const Template &t_;
    const FillState &state_;
    QSizeF paper_;
    double left_ = 0;
    double width_ = 0;
};

}  // namespace

QPaintDevice *layoutDevice()
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32);
        const int dpm = int(std::lround(kLayoutDpi / 0.0254));
        image.setDotsPerMeterX(dpm);
        image.setDotsPerMeterY(dpm);
        return image;
    }();
    return &device;
}

QFont layoutFont(const FontSpec &spec)
{
    static QHash<QString, QFont> cache;
    const QString key = spec.family + QLatin1Char('|') + QString::number(spec.size) + (spec.bold ? u'b' : u'r');
    const auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;
    QFont font(spec.family);
    font.setPointSizeF(spec.size);
    font.setBold(spec.bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(true);
    const QFont resolved(font, layoutDevice());
    cache.insert(key, resolved);
    return resolved;
}

QString valueText(const QVariant &value, bool number)
{
    if (!value.isValid() || value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        if (!number)
            return QString::number(value.toDouble(), 'g', 15);
        [[fallthrough]];
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return number ? Money::fromVariant(value).plain() : value.toString();
    case QMetaType::QByteArray:
        return {};
    default:
        break;
    }
    const QString text = value.toString();
    if (number) {
        if (const auto m = Money::parse(text.trimmed()))
            return m->plain();
    }
    return text;
}

std::vector<Page> layoutDocument(const Template &t, const FillState &state)
{
    return Layouter(t, state).run();
}

QString readingText(const std::vector<Page> &pages)
{
    struct Piece {
        double top, bottom, right;
        QString text;
    };
    QString out;
    for (const Page &page : pages) {
        std::vector<Piece> pieces;
        for (const Primitive &p : page.items) {
            if (p.kind != Primitive::Kind::Text && p.kind != Primitive::Kind::RichText)
                continue;
            for (const TextLine &l : p.lines)
                if (!l.text.trimmed().isEmpty())
                    pieces.push_back({p.rect.top() + l.top, p.rect.top() + l.top + l.height, p.rect.right(),
                                      l.text.trimmed()});
        }
        std::stable_sort(pieces.begin(), pieces.end(), [](const Piece &a, const Piece &b) { return a.top < b.top; });
        size_t i = 0;
        while (i < pieces.size()) {
            // One visual line: every piece whose middle lies within the first piece's height.
            const double lineTop = pieces[i].top;
            const double lineBottom = pieces[i].bottom;
            std::vector<Piece> line;
            while (i < pieces.size() && (pieces[i].top + pieces[i].bottom) / 2 < lineBottom &&
                   (pieces[i].top + pieces[i].bottom) / 2 >= lineTop) {
                line.push_back(pieces[i]);
                ++i;
            }
            if (line.empty()) {
                line.push_back(pieces[i]);
                ++i;
            }
            std::stable_sort(line.begin(), line.end(), [](const Piece &a, const Piece &b) { return a.right > b.right; });
            QStringList words;
            for (const Piece &p : line)
                words << p.text;
            out += words.join(QLatin1Char(' ')) + QLatin1Char('\n');
        }
    }
    return out;
}

}  // namespace bv::report
