#include "moshaveran_steps.h"

#include "dateedit.h"
#include "moshaveran_job.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>

namespace bv {

YesNoChoice::YesNoChoice(QWidget *parent) : QWidget(parent)
{
    yesButton = new QRadioButton(consultants::yes, this);
    noButton = new QRadioButton(consultants::no, this);
    group_ = new QButtonGroup(this);
    group_->addButton(yesButton);
    group_->addButton(noButton);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(yesButton);
    layout->addWidget(noButton);
}

QString YesNoChoice::stored() const
{
    if (yesButton->isChecked())
        return consultants::yes;
    if (noButton->isChecked())
        return consultants::no;
    return consultants::unanswered;
}

void YesNoChoice::setStored(const QString &value)
{
    // An exclusive group never lets both buttons go.
    group_->setExclusive(false);
    yesButton->setChecked(value == consultants::yes);
    noButton->setChecked(value == consultants::no);
    group_->setExclusive(true);
}

StepRow::StepRow(const QString &text, bool hasDate, QWidget *parent) : QWidget(parent)
{
    caption = new QLabel(text, this);
    caption->setWordWrap(true);
    choice = new YesNoChoice(this);
    if (hasDate) {
        dat = new JalaliDateEdit(this);
        dat->setCompact(true);
        dat->setCaption(text);
    }
    tick = new QCheckBox(QStringLiteral("تاييد عامل چهارم"), this);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caption, 1);
    layout->addWidget(choice);
    if (dat)
        layout->addWidget(dat);
    else
        layout->addSpacing(90);
    layout->addWidget(tick);
}

QString StepRow::date() const
{
    return dat ? dat->date() : QString();
}

QString StepRow::approval() const
{
    return tick->isChecked() ? consultants::approved : consultants::notApproved;
}

void StepRow::load(const QString &state, const QString &date, const QString &stored)
{
    choice->setStored(state);
    if (dat)
        dat->setDate(date);
    tick->setChecked(stored == consultants::approved);
}

void StepRow::clear()
{
    load({}, {}, {});
}

void StepRow::setApprovalAllowed(bool allowed)
{
    tick->setEnabled(allowed);
}

}  // namespace bv
