#pragma once
// The search over the attachments of every study, with the saving of every
// file it lists.
#include "borvinat_pic_search.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace bv {

class BrowserGrid;
class FilterCheck;

class borvinat_pic__src : public QDialog {
    Q_OBJECT
public:
    explicit borvinat_pic__src(QWidget *parent = nullptr);

    // Opening from the studies browser: the count is 0, the filter texts are
    // emptied and the descriptions reloaded; nothing is searched.
    void open();
    studies::PicFilters filters() const;
    // "جستجو": the count and the first screen at once, the rest when idle or
    // before saving.
    void search();
    static constexpr int firstScreenRows = 200;
    // "ذخيره همه ضمائم ليست بالا".
    void saveAll();

    QLabel *warning;
    FilterCheck *CheckBox1, *CheckBox2, *CheckBox3, *CheckBox4, *CheckBox5, *CheckBox7;
    QComboBox *cmt, *city, *rosta;
    QLineEdit *tarh_moshaver_name, *prot_no, *tamin_sal;
    QPushButton *BitBtn1, *BitBtn2;
    QLabel *cnt;
    BrowserGrid *DBGrid1;

private:
    studies::PicFilters searched_;
};

}  // namespace bv
