#pragma once
// The settings window: edits the lookup lists of table `setting`.
#include "session.h"

#include <QDialog>

class QAction;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace bv {

class BrowserGrid;

class setting : public QDialog {
    Q_OBJECT
public:
    explicit setting(QWidget *parent = nullptr);

    // Insert switches "ثبت", delete the context item "حذف".
    void applyRights(const PageRights &rights);
    // What the main menu does before showing: every row listed, title and item emptied.
    void prepare();
    // Choosing a title: the rows of every title containing it.
    void listTitle();
    // "ثبت", or Enter in `cmt`; the focus stays in `cmt`.
    void registerItem();
    // "حذف": every row of the current row's title and item.
    void deleteItem();

    QComboBox *component;
    QLineEdit *cmt;
    QPushButton *ins_btn;
    BrowserGrid *DBGrid1;
    QAction *deleteAction;
};

}  // namespace bv
