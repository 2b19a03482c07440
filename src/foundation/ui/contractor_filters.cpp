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

QColor contractorRowColour(const ResultSet &rows, const QVariantList &row)
{
    const QString kind = row[rows.columnIndex(QStringLiteral("typ"))].toString();
    if (kind != naturalPerson && kind != legalPerson)
        return QColor();
    return contractorComplete(kind, row[rows.columnIndex(QStringLiteral("pic_count"))].toInt()) ? QColor(Qt::green)
                                                                                                 : QColor(Qt::white);
}

const Headings &contractorPickHeadings()
{
    static const Headings headings = {
        {"typ", QStringLiteral("نوع")}, {"lname", QStringLiteral("نام خانوادگي")}, {"fname", QStringLiteral("نام")},
        {"comp_name", QStringLiteral("نام شرکت")}, {"father", QStringLiteral("نام پدر")},
        {"sh_no", QStringLiteral("شماره شناسنامه")}, {"nation", QStringLiteral("کد ملي")},
        {"birthday", QStringLiteral("تاريخ تولد")}, {"zipcode", QStringLiteral("کدپستي")},
        {"sodor", QStringLiteral("محل صدور")}, {"degree", QStringLiteral("مدرک تحصيلي")},
        {"adr", QStringLiteral("آدرس")}, {"bank", QStringLiteral("بانک")}, {"shobe", QStringLiteral("شعبه")},
        {"hesab_no", QStringLiteral("شماره حساب")}, {"mobile", QStringLiteral("موبايل")},
        {"phone", QStringLiteral("تلفن ثابت")}, {"comp_dat", QStringLiteral("تاريخ ثبت شرکت")},
        {"comp_loc", QStringLiteral("محل ثبت شرکت")}, {"comp_adr", QStringLiteral("محل کار شرکت")},
        {"comp_no", QStringLiteral("شماره ثبت شرکت")}, {"comp_shenase", QStringLiteral("شناسه ملي شرکت")},
    };
    return headings;
}

const Headings &contractorExportHeadings()
{
    static const Headings headings = {
    {"id", QStringLiteral("شناسه")}, {"typ", QStringLiteral("نوع")}, {"lname", QStringLiteral("فاميل")},
    {"fname", QStringLiteral("نام")}, {"comp_name", QStringLiteral("نام شرکت")}, {"father", QStringLiteral("نام پدر")},
    {"sh_no", QStringLiteral("ش شناسنامه")}, {"nation", QStringLiteral("کد ملي")},
    {"birthday", QStringLiteral("ت تولد")}, {"zipcode", QStringLiteral("کد پستي")},
    {"sodor", QStringLiteral("محل صدور")}, {"degree", QStringLiteral("مدرک")}, {"adr", QStringLiteral("آدرس")},
    {"bank", QStringLiteral("بانک")}, {"shobe", QStringLiteral("شعبه")}, {"hesab_no", QStringLiteral("ش حساب")},
    {"mobile", QStringLiteral("تلفن همراه")}, {"phone", QStringLiteral("تلفن ثابت")},
    };
    return headings;
}

ContractorFilters::ContractorFilters(ContractorTables tables, QWidget *parent)
    : QWidget(parent), tables_(std::move(tables))
{
    typ = new QComboBox(this);
    typ->addItems({naturalPerson, legalPerson, QStringLiteral("همه")});
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
    connect(typ, &QComboBox::activated, this, [this] {
        if (kindSearches_)
            emit searchRequested();
    });
    connect(lname, &QLineEdit::returnPressed, this, &ContractorFilters::searchRequested);
    connect(comp_name, &QLineEdit::returnPressed, this, &ContractorFilters::searchRequested);
}

ContractorFilter ContractorFilters::filter() const
{
    ContractorFilter f;
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
        const ContractorFilter f = filter();
        count->setText(QString::number(countContractors(db, tables_, f)));
        grid->setRows(list(db, tables_, f));
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

void ContractorFilters::setKindSearches(bool searches)
{
    kindSearches_ = searches;
}

}  // namespace bv
