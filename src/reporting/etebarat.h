#pragma once
// The credits register window: entry of one county's credit after another,
// the register's grid, its export and delete.
#include "money.h"
#include "session.h"

#include <QDialog>
#include <optional>

class QAction;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace bv {

class BrowserGrid;
class MonEdit;

class etebarat : public QDialog {
    Q_OBJECT
public:
    explicit etebarat(QWidget *parent = nullptr);

    // Register needs the insert right, delete the delete right.
    void applyRights(const PageRights &rights);
    // Opening from the main menu: choices refilled, the grid reread.
    void prepare();
    void computeShare();
    void registerCredit();
    void deleteCredit();
    void exportList();

    QLineEdit *tamin_sal, *tarh_cod;
    QComboBox *tamin_loc, *city;
    MonEdit *mablagh, *mablagh_naghshe, *mablagh_fani;
    QPushButton *ins_btn;
    BrowserGrid *DBGrid1;
    QAction *N1, *N2;  // "اکسل", "حذف"

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void reread();
    // The pair last refused, so that one refusal is not repeated by every focus change.
    std::optional<std::pair<Money, Money>> refused_;
};

}  // namespace bv
