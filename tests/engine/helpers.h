#pragma once
// Templates written for the tests, and helpers to read laid-out pages.
#include "document.h"
#include "layout.h"

#include <QList>
#include <QSizeF>
#include <QString>
#include <functional>

class QDialog;

namespace bv::test {

// A bound list report on A4 portrait: page header, column header (three
// columns: row number, "name", "amount"), detail, summary of `summaryHeight` mm
// and a page footer with the page number.
report::Template listTemplate(double summaryHeight = 20);
// A letter with a paragraph holding labels, two signature slots over their
// names, a pair of tick boxes and labels movafeg and movafeg2.
report::Template letterTemplate();

// A survey project as a fill reads it (village کلاته, contract 8123).
Row surveyProject();
// The extension letter `tamdid_frm` filled from surveyProject(), with its date
// and signatory; the labels it keeps as designed are `tamdidDesignLabels`.
report::Document filledExtensionLetter();
inline const QStringList tamdidDesignLabels = {"peyman", "peyman2", "QRLabel14", "QRLabel16"};

// Rows ("name", "amount") numbered 1..n.
ResultSet numberedRows(int n);

// Texts of the primitives of a page named `name` (or every text when empty).
QStringList textsNamed(const report::Page &page, const QString &name);
// The whole text of a primitive's lines.
QString primitiveText(const report::Primitive &p);
// Every text primitive whose text is `text`.
std::vector<const report::Primitive *> findText(const report::Page &page, const QString &text);
// Primitives of a kind on a page.
std::vector<const report::Primitive *> primitives(const report::Page &page, report::Primitive::Kind kind);

// "واژه1 واژه2 ... واژهn".
QString words(int n);

// The print dialog's answer: "print to file" into a PDF, pages `from` to `to`
// (0: all of them).
std::function<int(QDialog &)> printToFile(const QString &path, int from = 0, int to = 0);

// Page sizes in points from a PDF's page objects, one per page.
QList<QSizeF> pdfPageSizes(const QString &path);

}  // namespace bv::test
