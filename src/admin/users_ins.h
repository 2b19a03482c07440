#pragma once
// The account entry window: a new account, or the edit of the one chosen.
#include "accounts.h"
#include "rowguard.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace bv {

class users_ins : public QDialog {
    Q_OBJECT
public:
    explicit users_ins(QWidget *parent = nullptr);

    // Prepares the window for a new account / for editing `account`.
    void startNew();
    void startEdit(const Account &account);
    // "ثبت" / "ويرايش". True when the account was written.
    bool insert();
    bool edit();

    QLineEdit *us, *ps, *nam, *mobile, *status;
    QComboBox *ostan, *semat, *lev;
    QPushButton *ins_btn, *edit_btn;

signals:
    // An account was written: the users window lists again.
    void saved();

private:
    void fillLists();
    Account typed() const;
    qint64 editedId_ = 0;
    RowGuard guard_{QStringLiteral("users"), {"us", "lev", "ostan", "semat", "mobile", "nam", "status"}};
};

}  // namespace bv
