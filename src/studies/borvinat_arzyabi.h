#pragma once
// The evaluation windows of a study: one window class driven by the
// description of its table, and one named subclass per kind so that each has
// its own instance. Controls a kind lacks stay null.
#include "borvinat_evaluation.h"
#include "session.h"

#include <QDialog>

class QAction;
class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace bv {

class BrowserGrid;
class JalaliDateEdit;

class EvaluationWindow : public QDialog {
    Q_OBJECT
public:
    EvaluationWindow(studies::EvaluationKind kind, const QString &name, const QString &caption);

    // Opening from the studies browser: without a rights row of "arzyabi"
    // nothing happens; otherwise prepared, `height` high, and shown modally.
    // False when not shown.
    bool open(qint64 study, int height);
    void applyRights(const PageRights &rights);
    // Captures the study, resets the inputs and sums, fills the items with the
    // first one chosen and lists the study's rows.
    void prepare(qint64 study);
    qint64 study() const { return study_; }
    studies::EvaluationKind kind() const { return kind_; }

    // Register one: the row, then the next item is offered.
    bool registerRow();
    // The register-all buttons; `kolOnce` for the guide plan's second.
    bool registerAll(bool kolOnce = false);
    // Delete one: the row goes back into the inputs and is deleted.
    void deleteRow();
    // Guide plan: every row of the study, after a question.
    void deleteAll();
    void refreshSum();
    // The entry as typed.
    studies::EvaluationEntry entry() const;

    // Items.
    QComboBox *cmt = nullptr, *kol = nullptr, *joz = nullptr;
    QLineEdit *emtiyaz_top = nullptr;
    QComboBox *emtiyaz = nullptr;  // the guide plan's score list; typed in the others
    QComboBox *anjam = nullptr;    // done or not (guide plan, base map)
    QRadioButton *anjam_shod = nullptr, *anjam_nashod = nullptr;  // detailed plan "وضعيت انجام"
    QComboBox *keifiyat = nullptr;  // guide plan grade; consultant "جواب"
    QButtonGroup *keifiyat2 = nullptr;
    QLineEdit *sayer = nullptr, *karshenas = nullptr;
    JalaliDateEdit *dat = nullptr;
    QLabel *emtiyaz_sum = nullptr, *emtiyaz_top_sum = nullptr;
    QPushButton *ins_btn = nullptr, *ins_btn2 = nullptr, *BitBtn1 = nullptr;
    BrowserGrid *DBGrid1 = nullptr;
    QAction *N1 = nullptr, *N2 = nullptr, *Refresh = nullptr;

protected:
    void done(int result) override;

private:
    void itemChosen();
    void generalItemChosen();
    void maximumChanged();
    void scoreChosen();
    void refresh();
    void showEntry(const studies::EvaluationEntry &e);
    void setGrade(int grade);
    void fillItems();

    const studies::EvaluationKind kind_;
    const studies::EvaluationTable &table_;
    qint64 study_ = 0;
};

class borvinat_arzyabi_gis : public EvaluationWindow {
public:
    borvinat_arzyabi_gis();
};
class borvinat_arzyabi_tarh : public EvaluationWindow {
public:
    borvinat_arzyabi_tarh();
};
class borvinat_arzyabi_tafsili : public EvaluationWindow {
public:
    borvinat_arzyabi_tafsili();
};
class borvinat_arzyabi_naghshe : public EvaluationWindow {
public:
    borvinat_arzyabi_naghshe();
};
class borvinat_arzyabi_moshaver : public EvaluationWindow {
public:
    borvinat_arzyabi_moshaver();
};

}  // namespace bv
