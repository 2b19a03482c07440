#pragma once
// The consultants browser: filters, count, the list of jobs and every action
// on them.
#include "moshaveran_search.h"
#include "session.h"

#include <QDialog>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace bv {

class BrowserGrid;
class FilterCheck;

class moshaveran : public QDialog {
    Q_OBJECT
public:
    explicit moshaveran(QWidget *parent = nullptr);

    void applyRights(const PageRights &rights);
    // Opening from the main menu: filters emptied, searched once.
    void prepare();
    // Count and the first screen of rows at once; the rest of the list follows
    // when the window is idle, or when an action needs it.
    void search();
    static constexpr int firstScreenRows = 200;
    consultants::JobFilters filters() const;

    void registerJob();
    void laterSteps();
    void editJob();
    void deleteJob();
    void attachments();
    void exportList();
    void printReport();

    FilterCheck *CheckBox1, *CheckBox2, *CheckBox3, *CheckBox4;
    QComboBox *city, *rosta;
    QLineEdit *moshaver, *amel4_name;
    QPushButton *BitBtn1;
    QLabel *cnt;
    BrowserGrid *DBGrid1;
    // "ثبت", "تکميلي", "ويرايش", "حذف", "ضمائم", "گزارشات" ("اکسل", "چاپ"), "خروج".
    QAction *N1, *N2, *N3, *N4, *N5, *N6, *N7, *N8, *N9;

private:
    void fillChoices();
    void searchKeeping(qint64 id);
};

}  // namespace bv
