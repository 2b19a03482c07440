#pragma once
// The filters shared by the contractor browser and the picker: kind, family
// name and company name.
#include "contractors.h"

#include <QWidget>

class QComboBox;
class QLineEdit;

namespace bv {

class FilterCheck;

class ContractorFilters : public QWidget {
    Q_OBJECT
public:
    explicit ContractorFilters(QWidget *parent = nullptr);
    survey::ContractorFilter filter() const;
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
