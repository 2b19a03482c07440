#pragma once
// The connection settings window: the main database on the right, the contracts
// register on the left.
#include "config.h"

#include <QDialog>

class QLineEdit;
class QRadioButton;
class QPushButton;
class QButtonGroup;

namespace bv {

class ClickLabel;

class server : public QDialog {
    Q_OBJECT
public:
    explicit server(QWidget *parent = nullptr);

    // Loads the stored values into the boxes (what showing the window does).
    void loadFromConfig();
    // The change-database link: the stored main server, database, user name and
    // password, whatever the stored authentication.
    void prefillMainFromConfig();
    // The confirm button: validates, stores and closes.
    void confirm();

    QLineEdit *SqlServerName, *DataBase, *UserName, *Password;
    QLineEdit *SqlServerName2, *DataBase2, *UserName2, *Password2;
    QRadioButton *rbWindows, *rbSQL, *rbSQLite, *rbPostgreSQL;
    QRadioButton *rbWindows2, *rbSQL2, *rbSQLite2, *rbPostgreSQL2;
    QPushButton *Button1, *Button2;
    ClickLabel *Label9;

    static const QString defaultServer;

signals:
    // The ". . ." label: run the schema builder.
    void builderRequested();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QString chosenAuth(bool mainSide) const;
    void selectAuth(bool mainSide, const QString &stored);
    QButtonGroup *group1_, *group2_;
};

}  // namespace bv
