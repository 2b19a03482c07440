#pragma once
// The filters shared by the contractor browsers and pickers of every
// subsystem: kind, family name and company name, and the browsers' row colour.
#include "contractor_kinds.h"
#include "listtext.h"

#include <QColor>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;

namespace bv {

class BrowserGrid;
class FilterCheck;

// Lime green for a contractor with its attachments complete, white for one
// without, the grid's own colour for a contractor of neither kind.
QColor contractorRowColour(const ResultSet &rows, const QVariantList &row);

// The pickers' headings, `typ` to `comp_shenase`.
const Headings &contractorPickHeadings();

// The spreadsheet export's headings; the other columns are headed by their names.
const Headings &contractorExportHeadings();

class ContractorFilters : public QWidget {
    Q_OBJECT
public:
    ContractorFilters(ContractorTables tables, QWidget *parent = nullptr);
    ContractorFilter filter() const;
    // Counts the contractors the filters select into `count` and lists them
    // with `list` in `grid`; a database error is shown.
    using Listing = ResultSet (*)(const Db &, const ContractorTables &, const ContractorFilter &);
    void search(QLabel *count, BrowserGrid *grid, Listing list) const;
    // Names emptied, kind "همه".
    void reset();
    // Whether choosing a kind searches at once (it does by default).
    void setKindSearches(bool searches);

    QComboBox *typ;
    FilterCheck *CheckBox3, *CheckBox1;
    QLineEdit *lname, *comp_name;

signals:
    // A change of kind or Enter in a name: search.
    void searchRequested();

private:
    ContractorTables tables_;
    bool kindSearches_ = true;
};

}  // namespace bv
