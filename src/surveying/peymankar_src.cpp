#include "peymankar_src.h"

#include "attachment_window.h"
#include "attachments.h"
#include "browsergrid.h"
#include "contractor_filters.h"
#include "contractors.h"
#include "dm.h"
#include "interaction.h"
#include "rowguard.h"
#include "peymankar_ins.h"
#include "windows.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace bv {

namespace {
const Headings gridHeadings = {
    {"typ", QStringLiteral("نوع")}, {"lname", QStringLiteral("نام خانوادگي")}, {"fname", QStringLiteral("نام")},
    {"comp_name", QStringLiteral("نام شرکت")}, {"father", QStringLiteral("نام پدر")},
    {"sh_no", QStringLiteral("شماره شناسنامه")}, {"nation", QStringLiteral("کد ملي")},
    {"birthday", QStringLiteral("تاريخ تولد")}, {"zipcode", QStringLiteral("کدپستي")},
    {"sodor", QStringLiteral("محل صدور")}, {"degree", QStringLiteral("مدرک تحصيلي")}, {"adr", QStringLiteral("آدرس")},
    {"bank", QStringLiteral("بانک")}, {"shobe", QStringLiteral("شعبه")}, {"hesab_no", QStringLiteral("شماره حساب")},
    {"mobile", QStringLiteral("موبايل")}, {"phone", QStringLiteral("تلفن ثابت")},
    {"comp_dat", QStringLiteral("تاريخ ثبت شرکت")}, {"comp_loc", QStringLiteral("محل ثبت شرکت")},
    {"comp_adr", QStringLiteral("محل کار شرکت")}, {"comp_no", QStringLiteral("شماره ثبت شرکت")},
    {"comp_shenase", QStringLiteral("شناسه ملي شرکت")}, {"tamin_shahr", QStringLiteral("شهر تامين اجتماعي")},
    {"tamin_shobe", QStringLiteral("شعبه تامين اجتماعي")}, {"pic_count", QStringLiteral("تعداد ضمائم")},
    {"eghtesadi_cod", QStringLiteral("کد اقتصادي")},
};
}  // namespace

peymankar_src::peymankar_src(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("peymankar_src"));
    setWindowTitle(QStringLiteral("ليست پيمانکاران"));
    filters = new ContractorFilters(survey::contractorTables, this);
    src_btn = new QPushButton(QStringLiteral("جستجو"), this);
    cnt = new QLabel(QStringLiteral("0"), this);
    DBGrid1 = new BrowserGrid(this);
    DBGrid1->setHeadings(gridHeadings);
    DBGrid1->setHiddenColumns({QStringLiteral("id")});
    DBGrid1->setRowColour(&contractorRowColour);

    auto *bar = new QMenuBar(this);
    N1 = bar->addAction(QStringLiteral("ثبت"));
    N2 = bar->addAction(QStringLiteral("ويرايش"));
    N3 = bar->addAction(QStringLiteral("حذف"));
    N4 = bar->addAction(QStringLiteral("ضمائم"));
    QMenu *reports = bar->addMenu(QStringLiteral("گزارشات"));
    N17 = reports->addAction(QStringLiteral("اکسل"));
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

    connect(filters, &ContractorFilters::searchRequested, this, &peymankar_src::search);
    connect(src_btn, &QPushButton::clicked, this, &peymankar_src::search);
    connect(N1, &QAction::triggered, this, &peymankar_src::newContractor);
    connect(N2, &QAction::triggered, this, &peymankar_src::editContractor);
    connect(N3, &QAction::triggered, this, &peymankar_src::deleteContractor);
    connect(N4, &QAction::triggered, this, &peymankar_src::attachments);
    connect(N17, &QAction::triggered, this, &peymankar_src::exportList);
    connect(N6, &QAction::triggered, this, &QDialog::reject);
    connect(&windows::get<peymankar_ins>(), &peymankar_ins::saved, this, &peymankar_src::search);
}

void peymankar_src::applyRights(const PageRights &rights)
{
    N1->setEnabled(rights.insert);
    N2->setEnabled(rights.edit);
    N3->setEnabled(rights.remove);
    N4->setEnabled(rights.view);
    N17->setEnabled(rights.view);
}

bool peymankar_src::openChecked()
{
    try {
        const std::optional<PageRights> rights = pageRights(dm().main(), session().prsId, QStringLiteral("peymankar"));
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
    cnt->setText(QStringLiteral("0"));
    filters->reset();
    search();
    ui().execDialog(*this);
    return true;
}

void peymankar_src::search()
{
    filters->search(cnt, DBGrid1, &browseContractors);
}

void peymankar_src::newContractor()
{
    peymankar_ins &entry = windows::get<peymankar_ins>();
    entry.startNew();
    ui().execDialog(entry);
}

void peymankar_src::editContractor()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    peymankar_ins &entry = windows::get<peymankar_ins>();
    entry.startEdit(id.toLongLong(), DBGrid1->currentRow());
    ui().execDialog(entry);
}

void peymankar_src::deleteContractor()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    bool found = false;
    try {
        const Db &db = dm().main();
        if (!confirmDeletePassword(db)) {
            search();
            return;
        }
        const int projects = survey::projectsOfContractor(db, id.toLongLong());
        if (projects > 0
            && !ui().question(QStringLiteral("%1 پروژه نقشه برداري به اين پيمانکار مربوط است. آيا حذف شود؟").arg(projects))) {
            search();
            return;
        }
        found = survey::deleteContractor(db, id.toLongLong(),
                                     DBGrid1->currentValue(QStringLiteral("lname")).toString(), session().karbar);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    reportDelete(found);
    search();
}

void peymankar_src::attachments()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    AttachmentContext context;
    context.ownerId = id.toLongLong();
    openAttachments(attachment::peymankar_pic(), context);
    search();
}

void peymankar_src::exportList()
{
    DBGrid1->exportList(contractorExportHeadings());
}

}  // namespace bv
