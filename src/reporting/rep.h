#pragma once
// The combined report window: one set of village filters, the survey projects
// and the studies they select one above the other, each project's contract,
// map or proposal file, and each whole list to a spreadsheet.
#include "repsearch.h"

#include <QDialog>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace bv {

class BrowserGrid;
class FilterCheck;
class FilterList;

class rep : public QDialog {
    Q_OBJECT
public:
    explicit rep(QWidget *parent = nullptr);

    // Opening from the main menu: filters off, counties refilled, searched once.
    void prepare();
    reporting::RepFilters filters() const;
    // Counts and the first screen of both lists; the rest follows when idle.
    void search();
    void completeLists();
    bool listsComplete() const { return !pending_; }
    static constexpr int firstScreenRows = 200;
    void viewFile(reporting::RepList list, const QString &description);
    void exportList(reporting::RepList list);

    QComboBox *city, *rosta;
    QLineEdit *tamin_sal, *peymankar, *bakhsh, *prot_no, *dehestan;
    FilterCheck *CheckBox1, *CheckBox7, *CheckBox5, *CheckBox3, *CheckBox6, *CheckBox4;
    FilterList *CheckBox2;
    QPushButton *BitBtn1;
    QLabel *cnt, *cnt2;
    BrowserGrid *DBGrid1, *DBGrid2;
    // Survey grid: contract, map, export; studies grid: contract, proposal, export.
    QAction *N1, *N2, *N3, *N4, *N5, *N6;

private:
    reporting::RepFilters last_;
    bool pending_ = false;
};

}  // namespace bv
