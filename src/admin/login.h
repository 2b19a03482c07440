#pragma once
// The login window: the application's main window (closing it ends the program).
#include "connection.h"

#include <QWidget>

class QGroupBox;
class QLineEdit;
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
    // "ورود": connects, checks the account and the version, logs the login and
    // opens the main window. True when the main window was opened.
    bool logIn();
    // The change-password link.
    void changePassword();
    // The font-help link: saves and opens the help document of the program attachments.
    void fontHelp();
    // The settings window's ". . .": connects with the selected mode and builds the schema.
    void buildSchema();
    // Puts the remembered user name into `us` and the focus into `ps`.
    void loadRememberedUser();

    QLineEdit *us, *ps;
    QPushButton *BitBtn1, *BitBtn2;
    QGroupBox *RadioGroup1;
    QRadioButton *rbInternet, *rbLocal;
    ClickLabel *Label3, *Label4, *Label9;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void changeDatabase();
    void refuseOldVersion(const QString &required);
};

// Shows the settings window modally; the one used by every connection attempt.
void showServerSettings();

}  // namespace bv
