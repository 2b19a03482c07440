#pragma once
// The study entry window: registers a new study, a copy of one into a new
// credit year, or edits the one opened, computing the fees as their fields are
// entered and taking the village from the registry as the user types.
#include "borvinat_record.h"
#include "db.h"
#include "rowguard.h"
#include "typed_row.h"

#include <QDialog>
#include <map>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace bv {

class ClickLabel;
class JalaliDateEdit;

class borvinat_ins : public QDialog {
    Q_OBJECT
public:
    explicit borvinat_ins(QWidget *parent = nullptr);

    // New record: inputs emptied, the figures "0", no contractor.
    void startNew();
    // Edit of the stored study `study` (its `id` is captured).
    void startEdit(const Row &study);
    // A new record for another credit year from `study`: every input but
    // `gis_emtiyaz2`, `status`, `tamdid_dat` and `mojaz`; the year focused.
    void startCopy(const Row &study);
    // "ثبت" / "ويرايش": true when written.
    bool registerStudy();
    bool saveEdit();
    // The fee of its field, computed when the focus enters it.
    void computeFee(QLineEdit *field);
    // "انتخاب پيمانکار" / "حذف پيمانکار".
    void chooseContractor();
    void clearContractor();
    // The texts typed, by column.
    TypedTexts typed() const;

    QComboBox *ostan, *city, *bakhsh, *dehestan, *rosta, *cod, *tamin_loc, *tarh_typ, *status;
    QLineEdit *khanevar, *x, *y, *jamiyat, *majmoe, *etebar_sal, *naghshe_moshaver_name, *tarh_moshaver_name,
        *taeid_paper_no, *moshaver_prot_no, *prot_mablagh, *prot_mablagh_binofoz, *amel4, *tarh_emtiyaz,
        *gis_emtiyaz, *gis_emtiyaz2, *arzyabi_emtiyaz, *checklist_nahaei_emtiyaz, *ejra_emtiyaz, *khanevar_p,
        *jamiyat_p, *mojaz, *masahat, *masahat_m, *masahat_p, *masahat_z_m, *masahat_z_p, *masahat_k_k_p,
        *masahat_k_m_p, *masahat_t, *masahat_b_m, *masahat_b_p, *roshd;
    JalaliDateEdit *movafeghat_dat, *naghshe_tahvil_dat2, *taeid_dat, *tarh_prot_dat, *tarh_tahvil_dat1,
        *check_list_dat2, *arzyabi_dat, *jalase_city_dat, *gis_dat, *komitefani_dat1, *tarh_tasvib_dat,
        *komitefani_dat3, *komitefani_dat4, *jalase_tasvib_dat, *checklist_nahaei_dat, *ejra_checklist_dat,
        *asnad_tahvil_dat, *farmandari_dat, *tehran_ersal_dat, *tamdid_dat;
    QLabel *peymankar_name, *peymankar_id;
    ClickLabel *Label14, *Label15;
    QPushButton *ins_btn, *edit_btn;

signals:
    // A study was written; the browser lists again with it current.
    void saved(qint64 id);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillLists();
    void fillCascade(int level);
    void villageNameChanged();
    void villageCodeChanged();
    void showRow(const Row &study);
    void setMode(bool registering);
    // Dates accepted, place known and numbers readable; the refusal shown otherwise.
    std::optional<RowValues> checked(const TypedTexts &t);
    std::map<QString, QWidget *> inputs_;
    std::map<QWidget *, QWidget *> enterChain_;
    QList<JalaliDateEdit *> dates_;
    qint64 editedId_ = 0;
    RowGuard guard_{QStringLiteral("borvinat"), study::studyColumns()};
    bool filling_ = false;
};

}  // namespace bv
