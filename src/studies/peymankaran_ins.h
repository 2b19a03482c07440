#pragma once
// The studies contractor entry window: a new contractor, or the edit of the
// browser's current one.
#include "db.h"
#include "peymankaran.h"
#include "rowguard.h"
#include "typed_row.h"

#include <QDialog>
#include <map>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace bv {

class JalaliDateEdit;

class peymankaran_ins : public QDialog {
    Q_OBJECT
public:
    explicit peymankaran_ins(QWidget *parent = nullptr);

    // Kind "حقيقي", every input empty.
    void startNew();
    // The inputs from the contractor's row; no kind chosen for a stored kind
    // of neither choice. Edit writes to `id`.
    void startEdit(qint64 id, const Row &contractor);
    // "ثبت" / "ويرايش": true when written.
    bool insert();
    bool edit();
    // The typed texts by column.
    TypedTexts typed() const;

    QRadioButton *haghighi, *hoghoghi;
    QLineEdit *lname, *fname, *father, *sh_no, *nation, *sodor, *degree, *zipcode, *adr, *bank, *shobe, *hesab_no,
        *mobile, *phone, *comp_name, *comp_loc, *comp_adr, *comp_no, *comp_shenase, *comp_rotbe,
        *comp_eghtesadi_cod, *taminejtemaei;
    JalaliDateEdit *birthday, *degree_dat, *comp_dat, *comp_etebar_dat;
    QPushButton *ins_btn, *edit_btn;

signals:
    // A contractor was written: the browser searches again.
    void saved();

private:
    // Dates accepted and values readable; the refusal shown otherwise.
    std::optional<RowValues> readable(const TypedTexts &t);
    std::map<QString, QLineEdit *> edits_;
    QList<JalaliDateEdit *> dates_;
    qint64 editedId_ = 0;
    RowGuard guard_{QStringLiteral("peymankaran"), study::contractorColumns()};
    QString storedKind_;
};

}  // namespace bv
