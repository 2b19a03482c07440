#pragma once
// The messages window: received messages, sending, reading and (for the user
// name "admin") deleting.
#include <QDialog>
#include <optional>

class QAction;
class QCheckBox;
class QComboBox;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace bv {

class BrowserGrid;

class payam : public QDialog {
    Q_OBJECT
public:
    explicit payam(QWidget *parent = nullptr);

    // The main menu's preparation: empties the inputs, fills the subject and
    // recipient lists and lists the messages.
    void prepare();
    // Reruns the list.
    void refresh();
    // "ارسال": to every ticked recipient.
    void send();
    // Context items.
    void markRead();         // "خوانده شد"
    void deleteCurrent();    // "حذف"
    void showSender();       // "فرستنده پيام"
    void showRecipient();    // "گيرنده پيام"
    void deleteAllRead();    // "حذف تمام خوانده شده ها"
    void deleteSelected();   // "حذف انتخاب شده ها"
    // The administrator's recipient filter.
    void filterByRecipient();
    // Ticks or clears every recipient.
    void tickAll(bool on);

    BrowserGrid *DBGrid1;
    QPlainTextEdit *DBMemo1;
    QComboBox *girande;
    QComboBox *mozo;
    QPlainTextEdit *cmt;
    QListWidget *prs_list;  // item data: the user id
    QCheckBox *CheckBox1;
    QPushButton *BitBtn1;
    QAction *N1, *N2, *N3, *N4, *N5, *N6;

protected:
    void done(int result) override;

private:
    void showCurrentText();
    void updateMenuCaption();
    bool refuseUnlessAdmin();
    std::optional<qint64> recipientFilter_;
};

}  // namespace bv
