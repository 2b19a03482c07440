#pragma once
// The main indicators of a study's approved plan, present state and horizon;
// values are changed in the grid and written when its row is left.
#include "rowguard.h"

#include <QDialog>
#include <vector>

class QAction;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace bv {

class m_shakhes : public QDialog {
    Q_OBJECT
public:
    explicit m_shakhes(QWidget *parent = nullptr);

    // Inputs emptied, the indicator names reloaded and the study's indicators listed.
    void prepare(qint64 study);
    void refresh();
    void add();
    void registerAll();
    // Writes the grid row `row` when its values changed, only over the values
    // the grid read; false when refused or when another clerk changed or
    // deleted the row meanwhile (then the grid is read again).
    bool writeRow(int row);
    // Closing leaves the current row too: its change is written first.
    void done(int result) override;

    QComboBox *cmt;
    QLineEdit *mojod, *ofogh;
    QPushButton *ins_btn, *ins_btn2;
    QTableWidget *DBGrid1;  // cmt, mojod, ofogh; the id rides on the first cell
    QAction *N1;

private:
    qint64 study_ = 0;
    bool loading_ = false;
    std::vector<Row> listed_;  // each grid row as read, for the row check
    RowGuard guard_;
};

}  // namespace bv
