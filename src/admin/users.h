#pragma once
// The users window: accounts, their page rights and the counties they may see.
#include "accounts.h"
#include "rowguard.h"
#include "session.h"

#include <QDialog>
#include <array>
#include <map>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

namespace bv {

class BrowserGrid;
class FilterCheck;

class users : public QDialog {
    Q_OBJECT
public:
    explicit users(QWidget *parent = nullptr);

    // Switches the controls of the insert, edit and delete rights.
    void applyRights(const PageRights &rights);
    // Empties the search and entry boxes, as the main menu does before showing.
    void resetFilters();
    // "جستجو".
    void search();
    // Loads the rights and counties of the account current in the grid.
    void loadCurrentAccount();
    // Saves the shown rights / counties to the account they were loaded for.
    void saveRights();
    void saveCounties();
    // Menu "ثبت" and "ويرايش": the entry window.
    void newAccount();
    void editAccount();
    void exportList();
    // Counties: the province's counties, all of them or the chosen one into the list.
    void fillCounties();
    void addAllCounties();
    void addCounty();

    FilterCheck *CheckBox1, *CheckBox2, *CheckBox3, *CheckBox4;
    QLineEdit *us, *ostan2, *nam;
    QComboBox *lev2;
    QPushButton *src_btn;
    QLabel *cnt;
    BrowserGrid *DBGrid1;
    QAction *N5, *N6, *N7, *N8, *N9;
    // The four boxes of every page key: insert, edit, delete, view.
    std::map<QString, std::array<QCheckBox *, 4>> rightBoxes;
    QLabel *shownAccount;
    QPushButton *ins_btn2;
    QComboBox *ostan, *shahrestan;
    QToolButton *SpeedButton2, *SpeedButton3;
    QListWidget *list_loc;
    QPushButton *ins_btn;
    QLabel *karbar, *level, *prs_id;

protected:
    void showEvent(QShowEvent *event) override;

private:
    qint64 shownAccountId_ = 0;
    // The rights and counties as loaded, so a save cannot undo another clerk's.
    RowGuard rightsGuard_ = bv::rightsGuard();
    RowGuard countiesGuard_ = bv::countiesGuard();
};

}  // namespace bv
