#pragma once
// The registration contractor entry window: a new contractor, or the edit of
// the one current in the contractors window.
#include "rowguard.h"
#include "sabti_contractors.h"

#include <QDialog>
#include <map>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace bv {

class JalaliDateEdit;

class sabti_peyman_ins : public QDialog {
    Q_OBJECT
public:
    explicit sabti_peyman_ins(QWidget *parent = nullptr);

    // Every box emptied, no kind chosen.
    void startNew();
    // The boxes from the contractor's row; Edit writes to `id`.
    void startEdit(qint64 id, const Row &contractor);
    // "ثبت" / "ويرايش": true when written.
    bool insert();
    bool edit();

    QGroupBox *RadioGroup1;
    QRadioButton *haghighi, *hoghoghi;
    QLineEdit *fname, *lname, *company, *father, *nation, *email, *mobile, *tel, *nezam, *cod_sabti, *model,
        *serial, *cod_karbari, *adr, *hesab_no, *sodor, *sh_no, *zipcode, *bank, *shobe, *comp_name, *comp_loc,
        *comp_adr, *comp_no, *comp_shenase, *eghtesadi_cod, *tamin_shobe;
    QComboBox *madrak, *reshte, *tamin_shahr;
    JalaliDateEdit *birthday, *comp_dat;
    QPushButton *ins_btn, *edit_btn;

signals:
    // A contractor was registered or edited: the lists that show contractors search again.
    void saved();

private:
    // The typed texts by column.
    sabt::ContractorTexts typed() const;
    void fillCounties();
    std::map<QString, QLineEdit *> edits_;
    qint64 editedId_ = 0;
    RowGuard guard_{QStringLiteral("sabti_peyman"), sabt::contractorColumns()};
};

}  // namespace bv
