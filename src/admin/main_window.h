#pragma once
// The main window: the menu bar whose items open the other windows through the
// page check.
#include <QMainWindow>
#include <map>

class QAction;

namespace bv {

struct MainMenuItem {
    const char *name;      // the item's name, also its key in the page registry
    QString caption;
    const char *pageKey;   // empty: no page check
};

// Every item in menu order, top level first, then the submenu "اطلاعات پايه".
const std::vector<MainMenuItem> &mainMenuItems();

class main : public QMainWindow {
    Q_OBJECT
public:
    explicit main(QWidget *parent = nullptr);

    // The "پيام" caption: "پيام*" while messages wait unread.
    void setUnreadMessages(int count);
    // Runs a menu item as a click would.
    void trigger(const QString &itemName);
    QAction *item(const QString &itemName) const;

    QAction *N11;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    std::map<QString, QAction *> actions_;
};

}  // namespace bv
