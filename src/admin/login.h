#pragma once
// The login window: the application's main window (closing it ends the program).
#include "connection.h"

#include <QWidget>

class QButtonGroup;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace bv {

class ClickLabel;

class login : public QWidget {
    Q_OBJECT
public:
    explicit login(QWidget *parent = nullptr);

    LoginMode mode() const;
    // Runs the connection procedure with the selected mode.
    bool connectDatabase();
    // The settings window's ". . .": connects with the selected mode and builds the schema.
    void buildSchema();

    QGroupBox *RadioGroup1;
    QRadioButton *rbInternet, *rbLocal;
    QPushButton *login_btn;
    ClickLabel *change_db;

signals:
    // The connections are open; the login checks follow.
    void connected();

private:
    void changeDatabase();
};

// Shows the settings window modally; the one used by every connection attempt.
void showServerSettings();

}  // namespace bv
