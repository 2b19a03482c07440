#pragma once
// The contractor entry window: a new contractor, or the edit of the current one.
#include "contractors.h"
#include "rowguard.h"

#include <QDialog>
#include <map>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace bv {

class JalaliDateEdit;

// The refusal of a contractor saved without its kind.
inline const QString kindMissingMessage = QStringLiteral("خطا! «نوع» پيمانکار (حقيقي يا حقوقي) را انتخاب نماييد");

class peymankar_ins : public QDialog {
    Q_OBJECT
public:
    explicit peymankar_ins(QWidget *parent = nullptr);

    void startNew();
    void startEdit(qint64 id, const Row &contractor);
    // "ثبت" / "ويرايش"; true when written.
    bool insert();
    bool edit();

    QRadioButton *typ_haghighi, *typ_hoghoghi;
    QLineEdit *lname, *fname, *father, *sh_no, *nation, *sodor, *degree, *zipcode, *adr, *bank, *shobe, *hesab_no,
        *mobile, *phone, *comp_name, *comp_loc, *comp_adr, *comp_no, *comp_shenase, *tamin_shobe, *eghtesadi_cod;
    JalaliDateEdit *birthday, *comp_dat;
    QComboBox *tamin_shahr;
    QPushButton *ins_btn, *edit_btn;

signals:
    void saved();

private:
    // The kind chosen; empty when neither option is.
    QString chosenKind() const;
    survey::ContractorTexts typed();
    std::map<QString, QLineEdit *> edits_;
    qint64 editedId_ = 0;
    RowGuard guard_{QStringLiteral("peymankar"), survey::contractorColumns()};
};

}  // namespace bv
