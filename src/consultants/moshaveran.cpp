#include "moshaveran.h"

#include "attachment_window.h"
#include "browsergrid.h"
#include "dm.h"
#include "filters.h"
#include "fillsteps.h"
#include "interaction.h"
#include "rowguard.h"
#include "moshaveran_ins.h"
#include "moshaveran_ins2.h"
#include "moshaveran_job.h"
#include "villages.h"
#include "widgets.h"
#include "windows.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace bv {

namespace {
QStringList otherThanGrid(const ResultSet &rows)
{
    QStringList hidden{QStringLiteral("id")};
    for (const QString &c : rows.columns)
        if (!consultants::gridColumns().contains(c))
            hidden << c;
    return hidden;
}
}  // namespace

moshaveran::moshaveran(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("moshaveran"));
    setWindowTitle(QStringLiteral("مشاوران"));

    city = new QComboBox(this);
    city->setEditable(true);
    rosta = new QComboBox(this);
    rosta->setEditable(true);
    moshaver = new QLineEdit(this);
    amel4_name = new QLineEdit(this);
    CheckBox1 = new FilterCheck(QStringLiteral("شهرستان"), {city}, this);
    CheckBox2 = new FilterCheck(QStringLiteral("روستا"), {rosta}, this);
    CheckBox3 = new FilterCheck(QStringLiteral("نام مشاور"), {moshaver}, this);
    CheckBox4 = new FilterCheck(QStringLiteral("کارشناس بررسي کننده"), {amel4_name}, this);
    BitBtn1 = new QPushButton(QStringLiteral("جستجو"), this);
    cnt = new QLabel(QStringLiteral("0"), this);

    DBGrid1 = new BrowserGrid(this);
    DBGrid1->setHeadings(consultants::gridHeadings());

    auto *bar = new QMenuBar(this);
    N1 = bar->addAction(QStringLiteral("ثبت"));
    N2 = bar->addAction(QStringLiteral("تکميلي"));
    N3 = bar->addAction(QStringLiteral("ويرايش"));
    N4 = bar->addAction(QStringLiteral("حذف"));
    N5 = bar->addAction(QStringLiteral("ضمائم"));
    QMenu *reports = bar->addMenu(QStringLiteral("گزارشات"));
    N6 = reports->menuAction();
    N7 = reports->addAction(QStringLiteral("اکسل"));
    N8 = reports->addAction(QStringLiteral("چاپ"));
    N9 = bar->addAction(QStringLiteral("خروج"));

    auto *filtersBox = new QGridLayout;
    int col = 0;
    for (auto [check, input] : {std::pair<QWidget *, QWidget *>{CheckBox1, city}, {CheckBox2, rosta},
                                {CheckBox3, moshaver}, {CheckBox4, amel4_name}}) {
        filtersBox->addWidget(check, 0, col);
        filtersBox->addWidget(input, 1, col);
        ++col;
    }
    filtersBox->addWidget(BitBtn1, 1, col);
    auto *count = new QHBoxLayout;
    count->addWidget(new QLabel(QStringLiteral("تعداد:"), this));
    count->addWidget(cnt);
    count->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(bar);
    layout->addLayout(filtersBox);
    layout->addLayout(count);
    layout->addWidget(DBGrid1);

    connect(BitBtn1, &QPushButton::clicked, this, &moshaveran::search);
    for (QLineEdit *e : {moshaver, amel4_name})
        connect(e, &QLineEdit::returnPressed, this, &moshaveran::search);
    connect(N1, &QAction::triggered, this, &moshaveran::registerJob);
    connect(N2, &QAction::triggered, this, &moshaveran::laterSteps);
    connect(N3, &QAction::triggered, this, &moshaveran::editJob);
    connect(N4, &QAction::triggered, this, &moshaveran::deleteJob);
    connect(N5, &QAction::triggered, this, &moshaveran::attachments);
    connect(N7, &QAction::triggered, this, &moshaveran::exportList);
    connect(N8, &QAction::triggered, this, &moshaveran::printReport);
    connect(N9, &QAction::triggered, this, &QDialog::reject);
    connect(&windows::get<moshaveran_ins>(), &moshaveran_ins::saved, this, &moshaveran::searchKeeping);
    connect(&windows::get<moshaveran_ins2>(), &moshaveran_ins2::saved, this, &moshaveran::searchKeeping);
}

void moshaveran::applyRights(const PageRights &rights)
{
    N1->setEnabled(rights.insert);
    N2->setEnabled(rights.insert);
    N3->setEnabled(rights.edit);
    N4->setEnabled(rights.remove);
    N5->setEnabled(rights.view);
    N6->setEnabled(rights.view);
}

void moshaveran::fillChoices()
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
}

void moshaveran::prepare()
{
    fillChoices();
    for (FilterCheck *c : {CheckBox1, CheckBox2, CheckBox3, CheckBox4})
        c->setChecked(false);
    for (QComboBox *box : {city, rosta})
        showStoredValue(box, {});
    moshaver->clear();
    amel4_name->clear();
    cnt->setText(QStringLiteral("0"));
    search();
}

consultants::JobFilters moshaveran::filters() const
{
    return {CheckBox1->entry(), CheckBox2->entry(), CheckBox3->entry(), CheckBox4->entry()};
}

void moshaveran::search()
{
    try {
        const Db &db = dm().main();
        const Conditions c = consultants::jobConditions(db.dialect(), filters(), session());
        const int count = consultants::countJobs(db, c);
        cnt->setText(QString::number(count));
        ResultSet rows = consultants::searchJobsPage(db, c, firstScreenRows);
        DBGrid1->setHiddenColumns(otherThanGrid(rows));
        DBGrid1->setFirstScreen(std::move(rows), count, [c] { return consultants::searchJobs(dm().main(), c); });
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void moshaveran::searchKeeping(qint64 id)
{
    search();
    DBGrid1->completeRows();
    const ResultSet shown = DBGrid1->shownRows();
    const int idColumn = shown.columnIndex(QStringLiteral("id"));
    for (int r = 0; r < shown.size(); ++r)
        if (shown.rows[size_t(r)][idColumn].toLongLong() == id) {
            DBGrid1->setCurrentIndex(DBGrid1->model()->index(r, 1));
            return;
        }
}

void moshaveran::registerJob()
{
    moshaveran_ins &entry = windows::get<moshaveran_ins>();
    entry.startNew();
    ui().execDialog(entry);
}

void moshaveran::laterSteps()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    moshaveran_ins2 &entry = windows::get<moshaveran_ins2>();
    if (entry.startLater(id.toLongLong()))
        ui().execDialog(entry);
}

void moshaveran::editJob()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    moshaveran_ins &entry = windows::get<moshaveran_ins>();
    if (entry.startEdit(id.toLongLong()))
        ui().execDialog(entry);
}

void moshaveran::deleteJob()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    try {
        const Db &db = dm().main();
        if (confirmDeletePassword(db)) {
            const consultants::JobDependents d = consultants::jobDependents(db, id.toLongLong());
            if (ui().question(consultants::deleteQuestion(d))) {
                reportDelete(consultants::deleteJob(db, id.toLongLong(), session().karbar));
            }
        }
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
    search();
}

void moshaveran::attachments()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    AttachmentContext context;
    context.ownerId = id.toLongLong();
    openAttachments(attachment::moshaveran_pic(), context);
}

void moshaveran::exportList()
{
    DBGrid1->completeRows();
    DBGrid1->exportList(consultants::exportHeadings());
}

void moshaveran::printReport()
{
    DBGrid1->completeRows();
    report::runFill([&] { consultants::progressReport(DBGrid1->shownRows(), report::today()).preview(); });
}

}  // namespace bv
