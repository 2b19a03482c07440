#pragma once
// The filters shared by the contractor browser and the picker: kind, family
// name and company name.
#include "contractors.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;

namespace bv {

class BrowserGrid;
class FilterCheck;

class ContractorFilters : public QWidget {
    Q_OBJECT
public:
    explicit ContractorFilters(QWidget *parent = nullptr);
    survey::ContractorFilter filter() const;
    // Counts the contractors the filters select into `count` and lists them
    // with `list` in `grid`; a database error is shown.
    using Listing = ResultSet (*)(const Db &, const survey::ContractorFilter &);
    void search(QLabel *count, BrowserGrid *grid, Listing list) const;
    // Names emptied, kind "همه".
    void reset();

    QComboBox *typ;
    FilterCheck *CheckBox3, *CheckBox1;
    QLineEdit *lname, *comp_name;

signals:
    // A change of kind or Enter in a name: search.
    void searchRequested();
};

}  // namespace bv
