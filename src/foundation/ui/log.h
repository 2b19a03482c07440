#pragma once
// The log viewer: the rows of table `log`, filtered, newest first.
#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace bv {

class BrowserGrid;
class FilterCheck;
class JalaliDateEdit;
struct LogFilter;

class log : public QDialog {
    Q_OBJECT
public:
    explicit log(QWidget *parent = nullptr);

    // Empties the text filters, as the main menu does before showing the window.
    void resetFilters();
    // "جستجو": lists the rows the active filters select and counts them.
    void search();
    // The search's filter from the active filter boxes.
    LogFilter filter() const;

    BrowserGrid *DBGrid1;
    FilterCheck *CheckBox1, *CheckBox2, *CheckBox3, *CheckBox4, *CheckBox5;
    QComboBox *karbar;
    JalaliDateEdit *dat1, *dat2;
    QLineEdit *computer_name, *cmt, *ip;
    QLabel *cnt;
    QPushButton *BitBtn1;
    QToolButton *SpeedButton1;
};

}  // namespace bv
