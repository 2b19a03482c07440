#pragma once
// The surveying contractors browser.
#include "session.h"

#include <QDialog>

class QAction;
class QLabel;
class QPushButton;

namespace bv {

class BrowserGrid;
class ContractorFilters;

class peymankar_src : public QDialog {
    Q_OBJECT
public:
    explicit peymankar_src(QWidget *parent = nullptr);

    // Opens the browser as the survey browser does: rights of "peymankar",
    // filters reset, searched, shown modally. False when refused.
    bool openChecked();
    void applyRights(const PageRights &rights);
    void search();
    void newContractor();
    void editContractor();
    void deleteContractor();
    void attachments();
    void exportList();

    ContractorFilters *filters;
    QPushButton *src_btn;
    QLabel *cnt;
    BrowserGrid *DBGrid1;
    QAction *N1, *N2, *N3, *N4, *N17, *N6;
};

}  // namespace bv
