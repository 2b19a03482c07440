#pragma once
// The village browser: search, register, edit, delete, the county rename, the
// spreadsheet export and the replace-from-spreadsheet import. Entry windows
// use it as a village picker through pickVillage().
#include "session.h"
#include "villages.h"

#include <QDialog>
#include <optional>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;

namespace bv {

class BrowserGrid;
class FilterCheck;

class abadiha : public QDialog {
    Q_OBJECT
public:
    explicit abadiha(QWidget *parent = nullptr);

    // Insert switches "ثبت" and shows the import button; edit switches
    // "ويرايش" and the county rename; delete switches "حذف".
    void applyRights(const PageRights &rights);
    // What the main menu does before showing: filter texts emptied, the sheet
    // count "0", the search run, the height taken from the main window.
    void prepare();
    // "جستجو": the count and the list of the ticked filters.
    void search();

    // Context items "ثبت", "ويرايش", "حذف" and the county rename.
    void newVillage();
    void editCurrentVillage();
    void deleteCurrentVillage();
    void renameListedCounty();
    // `Excel_btn`: the listed villages to a spreadsheet.
    void exportList();
    // "Browse Excel...": a sheet "Sheet1" shown below; "جايگزيني اکسل با وضع موجود".
    void browseExcel();
    void replaceFromSheet();

    // Shows the browser as a picker; the village double-clicked, nullopt when
    // it was closed without one.
    std::optional<Village> pick(bool emptyFilters = false);
    // A double click: in a picker, takes the current row and closes.
    void rowDoubleClicked();

    FilterCheck *CheckBox4, *CheckBox3, *CheckBox1, *CheckBox2;
    QComboBox *ostan;
    QLineEdit *cod, *city, *rosta;
    QPushButton *BitBtn1;
    QLabel *cnt;
    BrowserGrid *DBGrid1;
    QAction *N2, *N3, *N1;
    QMenu *N5;
    QAction *N13;
    QPushButton *Excel_btn;
    BrowserGrid *DBGrid2;
    QLabel *cnt2;
    QProgressBar *ProgressBar1;
    QPushButton *BitBtn2, *ins_btn;

private:
    Village currentVillage() const;
    std::optional<SheetTable> sheet_;
    bool picking_ = false;
    std::optional<Village> picked_;
};

// The village picker of the entry windows: the browser, opened modally with the
// user's village rights; the village double-clicked, or nullopt. With
// `emptyFilters` the code, county and village filters are emptied first.
std::optional<Village> pickVillage(bool emptyFilters = false);

}  // namespace bv
