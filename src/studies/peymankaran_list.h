#pragma once
// The studies contractor picker of the study entry window and the studies
// browser's contractor assignment.
#include "db.h"

#include <QDialog>
#include <optional>

class QLabel;
class QPushButton;

namespace bv {

class BrowserGrid;
class ContractorFilters;

struct PickedStudyContractor {
    qint64 id = 0;
    std::optional<QString> name;  // none for a contractor of neither kind
    Row row;                      // every column of the picked contractor
};

class peymankaran_list : public QDialog {
    Q_OBJECT
public:
    explicit peymankaran_list(QWidget *parent = nullptr);

    // Names emptied, searched once, shown modally; the contractor picked by a
    // double click, nullopt when closed without one.
    std::optional<PickedStudyContractor> pick();
    void search();
    // The double click on the current row.
    void pickCurrent();

    ContractorFilters *filters;
    QPushButton *src_btn;
    QLabel *cnt;
    BrowserGrid *DBGrid1;

private:
    std::optional<PickedStudyContractor> picked_;
};

}  // namespace bv
