#pragma once
// The letters of registration jobs: the current job's letters with the entry
// of a new one, the search over the letters of all jobs, and the attachments.
#include <QDialog>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace bv {

class BrowserGrid;
class FilterCheck;
class JalaliDateEdit;

class sabti_mokatebat : public QDialog {
    Q_OBJECT
public:
    explicit sabti_mokatebat(QWidget *parent = nullptr);

    // Opens on the job's letters with every input emptied, both search dates
    // today and the count "0".
    void openFor(qint64 job);
    // Loads the window as openFor() does, without showing it.
    void load(qint64 job);

    // `BitBtn1`: checks and adds the typed letter, then lists the job's letters.
    void addLetter();
    // `BitBtn3`: the letters of all jobs that the ticked filters select.
    void search();
    void showJobLetters();
    void attachments();
    void deleteLetter();
    void saveListAttachments();

    // Entry.
    QLineEdit *paper_no, *post, *mozo;
    JalaliDateEdit *paper_dat;
    QComboBox *taraf, *typ;
    QPushButton *BitBtn1;
    // Search.
    QLineEdit *paper_no2, *post2, *mozo2;
    JalaliDateEdit *paper_dat1, *paper_dat2;
    QComboBox *taraf2, *typ2;
    FilterCheck *CheckBox1, *CheckBox2, *CheckBox3, *CheckBox4, *CheckBox5, *CheckBox6;
    QPushButton *BitBtn3;
    QLabel *cnt;
    BrowserGrid *DBGrid1;
    // Context menu.
    QAction *N1, *N2, *N3;

private:
    void refresh();
    qint64 job_ = 0;
    bool searched_ = false;  // the grid shows a search rather than the job's letters
};

}  // namespace bv
