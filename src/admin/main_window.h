#pragma once
// The main window: the menu bar whose items open the other windows through the
// page check.
#include "db.h"

#include <QMainWindow>
#include <map>

class QAction;
class QTimer;

namespace bv {

struct MainMenuItem {
    const char *name;      // the item's name, also its key in the page registry
    QString caption;
    const char *pageKey;   // empty: no page check
};

// Every item in menu order, top level first, then the submenu "اطلاعات پايه".
const std::vector<MainMenuItem> &mainMenuItems();

// The size a menu item's window takes from a main window of `mainSize`: the
// browsers its width − 30 and height − 50, the catalogue and village windows
// only its height − 50, the users window its height − 80; others keep `current`.
QSize pageSize(const QString &itemName, const QSize &mainSize, const QSize &current);

// What "درباره" shows: the program's name and version and the database of `db`
// (never its password).
QString aboutText(const Db &db);

class main : public QMainWindow {
    Q_OBJECT
public:
    explicit main(QWidget *parent = nullptr);

    // The "پيام" caption: "پيام*" while messages wait unread.
    void setUnreadMessages(int count);
    // Counts the current user's unread messages again and sets the caption.
    void refreshUnreadMessages();
    // Runs a menu item as a click would.
    void trigger(const QString &itemName);
    QAction *item(const QString &itemName) const;

    QAction *N11;
    // Refreshes the "پيام" caption while the window is shown.
    QTimer *messagePoll;
    static constexpr int messagePollMs = 60000;

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    std::map<QString, QAction *> actions_;
};

}  // namespace bv
