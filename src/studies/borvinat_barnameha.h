#pragma once
// The programmes and projects of executive agencies recorded for a study.
#include <QDialog>

class QAction;
class QComboBox;
class QPushButton;

namespace bv {

class BrowserGrid;

class borvinat_barnameha : public QDialog {
    Q_OBJECT
public:
    explicit borvinat_barnameha(QWidget *parent = nullptr);

    // Inputs emptied, the choices reloaded and the study's programmes listed.
    void prepare(qint64 study);
    void refresh();
    void add();
    // Puts the row's name and agency back in the inputs, then deletes it.
    void deleteCurrent();

    QComboBox *cmt, *org;
    QPushButton *ins_btn;
    BrowserGrid *DBGrid1;
    QAction *N1;

private:
    qint64 study_ = 0;
};

}  // namespace bv
