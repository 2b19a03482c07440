#pragma once
// The change-password window, opened from the login window.
#include <QDialog>

class QLineEdit;
class QPushButton;

namespace bv {

class change_pass : public QDialog {
    Q_OBJECT
public:
    explicit change_pass(QWidget *parent = nullptr);
    // The account whose password changes: the login window's user name and password.
    void setAccount(const QString &us, const QString &ps);
    // "تغيير".
    void change();

    QLineEdit *Edit1, *Edit2;
    QPushButton *BitBtn1, *BitBtn2;

private:
    QString us_, ps_;
};

}  // namespace bv
