#pragma once
// The registration job entry window: registers a new job or edits a stored
// one, filling the village, prices and coefficients as the user goes.
#include "rowguard.h"
#include "sabt_job.h"

#include "money.h"

#include <QDialog>
#include <functional>
#include <map>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace bv {

class ClickLabel;
class JalaliDateEdit;
class MonEdit;

class sabt_ins : public QDialog {
    Q_OBJECT
public:
    explicit sabt_ins(QWidget *parent = nullptr);

    // Register mode: defaults from the lookup lists, both estimates unticked.
    void startNew();
    // Edit mode on the stored job `id`, both estimates ticked; false when the
    // job is gone.
    bool startEdit(qint64 id);
    // "ثبت" / "ويرايش": true when written.
    bool registerJob();
    bool saveEdit();

    // The computations run when their field is entered.
    void computeParcelEstimate();
    void computeParcelCost();
    void computeHectareEstimate();
    void computeSmallness();
    void computeDensity();
    // "انتخاب پيمانکار" / "حذف پيمانکار" / "- - -".
    void chooseContractor();
    void clearContractor();
    void chooseVillage();
    // The texts of the boxes by column.
    sabt::JobTexts typed() const;

    // Village and contract.
    QComboBox *city, *bakhsh, *dehestan, *rosta, *cod, *tarh;
    QLineEdit *tamin_sal, *prot_no;
    JalaliDateEdit *prot_dat1, *prot_dat2;
    QLabel *peymankar_name, *peymankar_id;
    ClickLabel *Label40, *Label41, *Label51;
    // Per-parcel estimate.
    QCheckBox *gh_chek;
    QComboBox *ravesh, *zarib_gh_s;
    QLineEdit *tedad;
    MonEdit *mablagh_gh, *mablagh_gh_1;
    // Per-hectare estimate.
    QCheckBox *hek_chek;
    QComboBox *ravesh2, *zarib_m;
    QLineEdit *tedad_gh, *masahat, *zarib_p, *zarib_t, *zarib_man, *zarib_k;
    MonEdit *tajhiz, *mablagh_m_1;
    // Letters.
    QLineEdit *paper_no;
    JalaliDateEdit *paper_dat, *tahvil_dat, *hosn_dat, *esterdad;
    // Per-parcel statement.
    QComboBox *ravesh_s, *status, *zarib_s_s;
    QLineEdit *tedad_s;
    MonEdit *mablagh_gh_s, *hazine_map;
    JalaliDateEdit *status_dat_gh;
    // Per-hectare statement.
    QComboBox *ravesh_s_h;
    QLineEdit *tedad_gh_h, *masahat_s, *zarib_p_s, *zarib_t_s, *zarib_m_s, *zarib_man_h, *zarib_k_s;
    MonEdit *jarime, *map_hazine;
    JalaliDateEdit *status_dat_h;
    QPushButton *ins_btn, *edit_btn;

signals:
    // A new job was written: the registration browser searches again.
    void registered(qint64 id);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillLists();
    void fillChoices(QComboBox *box, int level);
    void villageChosen();
    void codeChanged();
    void methodChanged(QComboBox *method, QLineEdit *price, sabt::PriceUnit unit);
    void setEstimates(bool parcel, bool hectare);
    void clearInputs();
    // Shows a computed amount in its box; "0" when a figure cannot be read or
    // the amount is out of range (with its message).
    void showAmount(MonEdit *box, const std::function<std::optional<Money>()> &compute);
    void setWidgetText(QWidget *w, const QVariant &value);

    std::map<QString, QWidget *> inputs_;
    QList<JalaliDateEdit *> dates_;
    QGroupBox *parcelEstimate_, *hectareEstimate_, *parcelStatement_, *hectareStatement_;
    qint64 editedId_ = 0;
    RowGuard guard_{QStringLiteral("sabti"), sabt::jobColumns()};
    bool loading_ = false;
    bool countiesFilled_ = false;
};

}  // namespace bv
