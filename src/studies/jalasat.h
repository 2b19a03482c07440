#pragma once
// The guests of one study's meetings: which office and expert was invited to
// which committee, and whether a person was named.
#include "db.h"

#include <QDialog>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace bv {

class BrowserGrid;
class JalaliDateEdit;

class jalasat : public QDialog {
    Q_OBJECT
public:
    explicit jalasat(QWidget *parent = nullptr);

    // Captures the study, shows its committee dates, empties the inputs but
    // the date, reloads the offices and lists the guests.
    void prepare(qint64 study);
    qint64 study() const { return study_; }

    // `BitBtn1`: the guest, then the next office is offered.
    bool addOne();
    // `BitBtn3`: the current expert at every office of the list.
    void addEveryOffice();
    // `N1`: the row's office and expert go back into the inputs.
    void deleteOne();
    // `N2`: every guest of the study, after a question.
    void deleteAll();
    // `BitBtn2` "چاپ".
    void printSheet();

    QLabel *jalase_tasvib_dat, *komitefani_dat1, *tarh_tasvib_dat, *komitefani_dat3, *komitefani_dat4;
    QComboBox *jalase_no, *title, *org;
    JalaliDateEdit *dat;
    QLineEdit *shakhs;
    QPushButton *BitBtn1, *BitBtn3, *BitBtn2;
    BrowserGrid *DBGrid1;
    QLabel *hozor_sum;
    QAction *N1, *N2;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void refresh();
    qint64 study_ = 0;
    Row place_;
};

}  // namespace bv
