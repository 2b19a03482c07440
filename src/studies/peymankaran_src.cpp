#include "peymankaran_src.h"

#include "attachment_window.h"
#include "attachments.h"
#include "browsergrid.h"
#include "contractor_filters.h"
#include "dm.h"
#include "interaction.h"
#include "rowguard.h"
#include "peymankaran.h"
#include "peymankaran_ins.h"
#include "windows.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace bv {

peymankaran_src::peymankaran_src(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("peymankaran_src"));
    setWindowTitle(QStringLiteral("پيمانکاران مطالعات"));
    filters = new ContractorFilters(study::contractorTables, this);
    src_btn = new QPushButton(QStringLiteral("جستجو"), this);
    cnt = new QLabel(QStringLiteral("0"), this);
    DBGrid1 = new BrowserGrid(this);
    DBGrid1->setHeadings({
        {"typ", QStringLiteral("نوع")}, {"lname", QStringLiteral("نام خانوادگي")}, {"fname", QStringLiteral("نام")},
        {"comp_name", QStringLiteral("نام شرکت")}, {"father", QStringLiteral("نام پدر")},
        {"sh_no", QStringLiteral("شماره شناسنامه")}, {"nation", QStringLiteral("کد ملي")},
        {"birthday", QStringLiteral("تاريخ تولد")}, {"zipcode", QStringLiteral("کدپستي")},
        {"sodor", QStringLiteral("محل صدور")}, {"degree", QStringLiteral("مدرک تحصيلي")},
        {"degree_dat", QStringLiteral("تاريخ اخذ مدرک")}, {"adr", QStringLiteral("آدرس")},
        {"bank", QStringLiteral("بانک")}, {"shobe", QStringLiteral("شعبه")}, {"hesab_no", QStringLiteral("شماره حساب")},
        {"mobile", QStringLiteral("موبايل")}, {"phone", QStringLiteral("تلفن ثابت")},
        {"comp_dat", QStringLiteral("تاريخ ثبت شرکت")}, {"comp_loc", QStringLiteral("محل ثبت شرکت")},
        {"comp_adr", QStringLiteral("محل کار شرکت")}, {"comp_no", QStringLiteral("شماره ثبت شرکت")},
        {"comp_shenase", QStringLiteral("شناسه ثبتي شرکت")}, {"comp_rotbe", QStringLiteral("رتبه شرکت")},
        {"comp_etebar_dat", QStringLiteral("تاريخ اعتبار گريد شرکت")},
        {"comp_eghtesadi_cod", QStringLiteral("کد اقتصادي شرکت")},
        {"taminejtemaei", QStringLiteral("شعبه تامين اجتماعي")}, {"pic_count", QStringLiteral("تعداد ضمائم")},
    });
    DBGrid1->setHiddenColumns({QStringLiteral("id")});
    DBGrid1->setRowColour(&contractorRowColour);

    auto *bar = new QMenuBar(this);
    N1 = bar->addAction(QStringLiteral("ثبت"));
    N2 = bar->addAction(QStringLiteral("ويرايش"));
    N3 = bar->addAction(QStringLiteral("حذف"));
    N4 = bar->addAction(QStringLiteral("ضمائم"));
    QMenu *reports = bar->addMenu(QStringLiteral("گزارشات"));
    N15 = reports->menuAction();
    N16 = reports->addAction(QStringLiteral("وب"));
    N17 = reports->addAction(QStringLiteral("اکسل"));
    N5 = bar->addAction(QStringLiteral("ساخت نام کاربري"));
    N6 = bar->addAction(QStringLiteral("خروج"));

    auto *top = new QHBoxLayout;
    top->addWidget(filters);
    top->addWidget(src_btn);
    top->addWidget(new QLabel(QStringLiteral("تعداد:"), this));
    top->addWidget(cnt);
    top->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(bar);
    layout->addLayout(top);
    layout->addWidget(DBGrid1);

    connect(filters, &ContractorFilters::searchRequested, this, &peymankaran_src::search);
    connect(src_btn, &QPushButton::clicked, this, &peymankaran_src::search);
    connect(N1, &QAction::triggered, this, &peymankaran_src::newContractor);
    connect(N2, &QAction::triggered, this, &peymankaran_src::editContractor);
    connect(N3, &QAction::triggered, this, &peymankaran_src::deleteContractor);
    connect(N4, &QAction::triggered, this, &peymankaran_src::attachments);
    connect(N17, &QAction::triggered, this, &peymankaran_src::exportList);
    connect(N5, &QAction::triggered, this, &peymankaran_src::createAccounts);
    connect(N6, &QAction::triggered, this, &QDialog::reject);
    connect(&windows::get<peymankaran_ins>(), &peymankaran_ins::saved, this, &peymankaran_src::search);
}

void peymankaran_src::applyRights(const PageRights &rights)
{
    N1->setEnabled(rights.insert);
    N2->setEnabled(rights.edit);
    N3->setEnabled(rights.remove);
    N4->setEnabled(rights.view);
    N15->setEnabled(rights.view);
}

bool peymankaran_src::openChecked()
{
    try {
        const std::optional<PageRights> rights = pageRights(dm().main(), session().prsId, QStringLiteral("peymankaran"));
        if (rights)
            applyRights(*rights);
        if (!rights || !rights->view) {
            ui().message(noAccessMessage);
            return false;
        }
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return false;
    }
    prepare();
    ui().execDialog(*this);
    return true;
}

void peymankaran_src::prepare()
{
    try {
        applyRights(pageRights(dm().main(), session().prsId, QStringLiteral("peymankaran")).value_or(PageRights{}));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
    cnt->setText(QStringLiteral("0"));
    filters->reset();
    search();
}

void peymankaran_src::search()
{
    filters->search(cnt, DBGrid1, &browseContractors);
}

void peymankaran_src::newContractor()
{
    peymankaran_ins &entry = windows::get<peymankaran_ins>();
    entry.startNew();
    ui().execDialog(entry);
}

void peymankaran_src::editContractor()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    peymankaran_ins &entry = windows::get<peymankaran_ins>();
    entry.startEdit(id.toLongLong(), DBGrid1->currentRow());
    ui().execDialog(entry);
}

void peymankaran_src::deleteContractor()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    bool found = false;
    try {
        const Db &db = dm().main();
        const bool confirmed = confirmDeletePassword(db);
        const int studies = confirmed ? study::studiesOfContractor(db, id.toLongLong()) : 0;
        if (!confirmed
            || (studies > 0
                && !ui().question(QStringLiteral("%1 مطالعه به اين پيمانکار مربوط است. آيا حذف شود؟").arg(studies)))) {
            search();
            return;
        }
        found = study::deleteContractor(db, id.toLongLong(),
                                     DBGrid1->currentValue(QStringLiteral("lname")).toString(), session().karbar);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    reportDelete(found);
    search();
}

void peymankaran_src::attachments()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    AttachmentContext context;
    context.ownerId = id.toLongLong();
    openAttachments(attachment::peymankaran_pic(), context);
    search();
}

void peymankaran_src::exportList()
{
    DBGrid1->exportList(contractorExportHeadings());
}

void peymankaran_src::createAccounts()
{
    if (!study::mayCreateAccounts(session())) {
        ui().message(noAccessMessage);
        return;
    }
    try {
        study::createContractorAccounts(dm().main());
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

}  // namespace bv
