#include "sabti_peyman.h"

#include "attachment_window.h"
#include "attachments.h"
#include "browsergrid.h"
#include "dm.h"
#include "filters.h"
#include "interaction.h"
#include "rowguard.h"
#include "sabti_contractors.h"
#include "sabti_peyman_ins.h"
#include "session.h"
#include "windows.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace bv {

namespace {
const QString allKinds = QStringLiteral("همه");
}

sabti_peyman::sabti_peyman(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("sabti_peyman"));
    setWindowTitle(QStringLiteral("پيمانکاران ثبتي"));
    typ = new QComboBox(this);
    typ->addItems({sabt::naturalPerson, sabt::legalPerson, allKinds});
    typ->setCurrentIndex(2);
    lname = new QLineEdit(this);
    company = new QLineEdit(this);
    CheckBox1 = new FilterCheck(QStringLiteral("نام خانوادگي"), {lname}, this);
    CheckBox2 = new FilterCheck(QStringLiteral("نام شرکت"), {company}, this);
    src_btn = new QPushButton(QStringLiteral("جستجو"), this);
    DBGrid1 = new BrowserGrid(this);
    DBGrid1->setHeadings({
        {"typ", QStringLiteral("نوع")}, {"fname", QStringLiteral("نام")}, {"lname", QStringLiteral("نام خانوادگي")},
        {"company", QStringLiteral("نام شرکت")}, {"father", QStringLiteral("نام پدر")},
        {"nation", QStringLiteral("کد ملي")}, {"email", QStringLiteral("پست الکترونيک")},
        {"madrak", QStringLiteral("مدرک تحصيلي")}, {"reshte", QStringLiteral("رشته تحصيلي")},
        {"mobile", QStringLiteral("تلفن همراه")}, {"tel", QStringLiteral("تلفن ثابت")},
        {"nezam", QStringLiteral("شماره نظام مهندسي")}, {"cod_sabti", QStringLiteral("يوزر ثبتي شميم")},
        {"model", QStringLiteral("مدل دستگاه")}, {"serial", QStringLiteral("سريال دستگاه")},
        {"adr", QStringLiteral("آدرس")}, {"hesab_no", QStringLiteral("شماره حساب")},
        {"sodor", QStringLiteral("محل صدور")}, {"sh_no", QStringLiteral("شماره شناسنامه")},
        {"zipcode", QStringLiteral("کدپستي")}, {"birthday", QStringLiteral("تاريخ تولد")},
        {"bank", QStringLiteral("بانک")}, {"shobe", QStringLiteral("شعبه")},
        {"comp_name", QStringLiteral("نام شرکت")}, {"comp_dat", QStringLiteral("تاريخ ثبت")},
        {"comp_loc", QStringLiteral("محل ثبت")}, {"comp_adr", QStringLiteral("محل کار")},
        {"comp_no", QStringLiteral("شماره ثبت")}, {"comp_shenase", QStringLiteral("شناسه ملي")},
        {"eghtesadi_cod", QStringLiteral("کد اقتصادي")}, {"tamin_shahr", QStringLiteral("شهرستان")},
        {"tamin_shobe", QStringLiteral("شعبه تامين اجتماعي")},
    });
    // The portal password is shown in the entry window only.
    DBGrid1->setHiddenColumns({QStringLiteral("id"), QStringLiteral("cod_karbari")});

    auto *bar = new QMenuBar(this);
    N1 = bar->addAction(QStringLiteral("ثبت"));
    N2 = bar->addAction(QStringLiteral("ويرايش"));
    N3 = bar->addAction(QStringLiteral("حذف"));
    N4 = bar->addAction(QStringLiteral("ضمائم"));
    N5 = bar->addAction(QStringLiteral("خروج"));

    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("نوع"), this));
    top->addWidget(typ);
    top->addWidget(CheckBox1);
    top->addWidget(lname);
    top->addWidget(CheckBox2);
    top->addWidget(company);
    top->addWidget(src_btn);
    top->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(bar);
    layout->addLayout(top);
    layout->addWidget(DBGrid1);

    connect(src_btn, &QPushButton::clicked, this, &sabti_peyman::search);
    connect(lname, &QLineEdit::returnPressed, this, &sabti_peyman::search);
    connect(company, &QLineEdit::returnPressed, this, &sabti_peyman::search);
    connect(N1, &QAction::triggered, this, &sabti_peyman::newContractor);
    connect(N2, &QAction::triggered, this, &sabti_peyman::editContractor);
    connect(N3, &QAction::triggered, this, &sabti_peyman::deleteContractor);
    connect(N4, &QAction::triggered, this, &sabti_peyman::attachments);
    connect(N5, &QAction::triggered, this, &QDialog::reject);
    connect(DBGrid1, &QAbstractItemView::doubleClicked, this, &sabti_peyman::pickCurrent);
    connect(&windows::get<sabti_peyman_ins>(), &sabti_peyman_ins::saved, this, &sabti_peyman::search);
}

void sabti_peyman::open(const QString &jobCode)
{
    jobCode_ = jobCode;
    picked_.reset();
    lname->clear();
    company->clear();
    search();
    ui().execDialog(*this);
}

void sabti_peyman::browse(const QString &jobCode)
{
    picking_ = false;
    open(jobCode);
}

std::optional<ChosenContractor> sabti_peyman::pick(const QString &jobCode)
{
    picking_ = true;
    open(jobCode);
    picking_ = false;
    return picked_;
}

void sabti_peyman::search()
{
    sabt::ContractorFilter f;
    if (typ->currentIndex() < 2)
        f.kind = typ->currentText();
    f.lname = CheckBox1->entry();
    f.company = CheckBox2->entry();
    try {
        DBGrid1->setRows(sabt::searchContractors(dm().main(), f));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void sabti_peyman::newContractor()
{
    sabti_peyman_ins &entry = windows::get<sabti_peyman_ins>();
    entry.startNew();
    ui().execDialog(entry);
}

void sabti_peyman::editContractor()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    sabti_peyman_ins &entry = windows::get<sabti_peyman_ins>();
    entry.startEdit(id.toLongLong(), DBGrid1->currentRow());
    ui().execDialog(entry);
}

void sabti_peyman::deleteContractor()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    bool found = false;
    try {
        const Db &db = dm().main();
        if (!confirmDeletePassword(db))
            return;
        const int jobs = sabt::jobsOfContractor(db, id.toLongLong());
        if (jobs > 0
            && !ui().question(QStringLiteral("%1 کار ثبتي به اين پيمانکار مربوط است. آيا حذف شود؟").arg(jobs)))
            return;
        found = sabt::deleteContractor(db, id.toLongLong(),
                                     DBGrid1->currentValue(QStringLiteral("lname")).toString(), session().karbar);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    reportDelete(found);
    search();
}

void sabti_peyman::attachments()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    AttachmentContext context;
    context.ownerId = id.toLongLong();
    context.jobCode = jobCode_;
    openAttachments(attachment::sabti_peyman_pic(), context);
}

void sabti_peyman::pickCurrent()
{
    if (!picking_)
        return;
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    picked_ = ChosenContractor{id.toLongLong(), sabt::contractorDisplayName(DBGrid1->currentRow())};
    accept();
}

}  // namespace bv
