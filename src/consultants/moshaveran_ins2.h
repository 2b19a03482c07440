#pragma once
// The later workflow steps of a consultant job and the fourth agent's opinion.
#include "moshaveran_job.h"
#include "rowguard.h"

#include <QDialog>
#include <vector>

class QLineEdit;
class QPushButton;

namespace bv {

class JalaliDateEdit;
class StepRow;

class moshaveran_ins2 : public QDialog {
    Q_OBJECT
public:
    explicit moshaveran_ins2(QWidget *parent = nullptr);

    // Loads the later steps of the stored job `id`; false when it is gone.
    bool startLater(qint64 id);
    // "ثبت/ويرايش": true when written.
    bool saveLater();
    consultants::JobTexts typed() const;

    StepRow *tasvib, *kargoroh, *cd_map, *albom, *taeed, *chap, *prin, *sahafi, *nazar, *asnad, *eblagh;
    QLineEdit *nazar_cmt;
    QPushButton *edit_btn;

signals:
    void saved(qint64 id);

private:
    std::vector<StepRow *> steps_;
    QList<JalaliDateEdit *> dates_;
    qint64 editedId_ = 0;
    RowGuard guard_{QStringLiteral("moshaveran"), consultants::stepColumns(true)};
};

}  // namespace bv
