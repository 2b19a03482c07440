#pragma once
// The registration browser: list filters, the count, the grid of jobs and
// every action on the current job.
#include "sabt_search.h"
#include "session.h"

#include <QDialog>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace bv {

class BrowserGrid;
class FilterCheck;
class FilterList;
class SelectionCheck;

class sabt_src : public QDialog {
    Q_OBJECT
public:
    explicit sabt_src(QWidget *parent = nullptr);

    void applyRights(const PageRights &rights);
    // Opening from the main menu: filter texts emptied, count "0", searched once.
    void prepare();
    // Count and the first screen of rows at once; the rest of the list follows
    // when the window is idle, or when an action needs it.
    void search();
    static constexpr int firstScreenRows = 200;
    sabt::JobFilters filters() const;
    // Lists exactly `selection` (a bar of the overview): every other filter is
    // unticked and the selection is shown as a filter of its own, dropped when
    // unticked or when the main menu opens the browser.
    void showSelection(const sabt::JobSelection &selection);

    void registerJob();
    void editJob();
    void deleteJob();
    void attachments();
    void documents();
    void contractors();
    void letters();
    void exportList();
    // "فرم ها" > "موافقت نامه": previews the page's template.
    void showAgreementPage(const QString &templateName);

    // Filters.
    QComboBox *city, *rosta, *peymankar;
    QLineEdit *prot_no, *tamin_sal;
    FilterList *list_city, *list_rosta, *list_peymankar, *list_prot_no;
    FilterCheck *CheckBox5;
    QPushButton *BitBtn1;
    SelectionCheck *selectionCheck;
    QLabel *cnt;
    BrowserGrid *DBGrid1;
    // Menu.
    QAction *N1, *N2, *N3, *N4, *N5, *N6, *N7, *N8, *N9, *N10, *N11;
    QList<QAction *> agreementItems;

private:
    void fillChoices();
    QString currentCode() const;
    std::optional<sabt::JobSelection> selection_;
};

}  // namespace bv
