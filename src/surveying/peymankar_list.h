#pragma once
// The contractor picker of the survey entry window.
#include "db.h"

#include <QDialog>
#include <optional>

class QLabel;
class QPushButton;

namespace bv {

class BrowserGrid;
class ContractorFilters;

struct PickedContractor {
    qint64 id = 0;
    std::optional<QString> name;  // none for a contractor of neither kind
};

class peymankar_list : public QDialog {
    Q_OBJECT
public:
    explicit peymankar_list(QWidget *parent = nullptr);

    // Names emptied, searched once, shown modally; the contractor picked by a
    // double click, nullopt when closed without one.
    std::optional<PickedContractor> pick();
    void search();
    // The double click on the current row.
    void pickCurrent();

    ContractorFilters *filters;
    QPushButton *src_btn;
    QLabel *cnt;
    BrowserGrid *DBGrid1;

private:
    std::optional<PickedContractor> picked_;
};

}  // namespace bv
