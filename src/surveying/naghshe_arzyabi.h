#pragma once
// The evaluation window of a survey project: one row per catalogue item with
// its maximum, whether it was done, the quality and the score given.
#include "session.h"

#include <QDialog>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace bv {

class BrowserGrid;

class naghshe_arzyabi : public QDialog {
    Q_OBJECT
public:
    explicit naghshe_arzyabi(QWidget *parent = nullptr);

    // Opening for a project: without a rights row of "naghshe" nothing
    // happens; otherwise prepared and shown modally. False when not shown.
    bool open(qint64 project);
    void applyRights(const PageRights &rights);
    // Captures the project, resets the inputs, fills the items with the
    // first one chosen, and lists the project's rows with their total.
    void prepare(qint64 project);
    qint64 project() const { return project_; }

    // "ثبت": registers the row, then offers the next item.
    bool registerRow();
    // "حذف": the current row goes back into the inputs and is deleted.
    void deleteRow();

    QComboBox *cmt, *anjam, *keifiyat;
    QLineEdit *emtiyaz_top, *emtiyaz, *sayer;
    QLabel *emtiyaz_sum;
    QPushButton *ins_btn;
    BrowserGrid *DBGrid1;
    QAction *N1;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void itemChosen();
    void grade();
    void refresh();
    qint64 project_ = 0;
};

}  // namespace bv
