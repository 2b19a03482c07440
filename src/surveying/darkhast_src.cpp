#include "darkhast_src.h"

#include "browsergrid.h"
#include "darkhast_ins.h"
#include "dateedit.h"
#include "dm.h"
#include "filters.h"
#include "interaction.h"
#include "rowguard.h"
#include "naghshe_search.h"
#include "villages.h"
#include "widgets.h"
#include "windows.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace bv {

namespace {
const Headings gridHeadings = {
    {"dat_darkhast", QStringLiteral("تاريخ درخواست")},
    {"city", QStringLiteral("شهرستان")},
    {"bakhsh", QStringLiteral("بخش")},
    {"dehestan", QStringLiteral("دهستان")},
    {"rosta", QStringLiteral("روستا")},
    {"cod", QStringLiteral("کد آبادي")},
    {"dat_naghshe", QStringLiteral("تاريخ تاييد نقشه بردار")},
    {"masahat_por", QStringLiteral("مساحت بافت پر")},
    {"masahat_khali", QStringLiteral("مساحت بافت خالي")},
    {"mablagh", QStringLiteral("مبلغ برآورد")},
    {"cmt", QStringLiteral("توضيحات نقشه بردار")},
    {"dat_borvinat", QStringLiteral("تاريخ تاييد مطالعات")},
    {"cmt2", QStringLiteral("توضيحات مطالعات")},
};
}  // namespace

darkhast_src::darkhast_src(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("darkhast_src"));
    setWindowTitle(QStringLiteral("درخواست هاي برآورد نقشه برداري"));

    city = new QComboBox(this);
    city->setEditable(true);
    rosta = new QComboBox(this);
    rosta->setEditable(true);
    dat_darkhast1 = new JalaliDateEdit(this);
    dat_darkhast2 = new JalaliDateEdit(this);
    CheckBox1 = new FilterCheck(QStringLiteral("شهرستان"), {city}, this);
    CheckBox2 = new FilterCheck(QStringLiteral("روستا"), {rosta}, this);
    CheckBox8 = new FilterCheck(QStringLiteral("تاريخ درخواست"), {dat_darkhast1, dat_darkhast2}, this);
    dat_darkhast1->setCaption(CheckBox8->text());
    dat_darkhast2->setCaption(CheckBox8->text());
    BitBtn1 = new QPushButton(QStringLiteral("جستجو"), this);
    cnt = new QLabel(QStringLiteral("0"), this);
    DBGrid1 = new BrowserGrid(this);
    DBGrid1->setHeadings(gridHeadings);
    DBGrid1->setHiddenColumns({QStringLiteral("id")});
    DBGrid1->setMoneyColumns({QStringLiteral("mablagh")});

    auto *bar = new QMenuBar(this);
    N1 = bar->addAction(QStringLiteral("ثبت درخواست برآورد"));
    N2 = bar->addAction(QStringLiteral("تاييد نقشه بردار"));
    N3 = bar->addAction(QStringLiteral("تاييد مطالعات"));
    N6 = bar->addAction(QStringLiteral("حذف"));
    N7 = bar->addAction(QStringLiteral("مستندات"));
    N4 = bar->addAction(QStringLiteral("اکسل"));
    N5 = bar->addAction(QStringLiteral("بستن"));

    auto *filtersBox = new QGridLayout;
    filtersBox->addWidget(CheckBox1, 0, 0);
    filtersBox->addWidget(city, 1, 0);
    filtersBox->addWidget(CheckBox2, 0, 1);
    filtersBox->addWidget(rosta, 1, 1);
    filtersBox->addWidget(CheckBox8, 0, 2, 1, 2);
    filtersBox->addWidget(dat_darkhast1, 1, 2);
    filtersBox->addWidget(dat_darkhast2, 1, 3);
    filtersBox->addWidget(BitBtn1, 1, 4);
    auto *count = new QHBoxLayout;
    count->addWidget(new QLabel(QStringLiteral("تعداد:"), this));
    count->addWidget(cnt);
    count->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(bar);
    layout->addLayout(filtersBox);
    layout->addLayout(count);
    layout->addWidget(DBGrid1);

    connect(BitBtn1, &QPushButton::clicked, this, &darkhast_src::search);
    connect(N1, &QAction::triggered, this, &darkhast_src::newRequest);
    connect(N2, &QAction::triggered, this, &darkhast_src::surveyApproval);
    connect(N3, &QAction::triggered, this, &darkhast_src::studiesApproval);
    connect(N6, &QAction::triggered, this, &darkhast_src::deleteRequest);
    connect(N4, &QAction::triggered, this, &darkhast_src::exportList);
    connect(N5, &QAction::triggered, this, &QDialog::reject);
    connect(&windows::get<darkhast_ins>(), &darkhast_ins::saved, this, &darkhast_src::searchKeeping);
}

void darkhast_src::applyRights(const PageRights &rights)
{
    N2->setEnabled(rights.insert);
    N3->setEnabled(rights.edit);
    N6->setEnabled(rights.remove);
    N7->setEnabled(rights.view);
    N4->setEnabled(rights.view);
}

void darkhast_src::prepare()
{
    try {
        const Db &db = dm().main();
        for (auto [box, level] : {std::pair{city, VillageLevel::County}, {rosta, VillageLevel::Village}}) {
            const QSignalBlocker block(box);
            box->clear();
            box->addItems(villageChoices(db, level));
        }
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
    cnt->setText(QStringLiteral("0"));
    showStoredValue(city, {});
    showStoredValue(rosta, {});
    search();
}

std::optional<survey::RequestFilters> darkhast_src::filters() const
{
    survey::RequestFilters f{CheckBox1->entry(), CheckBox2->entry(), {}};
    if (CheckBox8->active()) {
        if (!acceptDates({dat_darkhast1, dat_darkhast2}))
            return std::nullopt;
        f.dates = std::pair{dat_darkhast1->date(), dat_darkhast2->date()};
    }
    return f;
}

void darkhast_src::search()
{
    const std::optional<survey::RequestFilters> f = filters();
    if (!f)
        return;
    try {
        const Db &db = dm().main();
        const Conditions c = survey::requestConditions(db.dialect(), *f);
        cnt->setText(QString::number(survey::countRequests(db, c)));
        DBGrid1->setRows(survey::searchRequests(db, c));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void darkhast_src::searchKeeping(qint64 id)
{
    search();
    const ResultSet shown = DBGrid1->shownRows();
    const int idColumn = shown.columnIndex(QStringLiteral("id"));
    for (int r = 0; r < shown.size(); ++r)
        if (shown.rows[size_t(r)][idColumn].toLongLong() == id) {
            DBGrid1->setCurrentIndex(DBGrid1->model()->index(r, 1));
            return;
        }
}

void darkhast_src::newRequest()
{
    darkhast_ins &entry = windows::get<darkhast_ins>();
    entry.startRequest();
    ui().execDialog(entry);
}

void darkhast_src::surveyApproval()
{
    if (!DBGrid1->currentId().isValid())
        return;
    const Row row = DBGrid1->currentRow();
    const QStringList refusals = survey::surveyingRefusals(row.value(QStringLiteral("dat_naghshe")).toString(),
                                                           row.value(QStringLiteral("dat_borvinat")).toString());
    for (const QString &refusal : refusals)
        ui().message(refusal);
    if (!refusals.isEmpty())
        return;
    darkhast_ins &entry = windows::get<darkhast_ins>();
    entry.startSurvey(row);
    ui().execDialog(entry);
}

void darkhast_src::studiesApproval()
{
    if (!DBGrid1->currentId().isValid())
        return;
    const Row row = DBGrid1->currentRow();
    const QStringList refusals = survey::studiesRefusals(row.value(QStringLiteral("dat_naghshe")).toString(),
                                                         row.value(QStringLiteral("dat_borvinat")).toString());
    for (const QString &refusal : refusals)
        ui().message(refusal);
    if (!refusals.isEmpty())
        return;
    darkhast_ins &entry = windows::get<darkhast_ins>();
    entry.startStudies(row);
    ui().execDialog(entry);
}

void darkhast_src::deleteRequest()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid() || !ui().question(survey::deleteRequestQuestion))
        return;
    try {
        // Silent when deleted, as before; told when another clerk was first.
        if (!survey::deleteRequest(dm().main(), id.toLongLong()))
            ui().message(alreadyDeletedMessage, MessageKind::Warning);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
    search();
}

void darkhast_src::exportList()
{
    DBGrid1->exportList(survey::comprehensiveHeadings());
}

}  // namespace bv
