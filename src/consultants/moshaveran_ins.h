#pragma once
// The consultant job entry window: the village, the contract, the fourth
// agent and the seven first workflow steps with their inquiry offices.
#include "moshaveran_job.h"
#include "rowguard.h"

#include <QDialog>
#include <vector>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace bv {

class JalaliDateEdit;
class StepRow;
class YesNoChoice;

class moshaveran_ins : public QDialog {
    Q_OBJECT
public:
    explicit moshaveran_ins(QWidget *parent = nullptr);

    // Register mode: everything empty, the offices of the lookup list unticked.
    void startNew();
    // Edit mode on the stored job `id`; false when it is gone.
    bool startEdit(qint64 id);
    // "ثبت" / "ويرايش": true when written.
    bool registerJob();
    bool saveEdit();
    // "+": appends the typed office to the check list, ticked.
    void addOffice();

    // The stored texts of the window by column.
    consultants::JobTexts typed() const;
    // The ticked offices in list order.
    QStringList tickedOffices() const;

    QComboBox *city, *bakhsh, *dehestan, *rosta, *cod, *moshaver, *amel4_name;
    YesNoChoice *harim, *tahvil_map;
    JalaliDateEdit *moshaver_dat1, *moshaver_dat2, *amel4_dat;
    QLineEdit *amel4_no;
    StepRow *bazdid, *estelam, *dehyar, *shahr_map, *shahr_jalase, *behengam, *fani;
    QListWidget *estelam_name;
    QLineEdit *estelam_n;
    QPushButton *SpeedButton1;  // "+"
    QPushButton *ins_btn, *edit_btn;

signals:
    // A job was written: the browser searches again.
    void saved(qint64 id);

private:
    void fillLists();
    void fillChoices(QComboBox *box, int level);
    void villageChosen();
    void showOffices(const consultants::OfficeChoices &offices);
    void prepare(bool editing);
    std::vector<StepRow *> steps_;
    QList<JalaliDateEdit *> dates_;
    qint64 editedId_ = 0;
    RowGuard guard_{QStringLiteral("moshaveran"), consultants::jobColumns() + consultants::stepColumns(false)};
    QStringList shownOffices_;  // ticked when the job was loaded
    bool loading_ = false;
};

}  // namespace bv
