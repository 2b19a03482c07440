#include "painter.h"

#include <QAbstractTextDocumentLayout>
#include <QPageRanges>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextDocument>
#include <QTextLayout>

namespace bv::report {

namespace {

constexpr double kMmPerUnit = 25.4 / kLayoutDpi;

void paintText(QPainter &painter, const Primitive &p)
{
    painter.setPen(p.color);
    for (const TextLine &line : p.lines) {
        painter.save();
        painter.translate(p.rect.left(), p.rect.top() + line.top);
        painter.scale(kMmPerUnit, kMmPerUnit);
        for (const QGlyphRun &run : line.glyphs)
            painter.drawGlyphRun(QPointF(0, 0), run);
        painter.restore();
    }
}

void paintRichText(QPainter &painter, const Primitive &p)
{
    QTextDocument doc;
    doc.setDocumentMargin(0);
    QTextOption option;
    option.setTextDirection(Qt::RightToLeft);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    doc.setDefaultTextOption(option);
    doc.setDefaultFont(layoutFont(p.font));
    doc.documentLayout()->setPaintDevice(layoutDevice());
    doc.setHtml(p.html);
    doc.setTextWidth(p.rect.width() / kMmPerUnit);
    if (p.lines.empty())
        return;
    // Only this piece's lines: the rest of a long block prints on other pages.
    const double top = p.lines.front().top;
    const double bottom = p.lines.back().top + p.lines.back().height;
    painter.save();
    painter.setClipRect(QRectF(p.rect.left() - 2, p.rect.top() + top, p.rect.width() + 4, bottom - top),
                        Qt::IntersectClip);
    painter.translate(p.rect.left(), p.rect.top() - p.richFrom);
    painter.scale(kMmPerUnit, kMmPerUnit);
    doc.drawContents(&painter);
    painter.restore();
}

void paintImage(QPainter &painter, const Primitive &p)
{
    // Kept in proportion and centred in its box.
    QSizeF size = p.image.size();
    size.scale(p.rect.size(), Qt::KeepAspectRatio);
    const QRectF target(p.rect.center().x() - size.width() / 2, p.rect.center().y() - size.height() / 2,
                        size.width(), size.height());
    painter.drawImage(target, p.image);
}

void scaleToMm(QPainter &painter, const QPaintDevice &device)
{
    painter.scale(device.logicalDpiX() / 25.4, device.logicalDpiY() / 25.4);
}

}  // namespace

void paintPage(QPainter &painter, const Page &page)
{
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    for (const Primitive &p : page.items) {
        switch (p.kind) {
        case Primitive::Kind::Text:
            paintText(painter, p);
            break;
        case Primitive::Kind::RichText:
            paintRichText(painter, p);
            break;
        case Primitive::Kind::Box:
            painter.setPen(p.stroke ? QPen(QColor(Qt::black), p.lineWidth) : QPen(Qt::NoPen));
            painter.setBrush(p.fill.isValid() ? QBrush(p.fill) : QBrush(Qt::NoBrush));
            painter.drawRect(p.rect);
            break;
        case Primitive::Kind::Line:
            painter.setPen(QPen(p.color, p.lineWidth));
            painter.drawLine(p.line);
            break;
        case Primitive::Kind::Image:
            paintImage(painter, p);
            break;
        }
    }
}

bool writePdf(const std::vector<Page> &pages, const QString &title, const QString &path, QString *error)
{
    QPdfWriter writer(path);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Borvinat"));
    writer.setResolution(600);
    if (!pages.empty())
        writer.setPageLayout(pages.front().pageLayout);
    QPainter painter;
    if (!painter.begin(&writer)) {
        if (error)
            *error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    scaleToMm(painter, writer);
    for (size_t i = 0; i < pages.size(); ++i) {
        if (i > 0) {
            // Each page keeps its own paper (bundles mix them).
            writer.setPageLayout(pages[i].pageLayout);
            writer.newPage();
        }
        paintPage(painter, pages[i]);
    }
    return painter.end();
}

QImage renderPage(const Page &page, double dpi)
{
    const QSize size(qRound(page.paperMm.width() / 25.4 * dpi), qRound(page.paperMm.height() / 25.4 * dpi));
    QImage image(size, QImage::Format_RGB32);
    const int dpm = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dpm);
    image.setDotsPerMeterY(dpm);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(dpi / 25.4, dpi / 25.4);
    paintPage(painter, page);
    painter.end();
    return image;
}

void setUpPrinter(QPrinter &printer, const PageSetup &setup, const QString &title)
{
    printer.setFullPage(true);
    printer.setPageLayout(setup.pageLayout());
    printer.setDocName(title);
}

QString printFailedMessage()
{
    return QStringLiteral("چاپ انجام نشد؛ چاپگر در دسترس نيست");
}

bool printsToFile(const QPrinter &printer)
{
    return printer.outputFormat() == QPrinter::PdfFormat || !printer.outputFileName().isEmpty();
}

QList<int> pagesToPrint(const QPrinter &printer, int pageCount)
{
    QList<int> order;
    const QPageRanges ranges = printer.pageRanges();
    for (int i = 1; i <= pageCount; ++i)
        if (ranges.isEmpty() || ranges.contains(i))
            order << i;
    return order;
}

bool printPages(QPrinter &printer, const std::vector<Page> &pages, bool preview)
{
    QList<int> order;
    if (preview) {
        for (int i = 1; i <= int(pages.size()); ++i)
            order << i;
    } else {
        order = pagesToPrint(printer, int(pages.size()));
    }
    if (order.isEmpty())
        return false;
    const int copies = preview || printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    // Each page on its own paper; the preview shows every page on the first one's.
    auto paperOf = [&](int page) {
        const QPageLayout &layout = pages[size_t(page - 1)].pageLayout;
        if (!preview && !printer.pageLayout().isEquivalentTo(layout))
            printer.setPageLayout(layout);
    };
    paperOf(order.front());
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    scaleToMm(painter, printer);
    bool first = true;
    for (int c = 0; c < copies; ++c) {
        for (int page : order) {
            if (!first) {
                paperOf(page);
                if (!printer.newPage())
                    return false;
            }
            first = false;
            paintPage(painter, pages[size_t(page - 1)]);
        }
    }
    return painter.end();
}

}  // namespace bv::report
