#pragma once
// The estimate requests browser: filters, count, the list and the three
// stages of a request.
#include "darkhast_requests.h"
#include "session.h"

#include <QDialog>

class QAction;
class QComboBox;
class QLabel;
class QPushButton;

namespace bv {

class BrowserGrid;
class FilterCheck;
class JalaliDateEdit;

class darkhast_src : public QDialog {
    Q_OBJECT
public:
    explicit darkhast_src(QWidget *parent = nullptr);

    void applyRights(const PageRights &rights);
    // Opening from the main menu: count "0", county and village emptied, searched.
    void prepare();
    void search();
    // The filters as set now; nullopt when a date of the range is refused.
    std::optional<survey::RequestFilters> filters() const;

    void newRequest();
    void surveyApproval();
    void studiesApproval();
    void deleteRequest();
    void exportList();

    FilterCheck *CheckBox1, *CheckBox2, *CheckBox8;
    QComboBox *city, *rosta;
    JalaliDateEdit *dat_darkhast1, *dat_darkhast2;
    QPushButton *BitBtn1;
    QLabel *cnt;
    BrowserGrid *DBGrid1;
    QAction *N1, *N2, *N3, *N6, *N7, *N4, *N5;

private:
    void searchKeeping(qint64 id);
};

}  // namespace bv
