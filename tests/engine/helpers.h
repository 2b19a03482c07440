#pragma once
// Templates written for the tests, and helpers to read laid-out pages.
#include "document.h"
#include "layout.h"

#include <QString>

namespace bv::test {

// A bound list report on A4 portrait: page header, column header (three
// columns: row number, "name", "amount"), detail, summary of `summaryHeight` mm
// and a page footer with the page number.
report::Template listTemplate(double summaryHeight = 20);
// A letter with a paragraph holding labels, two signature slots over their
// names, a pair of tick boxes and labels movafeg and movafeg2.
report::Template letterTemplate();

// Rows ("name", "amount") numbered 1..n.
ResultSet numberedRows(int n);

// Texts of the primitives of a page named `name` (or every text when empty).
QStringList textsNamed(const report::Page &page, const QString &name);
// The whole text of a primitive's lines.
QString primitiveText(const report::Primitive &p);
// Every text primitive whose text is `text`.
std::vector<const report::Primitive *> findText(const report::Page &page, const QString &text);

}  // namespace bv::test
