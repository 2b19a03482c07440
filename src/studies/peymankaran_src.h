#pragma once
// The studies contractors browser.
#include "session.h"

#include <QDialog>

class QAction;
class QLabel;
class QPushButton;

namespace bv {

class BrowserGrid;
class ContractorFilters;

class peymankaran_src : public QDialog {
    Q_OBJECT
public:
    explicit peymankaran_src(QWidget *parent = nullptr);

    // Opens the browser as the studies browser does: rights of "peymankaran",
    // names emptied, kind "همه", searched, shown modally. False when refused.
    bool openChecked();
    // Rights of "peymankaran" applied (none without a row), count "0", names
    // emptied, kind "همه", searched.
    void prepare();
    void applyRights(const PageRights &rights);
    void search();
    void newContractor();
    void editContractor();
    void deleteContractor();
    void attachments();
    void exportList();
    // "ساخت نام کاربري", for administrators.
    void createAccounts();

    ContractorFilters *filters;
    QPushButton *src_btn;
    QLabel *cnt;
    BrowserGrid *DBGrid1;
    QAction *N1, *N2, *N3, *N4, *N15, *N16, *N17, *N5, *N6;
};

}  // namespace bv
