#pragma once
// The phone book window.
#include "session.h"

#include <QDialog>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace bv {

class BrowserGrid;

class phone : public QDialog {
    Q_OBJECT
public:
    explicit phone(QWidget *parent = nullptr);

    // Insert switches "ثبت", delete the context item "حذف".
    void applyRights(const PageRights &rights);
    // What the main menu does before showing: the boxes emptied, everybody listed.
    void prepare();
    // Typing in `src` or changing `search_by`: the list and its count.
    void search();
    // "ثبت".
    void registerEntry();
    // "حذف": the current row's values go back into the boxes, then the row goes.
    void deleteEntry();

    QLineEdit *name, *tel, *cmt;
    QPushButton *ins_btn;
    QComboBox *search_by;  // "نام", "تلفن", "شرح"
    QLineEdit *src;
    QLabel *cnt;
    BrowserGrid *DBGrid1;
    QAction *deleteAction;
};

}  // namespace bv
