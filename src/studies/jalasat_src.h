#pragma once
// The search over every study's meeting guests, and their attendance sheet.
#include "jalasat_guests.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace bv {

class BrowserGrid;
class FilterCheck;
class JalaliDateEdit;

class jalasat_src : public QDialog {
    Q_OBJECT
public:
    explicit jalasat_src(QWidget *parent = nullptr);

    // Opening from the studies browser: office and expert emptied, searched
    // once; the filter boxes keep their state.
    void prepare();
    void search();
    studies::MeetingFilters filters() const;
    // "چاپ": every found row, headed by the current found row's meeting and village.
    void printSheet();

    FilterCheck *CheckBox1, *CheckBox2, *CheckBox3, *CheckBox4, *CheckBox5;
    JalaliDateEdit *dat1, *dat2;
    QComboBox *org, *city, *rosta;
    QLineEdit *shakhs;
    QPushButton *BitBtn1, *BitBtn2;
    QLabel *cnt;
    BrowserGrid *DBGrid1;
};

}  // namespace bv
