#pragma once
// The second pass of the engine: one painter draws laid-out pages on the
// preview, a printer, a PDF file or an image.
#include "layout.h"

#include <QImage>
#include <QList>
#include <QString>
#include <vector>

class QPainter;
class QPrinter;

namespace bv::report {

// Draws one page; the painter's unit is the millimetre from the paper's corner.
void paintPage(QPainter &painter, const Page &page);

// Writes the pages as a PDF, each on its own paper; false with `error` filled
// when the file cannot be written.
bool writePdf(const std::vector<Page> &pages, const QString &title, const QString &path, QString *error = nullptr);

// One page as an image at `dpi`, on white paper.
QImage renderPage(const Page &page, double dpi);

// Prepares a printer for the template: its paper and orientation, no margins of
// its own (the layout holds them).
void setUpPrinter(QPrinter &printer, const PageSetup &setup, const QString &title);

// Prints the pages in the printer's page range, each on its own paper, `copies`
// times when the printer cannot make copies itself. A preview paints every page once.
bool printPages(QPrinter &printer, const std::vector<Page> &pages, bool preview = false);
// The pages (1-based) a print covers: the printer's page range, or all of them.
QList<int> pagesToPrint(const QPrinter &printer, int pageCount);
// True when the print dialog chose a file instead of paper ("print to file"):
// that is a saved PDF, and the after-print actions do not run.
bool printsToFile(const QPrinter &printer);
// What the user is told when no page reached the printer.
QString printFailedMessage();

}  // namespace bv::report
