#include "moshaveran_ins2.h"

#include "dateedit.h"
#include "dm.h"
#include "interaction.h"
#include "moshaveran_steps.h"
#include "session.h"
#include "widgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace bv {

moshaveran_ins2::moshaveran_ins2(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("moshaveran_ins2"));
    setWindowTitle(QStringLiteral("ثبت/ويرايش مشاوران2"));
    auto *layout = new QVBoxLayout(this);
    for (const consultants::Step &s : consultants::stepsOf(true)) {
        auto *row = new StepRow(s.caption, s.hasDate, this);
        row->setObjectName(s.column);
        layout->addWidget(row);
        steps_.push_back(row);
        dates_ << row->dat;
        for (const QString &column : {s.column, s.dateColumn(), s.approvalColumn()})
            guard_.setLabel(column, s.caption);
    }
    tasvib = steps_[0];
    kargoroh = steps_[1];
    cd_map = steps_[2];
    albom = steps_[3];
    taeed = steps_[4];
    chap = steps_[5];
    prin = steps_[6];
    sahafi = steps_[7];
    nazar = steps_[8];
    asnad = steps_[9];
    eblagh = steps_[10];

    nazar_cmt = new QLineEdit(this);
    nazar_cmt->setMaxLength(250);
    auto *opinion = new QHBoxLayout;
    opinion->addWidget(new QLabel(QStringLiteral("شرح نظر عامل چهارم"), this));
    guard_.setLabel(QStringLiteral("nazar_cmt"), QStringLiteral("شرح نظر عامل چهارم"));
    opinion->addWidget(nazar_cmt, 1);
    layout->insertLayout(9, opinion);

    edit_btn = new QPushButton(QStringLiteral("ثبت/ويرايش"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(edit_btn);
    layout->addLayout(buttons);
    connect(edit_btn, &QPushButton::clicked, this, &moshaveran_ins2::saveLater);
}

consultants::JobTexts moshaveran_ins2::typed() const
{
    consultants::JobTexts t;
    for (const StepRow *row : steps_) {
        const QString step = row->objectName();
        t[step] = row->stored();
        t[step + QStringLiteral("_dat")] = row->date();
        t[step + QStringLiteral("_t")] = row->approval();
    }
    t[QStringLiteral("nazar_cmt")] = typedText(nazar_cmt);
    return t;
}

bool moshaveran_ins2::startLater(qint64 id)
{
    Row job;
    try {
        const Db &db = dm().main();
        job = consultants::jobRow(db, id);
        // Remembered as shown, for the save to find another clerk's change.
        if (!job.isEmpty())
            job = guard_.loadOver(db, id, job);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return false;
    }
    if (job.isEmpty()) {
        ui().message(consultants::jobGoneMessage, MessageKind::Warning);
        return false;
    }
    editedId_ = id;
    // Approvals and the opinion follow the user who opens the window now.
    const bool approvals = session().level != QLatin1String("city");
    for (StepRow *row : steps_) {
        const QString step = row->objectName();
        row->load(job.value(step).toString(), job.value(step + QStringLiteral("_dat")).toString(),
                  job.value(step + QStringLiteral("_t")).toString());
        row->setApprovalAllowed(approvals);
    }
    nazar_cmt->setText(job.value(QStringLiteral("nazar_cmt")).toString());
    nazar_cmt->setEnabled(approvals);
    return true;
}

bool moshaveran_ins2::saveLater()
{
    if (!acceptDates(dates_))
        return false;
    try {
        const Db &db = dm().main();
        if (!guard_.save(
                db, [&] { consultants::saveLaterSteps(db, editedId_, typed(), session().karbar); },
                [this](const Row &) { startLater(editedId_); }))
            return false;
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return false;
    }
    ui().message(QStringLiteral("ويرايش انجام شد"));
    emit saved(editedId_);
    accept();
    return true;
}

}  // namespace bv
