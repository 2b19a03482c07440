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
    painter.save();
    painter.translate(p.rect.topLeft());
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

bool writePdf(const std::vector<Page> &pages, const PageSetup &setup, const QString &title, const QString &path,
              QString *error)
{
    QPdfWriter writer(path);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Borvinat"));
    writer.setResolution(600);
    writer.setPageLayout(setup.pageLayout());
    QPainter painter;
    if (!painter.begin(&writer)) {
        if (error)
            *error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    scaleToMm(painter, writer);
    for (size_t i = 0; i < pages.size(); ++i) {
        if (i > 0)
            writer.newPage();
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

bool printPages(QPrinter &printer, const std::vector<Page> &pages, bool preview)
{
    QList<int> order;
    const QPageRanges ranges = printer.pageRanges();
    for (int i = 1; i <= int(pages.size()); ++i)
        if (preview || ranges.isEmpty() || ranges.contains(i))
            order << i;
    const int copies = preview || printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    scaleToMm(painter, printer);
    bool first = true;
    for (int c = 0; c < copies; ++c) {
        for (int page : order) {
            if (!first && !printer.newPage())
                return false;
            first = false;
            paintPage(painter, pages[size_t(page - 1)]);
        }
    }
    return painter.end();
}

}  // namespace bv::report
