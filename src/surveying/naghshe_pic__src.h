#pragma once
// The search over the attachments of every survey project, with the saving of
// one file or of every file it lists.
#include "naghshe_pic_search.h"

#include <QDialog>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace bv {

class BrowserGrid;
class FilterCheck;

class naghshe_pic__src : public QDialog {
    Q_OBJECT
public:
    explicit naghshe_pic__src(QWidget *parent = nullptr);

    // Opening from the survey browser: no rights needed; the count is 0, the
    // filter texts are emptied and their choices refilled; nothing is searched.
    void open();
    survey::AttachmentFilters filters() const;
    // "جستجو": counts the attachments the ticked filters select and lists the
    // first screen of them; the rest follows when the window is idle, or
    // before an action that needs the whole list.
    void search();
    static constexpr int firstScreenRows = 200;
    // A click: saves the current file as "cmt_S", opened afterwards when the
    // description filter is ticked. With `listed` (the context item) the name
    // is "city_rosta_cmt_S" and the file is not opened.
    void saveCurrent(bool listed);
    // "ذخيره همه ضمائم ليست بالا".
    void saveAll();

    QLabel *warning;
    FilterCheck *CheckBox1, *CheckBox2, *CheckBox3, *CheckBox4, *CheckBox5, *CheckBox7;
    QComboBox *cmt, *city, *rosta;
    QLineEdit *peymankar, *prot_no, *tamin_sal;
    QPushButton *BitBtn1, *BitBtn2;
    QLabel *cnt;
    BrowserGrid *DBGrid1;
    QAction *N1;

private:
    void fillChoices();
    survey::AttachmentFilters searched_;
};

}  // namespace bv
