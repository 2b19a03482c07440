#pragma once
// The survey project entry window: registers a new project or edits the
// current one of the survey browser, filling and computing as the user types.
#include "db.h"
#include "naghshe_calc.h"
#include "naghshe_project.h"
#include "rowguard.h"

#include <QDialog>
#include <map>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace bv {

class ClickLabel;
class JalaliDateEdit;
class MonEdit;

class naghshe_ins : public QDialog {
    Q_OBJECT
public:
    explicit naghshe_ins(QWidget *parent = nullptr);

    // Register mode: defaults from the lookup lists, figures zeroed.
    void startNew();
    // Edit mode: every input from the project's stored row.
    void startEdit(const Row &project);
    // "ثبت" / "ويرايش": true when written.
    bool registerProject();
    bool saveEdit();

    // The computations run when their field is entered.
    void computeSmallness(bool initial);
    void computeContractAmount();
    void computeFee();
    // The village, scale and contract look-ups run when their field changes.
    void villageCodeChanged();
    void scaleChanged();
    void contractChanged();
    // "انتخاب پيمانکار" / "حذف پيمانکار" / "- - -".
    void chooseContractor();
    void clearContractor();
    void chooseVillage();
    // The texts typed, by column.
    survey::Typed typed() const;

    // Village.
    QComboBox *ostan, *city, *bakhsh, *dehestan, *rosta, *cod, *tarh_typ, *scale, *status;
    QLineEdit *x, *y, *khanevar, *jamiyat, *tamin_sal;
    // Contract.
    JalaliDateEdit *jalase_dat, *prot_dat1, *prot_dat2;
    QComboBox *prot_no, *peymankar, *prot_typ, *tamin_loc;
    QLineEdit *masahat_por1, *masahat_khali1, *por_price, *khali_price, *zarib_mantaghe, *zarib_sobat1,
        *zarib_kochaki1, *tajhiz_mablagh, *prot_mablagh, *prot_tim;
    MonEdit *gps_mablagh;
    // Correspondence.
    QLineEdit *paper_no, *cmt, *darsad_inc;
    JalaliDateEdit *paper_dat, *tahvil_dat1, *checklist_dat, *tahvil_dat2, *tamdid_dat, *hosn_paper_dat;
    // Statement.
    QLineEdit *masahat_por, *masahat_khali, *zarib_sobat, *zarib_kochaki, *jarime, *pardakhti;
    QComboBox *status_typ;
    JalaliDateEdit *status_dat, *hosn_dat;
    // The chosen contractor.
    QLabel *peymankar_name, *peymankar_id;
    ClickLabel *Label40, *Label41, *Label51;
    QPushButton *ins_btn, *edit_btn;

signals:
    // A project was written; the browser lists again with it current.
    void saved(qint64 id);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The fee of the figures; an overflow is shown and gives nothing.
    std::optional<Money> computedFee(const survey::FeeFigures &figures);
    void fillLists();
    void fillCascade(int level);
    void villageNameChanged();
    void setWidgetText(QWidget *w, const QString &text);
    QString widgetText(QWidget *w) const;
    // The date boxes in entry order, checked before a save.
    QList<JalaliDateEdit *> dates() const;
    std::map<QString, QWidget *> inputs_;
    std::map<QWidget *, QWidget *> enterChain_;
    qint64 editedId_ = 0;
    RowGuard guard_{QStringLiteral("naghshe"), survey::projectColumns()};
    bool filling_ = false;
};

}  // namespace bv
