#pragma once
// The overview's charts drawn with Qt Charts, the same on screen and on paper:
// right to left (the first category at the right, the value axis at the
// right), Persian digits, and greys with patterns so that print in black and
// white tells the series apart. Pages of chart sets for printing and PDF.
#include "overview_data.h"

#include <QString>
#include <vector>

class QChart;
class QPainter;
class QPrinter;
class QRectF;

namespace bv::overview {

// ASCII digits as Persian digits.
QString persianDigits(const QString &text);

// A new chart of `data`; bar i of the chart's one series set is category
// categoryAt(data, i).
QChart *buildChart(const Chart &data);
int categoryAt(const Chart &data, int barIndex);

// The chart sets, one page each: indexes into the charts of allCharts().
struct ChartSet {
    QString title;
    std::vector<int> charts;
};
const std::vector<ChartSet> &chartSets();

// Draws one chart set on a page area.
void paintSet(QPainter &painter, const QRectF &area, const QString &heading, const ChartSet &set,
              const std::vector<Chart> &charts);
// Prints every chart set on its own landscape A4 page; false when the printer
// could not be started.
bool printSets(QPrinter &printer, const QString &heading, const std::vector<Chart> &charts);
// The same pages as a PDF file; the error text, empty when written.
QString writePdf(const QString &path, const QString &heading, const std::vector<Chart> &charts);

}  // namespace bv::overview
