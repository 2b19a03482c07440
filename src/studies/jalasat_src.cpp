#include "jalasat_src.h"

#include "browsergrid.h"
#include "dateedit.h"
#include "dm.h"
#include "fillsteps.h"
#include "filters.h"
#include "interaction.h"
#include "listtext.h"
#include "lookuplists.h"
#include "widgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace bv {

namespace {
const Headings gridHeadings = {
    {"dat", QStringLiteral("تاريخ جلسه")}, {"org", QStringLiteral("نام اداره")}, {"shakhs", QStringLiteral("کارشناس")},
    {"hozor", QStringLiteral("حضور")},     {"city", QStringLiteral("شهرستان")},  {"bakhsh", QStringLiteral("بخش")},
    {"dehestan", QStringLiteral("دهستان")}, {"rosta", QStringLiteral("روستا")},
};
}  // namespace

jalasat_src::jalasat_src(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("jalasat_src"));
    setWindowTitle(QStringLiteral("جلسات"));
    setLayoutDirection(Qt::RightToLeft);
    dat1 = new JalaliDateEdit(this);
    dat2 = new JalaliDateEdit(this);
    dat1->setCaption(QStringLiteral("تاريخ جلسه"));
    dat2->setCaption(QStringLiteral("تاريخ جلسه"));
    org = new QComboBox(this);
    city = new QComboBox(this);
    rosta = new QComboBox(this);
    for (QComboBox *c : {org, city, rosta}) {
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
    }
    shakhs = new QLineEdit(this);
    CheckBox1 = new FilterCheck(QStringLiteral("تاريخ جلسه"), {dat1, dat2}, this);
    CheckBox2 = new FilterCheck(QStringLiteral("نام اداره"), {org}, this);
    CheckBox3 = new FilterCheck(QStringLiteral("نام کارشناس"), {shakhs}, this);
    CheckBox4 = new FilterCheck(QStringLiteral("شهرستان"), {city}, this);
    CheckBox5 = new FilterCheck(QStringLiteral("روستا"), {rosta}, this);
    BitBtn1 = new QPushButton(QStringLiteral("جستجو"), this);
    BitBtn2 = new QPushButton(QStringLiteral("چاپ"), this);
    cnt = new QLabel(QStringLiteral("0"), this);
    DBGrid1 = new BrowserGrid(this);
    DBGrid1->setHeadings(gridHeadings);
    DBGrid1->setHiddenColumns({QStringLiteral("id"), QStringLiteral("borvinat_id"), QStringLiteral("jalase_no"),
                               QStringLiteral("title"), QStringLiteral("khanevar"), QStringLiteral("jamiyat")});

    auto *filtersBox = new QGridLayout;
    filtersBox->addWidget(CheckBox1, 0, 0);
    auto *range = new QHBoxLayout;
    range->addWidget(dat1);
    range->addWidget(dat2);
    filtersBox->addLayout(range, 1, 0);
    int col = 1;
    for (const auto &[check, input] : std::vector<std::pair<QWidget *, QWidget *>>{
             {CheckBox2, org}, {CheckBox3, shakhs}, {CheckBox4, city}, {CheckBox5, rosta}}) {
        filtersBox->addWidget(check, 0, col);
        filtersBox->addWidget(input, 1, col++);
    }
    filtersBox->addWidget(BitBtn1, 1, col);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QStringLiteral("تعداد:"), this));
    bottom->addWidget(cnt);
    bottom->addStretch();
    bottom->addWidget(BitBtn2);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filtersBox);
    layout->addWidget(DBGrid1);
    layout->addLayout(bottom);

    connect(BitBtn1, &QPushButton::clicked, this, &jalasat_src::search);
    for (QLineEdit *e : {shakhs, org->lineEdit(), city->lineEdit(), rosta->lineEdit()})
        connect(e, &QLineEdit::returnPressed, this, &jalasat_src::search);
    connect(BitBtn2, &QPushButton::clicked, this, &jalasat_src::printSheet);
}

void jalasat_src::prepare()
{
    org->setCurrentText(QString());
    shakhs->clear();
    try {
        refillChoices(org, lookupItemsSorted(dm().main(), studies::officesList));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
    search();
}

studies::MeetingFilters jalasat_src::filters() const
{
    studies::MeetingFilters f;
    if (CheckBox1->active())
        f.dates = std::pair{typedText(dat1), typedText(dat2)};
    f.org = CheckBox2->entry();
    f.shakhs = CheckBox3->entry();
    f.city = CheckBox4->entry();
    f.rosta = CheckBox5->entry();
    return f;
}

void jalasat_src::search()
{
    if (CheckBox1->active() && !acceptDates({dat1, dat2}))
        return;
    try {
        const Db &db = dm().main();
        const studies::MeetingFilters f = filters();
        DBGrid1->setRows(studies::meetingList(db, f));
        cnt->setText(QString::number(studies::meetingCount(db, f)));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void jalasat_src::printSheet()
{
    // The header is the found row's own meeting and village, whatever was printed before.
    const Row current = DBGrid1->currentRow();
    report::runFill([&] {
        report::Document doc = studies::attendanceSheet(DBGrid1->shownRows(), current,
                                                        current.value(QStringLiteral("jalase_no")).toString(),
                                                        current.value(QStringLiteral("dat")).toString());
        doc.preview();
    });
}

}  // namespace bv
