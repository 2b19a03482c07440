#include "contractor_filters.h"

#include "browsergrid.h"
#include "dm.h"
#include "filters.h"
#include "interaction.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace bv {

ContractorFilters::ContractorFilters(QWidget *parent) : QWidget(parent)
{
    typ = new QComboBox(this);
    typ->addItems({survey::naturalPerson, survey::legalPerson, QStringLiteral("همه")});
    typ->setCurrentIndex(2);
    lname = new QLineEdit(this);
    comp_name = new QLineEdit(this);
    CheckBox3 = new FilterCheck(QStringLiteral("نام خانوادگي"), {lname}, this);
    CheckBox1 = new FilterCheck(QStringLiteral("نام شرکت"), {comp_name}, this);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("نوع"), this));
    layout->addWidget(typ);
    layout->addWidget(CheckBox3);
    layout->addWidget(lname);
    layout->addWidget(CheckBox1);
    layout->addWidget(comp_name);
    connect(typ, &QComboBox::activated, this, &ContractorFilters::searchRequested);
    connect(lname, &QLineEdit::returnPressed, this, &ContractorFilters::searchRequested);
    connect(comp_name, &QLineEdit::returnPressed, this, &ContractorFilters::searchRequested);
}

survey::ContractorFilter ContractorFilters::filter() const
{
    survey::ContractorFilter f;
    if (typ->currentIndex() < 2)
        f.kind = typ->currentText();
    f.lname = CheckBox3->entry();
    f.compName = CheckBox1->entry();
    return f;
}

void ContractorFilters::search(QLabel *count, BrowserGrid *grid, Listing list) const
{
    try {
        const Db &db = dm().main();
        const survey::ContractorFilter f = filter();
        count->setText(QString::number(survey::countContractors(db, f)));
        grid->setRows(list(db, f));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void ContractorFilters::reset()
{
    lname->clear();
    comp_name->clear();
    typ->setCurrentIndex(2);
}

}  // namespace bv
