#include "overview_charts.h"

#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QFile>
#include <QGraphicsScene>
#include <QLegend>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QValueAxis>

namespace bv::overview {

namespace {
// Greys from dark to light with patterns, so neighbours differ in print.
QBrush seriesBrush(int series)
{
    static const std::vector<std::pair<int, Qt::BrushStyle>> looks = {
        {60, Qt::SolidPattern},      {150, Qt::DiagCrossPattern}, {110, Qt::Dense3Pattern},
        {200, Qt::SolidPattern},     {40, Qt::FDiagPattern},        {130, Qt::CrossPattern},
        {90, Qt::HorPattern},        {170, Qt::Dense5Pattern},
    };
    const auto &[grey, style] = looks[size_t(series) % looks.size()];
    return QBrush(QColor(grey, grey, grey), style);
}

QFont chartFont(int points, bool bold = false)
{
    QFont f = QApplication::font();
    f.setPointSize(points);
    f.setBold(bold);
    return f;
}

// The plotting value, converted from the exact one only here.
qreal plotted(const Decimal &value)
{
    return value.plain().toDouble();
}
}  // namespace

QString persianDigits(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            c = QChar(0x06F0 + (c.unicode() - '0'));
    return out;
}

int categoryAt(const Chart &data, int barIndex)
{
    return int(data.categories.size()) - 1 - barIndex;
}

QChart *buildChart(const Chart &data)
{
    auto *chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setTitle(data.title);
    chart->setTitleFont(chartFont(12, true));
    chart->setLocale(QLocale(QLocale::Persian, QLocale::Iran));
    chart->setLocalizeNumbers(true);
    chart->setBackgroundBrush(Qt::white);

    auto *series = new QBarSeries(chart);
    const bool counts = data.unit == QStringLiteral("تعداد");
    for (int s = 0; s < data.seriesNames.size(); ++s) {
        auto *set = new QBarSet(data.seriesNames[s], series);
        // Right to left: the first category stands at the right.
        for (int i = 0; i < data.categories.size(); ++i)
            *set << plotted(data.value(s, categoryAt(data, i)));
        set->setBrush(seriesBrush(s));
        set->setPen(QPen(Qt::black, 1));
        set->setLabelColor(Qt::black);
        set->setLabelFont(chartFont(8));
        series->append(set);
    }
    // Amounts are too long to write on their bars; the axis gives them.
    series->setLabelsVisible(counts);
    series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    series->setLabelsPrecision(15);
    chart->addSeries(series);

    auto *categories = new QBarCategoryAxis(chart);
    for (int i = 0; i < data.categories.size(); ++i)
        categories->append(persianDigits(shownCategory(data.categories[categoryAt(data, i)])));
    categories->setTitleText(data.categoryTitle);
    categories->setLabelsFont(chartFont(9));
    categories->setTitleFont(chartFont(9, true));
    chart->addAxis(categories, Qt::AlignBottom);
    series->attachAxis(categories);

    auto *values = new QValueAxis(chart);
    values->setTitleText(data.unit);
    values->setTitleFont(chartFont(9, true));
    values->setLabelsFont(chartFont(8));
    values->setLabelFormat(QStringLiteral("%.0f"));
    values->setMin(0);
    chart->addAxis(values, Qt::AlignRight);
    series->attachAxis(values);
    values->applyNiceNumbers();

    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->setReverseMarkers(true);  // the first series reads first, at the right
    chart->legend()->setFont(chartFont(9));
    return chart;
}

const std::vector<ChartSet> &chartSets()
{
    static const std::vector<ChartSet> sets = {
        {QStringLiteral("نقشه برداري"), {0, 1}},
        {QStringLiteral("مطالعات"), {2}},
        {QStringLiteral("ثبتي"), {3}},
        {QStringLiteral("مبالغ قرارداد و پرداختي"), {4, 5}},
        {QStringLiteral("قراردادهاي تاخيري"), {6}},
    };
    return sets;
}

void paintSet(QPainter &painter, const QRectF &area, const QString &heading, const ChartSet &set,
              const std::vector<Chart> &charts)
{
    // Drawn at a fixed logical size and scaled to the page, so the type keeps
    // its size against the charts on every printer resolution.
    const QSizeF logical(1100, 740);
    painter.save();
    painter.translate(area.topLeft());
    painter.scale(area.width() / logical.width(), area.height() / logical.height());
    // In the logical units of the page, whatever the printer's resolution.
    QFont headingFont = chartFont(14, true);
    headingFont.setPixelSize(22);
    painter.setFont(headingFont);
    painter.setLayoutDirection(Qt::RightToLeft);
    const QRectF head(0, 0, logical.width(), 40);
    painter.drawText(head, Qt::AlignAbsolute | Qt::AlignRight | Qt::AlignVCenter, heading + QStringLiteral(" - ") + set.title);
    const qreal width = logical.width() / qreal(set.charts.size());
    for (size_t i = 0; i < set.charts.size(); ++i) {
        QGraphicsScene scene;
        QChart *chart = buildChart(charts[size_t(set.charts[i])]);
        scene.addItem(chart);
        const QRectF box(0, 0, width, logical.height() - head.height());
        chart->setGeometry(box);
        // The first chart of a set stands at the right.
        const QRectF target(logical.width() - width * qreal(i + 1), head.height(), width, box.height());
        scene.render(&painter, target, box);
    }
    painter.restore();
}

bool printSets(QPrinter &printer, const QString &heading, const std::vector<Chart> &charts)
{
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const std::vector<ChartSet> &sets = chartSets();
    for (size_t i = 0; i < sets.size(); ++i) {
        if (i > 0)
            printer.newPage();
        paintSet(painter, QRectF(printer.pageLayout().paintRectPixels(printer.resolution()).translated(
                                     -printer.pageLayout().paintRectPixels(printer.resolution()).topLeft())),
                 heading, sets[i], charts);
    }
    return painter.end();
}

QString writePdf(const QString &path, const QString &heading, const std::vector<Chart> &charts)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setDocName(heading);
    if (!printSets(printer, heading, charts) || !QFile::exists(path))
        return QStringLiteral("cannot write ") + path;
    return {};
}

}  // namespace bv::overview
