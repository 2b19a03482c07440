#include "sabt_src.h"

#include "attachment_window.h"
#include "attachments.h"
#include "browsergrid.h"
#include "dm.h"
#include "document.h"
#include "filters.h"
#include "fillsteps.h"
#include "interaction.h"
#include "rowguard.h"
#include "sabt_agreement.h"
#include "sabt_ins.h"
#include "sabti_mokatebat.h"
#include "sabti_peyman.h"
#include "sabti_peyman_ins.h"
#include "windows.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace bv {

namespace {
QComboBox *editableCombo(QWidget *parent)
{
    auto *c = new QComboBox(parent);
    c->setEditable(true);
    return c;
}

// New items keep what the user has typed.
void fillCombo(QComboBox *combo, const QStringList &items)
{
    const QString text = combo->currentText();
    const QSignalBlocker block(combo);
    combo->clear();
    combo->addItems(items);
    combo->setEditText(text);
}
}  // namespace

sabt_src::sabt_src(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("sabt_src"));
    setWindowTitle(QStringLiteral("ثبتي"));
    setLayoutDirection(Qt::RightToLeft);

    city = editableCombo(this);
    rosta = editableCombo(this);
    peymankar = editableCombo(this);
    prot_no = new QLineEdit(this);
    tamin_sal = new QLineEdit(this);
    list_city = new FilterList(QStringLiteral("شهرستان"), city, QStringLiteral("حذف شهرستان"), this);
    list_rosta = new FilterList(QStringLiteral("روستا"), rosta, QStringLiteral("حذف روستا"), this);
    list_peymankar = new FilterList(QStringLiteral("پيمانکار"), peymankar, QStringLiteral("حذف"), this);
    list_prot_no = new FilterList(QStringLiteral("شماره قرارداد"), prot_no, QStringLiteral("حذف"), this);
    CheckBox5 = new FilterCheck(QStringLiteral("سال تامين اعتبار"), {tamin_sal}, this);
    BitBtn1 = new QPushButton(QStringLiteral("جستجو"), this);
    selectionCheck = new SelectionCheck(this);
    cnt = new QLabel(QStringLiteral("0"), this);

    DBGrid1 = new BrowserGrid(this);
    DBGrid1->setHeadings(sabt::jobHeadings());
    DBGrid1->setHiddenColumns(sabt::hiddenJobColumns());
    DBGrid1->setMoneyColumns(sabt::jobMoneyColumns());

    auto *bar = new QMenuBar(this);
    N1 = bar->addAction(QStringLiteral("ثبت"));
    N2 = bar->addAction(QStringLiteral("ويرايش"));
    N3 = bar->addAction(QStringLiteral("حذف"));
    N4 = bar->addAction(QStringLiteral("ضمائم"));
    QMenu *forms = bar->addMenu(QStringLiteral("فرم ها"));
    N5 = forms->menuAction();
    QMenu *agreement = forms->addMenu(QStringLiteral("موافقت نامه"));
    for (const sabt::AgreementPage &page : sabt::agreementPages()) {
        QAction *item = agreement->addAction(page.caption);
        item->setObjectName(page.templateName);
        connect(item, &QAction::triggered, this, [this, name = page.templateName] { showAgreementPage(name); });
        agreementItems << item;
    }
    QMenu *reports = bar->addMenu(QStringLiteral("گزارشات"));
    N6 = reports->menuAction();
    N7 = reports->addAction(QStringLiteral("اکسل"));
    N8 = bar->addAction(QStringLiteral("پيمانکاران"));
    N9 = bar->addAction(QStringLiteral("مکاتبات"));
    N10 = bar->addAction(QStringLiteral("مستندات"));
    N11 = bar->addAction(QStringLiteral("خروج"));

    auto *filtersBox = new QGridLayout;
    int col = 0;
    for (FilterList *l : {list_city, list_rosta, list_peymankar, list_prot_no}) {
        auto *addRow = new QHBoxLayout;
        addRow->addWidget(l->add);
        addRow->addWidget(l->show);
        filtersBox->addWidget(l->check, 0, col);
        filtersBox->addWidget(l->input, 1, col);
        filtersBox->addLayout(addRow, 2, col);
        filtersBox->addWidget(l->list, 3, col);
        ++col;
    }
    filtersBox->addWidget(CheckBox5, 0, col);
    filtersBox->addWidget(tamin_sal, 1, col++);
    filtersBox->addWidget(BitBtn1, 1, col);

    auto *count = new QHBoxLayout;
    count->addWidget(new QLabel(QStringLiteral("تعداد:"), this));
    count->addWidget(cnt);
    count->addStretch();
    count->addWidget(selectionCheck);

    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(bar);
    layout->addLayout(filtersBox);
    layout->addLayout(count);
    layout->addWidget(DBGrid1);

    connect(BitBtn1, &QPushButton::clicked, this, &sabt_src::search);
    connect(DBGrid1, &QAbstractItemView::doubleClicked, this,
            [this] { list_rosta->append(DBGrid1->currentValue(QStringLiteral("rosta")).toString()); });
    connect(N1, &QAction::triggered, this, &sabt_src::registerJob);
    connect(N2, &QAction::triggered, this, &sabt_src::editJob);
    connect(N3, &QAction::triggered, this, &sabt_src::deleteJob);
    connect(N4, &QAction::triggered, this, &sabt_src::attachments);
    connect(N7, &QAction::triggered, this, &sabt_src::exportList);
    connect(N8, &QAction::triggered, this, &sabt_src::contractors);
    connect(N9, &QAction::triggered, this, &sabt_src::letters);
    connect(N10, &QAction::triggered, this, &sabt_src::documents);
    connect(N11, &QAction::triggered, this, &QDialog::reject);
    // A job or contractor written elsewhere shows in the list at once.
    connect(&windows::get<sabt_ins>(), &sabt_ins::registered, this, &sabt_src::search);
    connect(&windows::get<sabti_peyman_ins>(), &sabti_peyman_ins::saved, this, &sabt_src::search);
}

void sabt_src::applyRights(const PageRights &rights)
{
    N1->setEnabled(rights.insert);
    N2->setEnabled(rights.edit);
    N3->setEnabled(rights.remove);
    for (QAction *a : {N5, N6, N8})
        a->setEnabled(rights.view);
}

void sabt_src::prepare()
{
    if (QWidget *main = QApplication::activeWindow(); main && main != this)
        resize(main->width() - 30, main->height() - 50);
    cnt->setText(QStringLiteral("0"));
    selectionCheck->drop();
    for (QComboBox *c : {city, rosta, peymankar})
        c->setEditText(QString());
    prot_no->clear();
    tamin_sal->clear();
    fillChoices();
    search();
}

void sabt_src::fillChoices()
{
    try {
        const Db &db = dm().main();
        fillCombo(city, sabt::countyItems(db));
        fillCombo(rosta, sabt::villageItems(db));
        fillCombo(peymankar, sabt::contractorItems(db));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

sabt::JobFilters sabt_src::filters() const
{
    sabt::JobFilters f;
    f.city = list_city->entries();
    f.rosta = list_rosta->entries();
    f.peymankar = list_peymankar->entries();
    f.prot_no = list_prot_no->entries();
    f.tamin_sal = CheckBox5->entry();
    if (selectionCheck->isChecked())
        f.selection = selection_;
    return f;
}

void sabt_src::showSelection(const sabt::JobSelection &selection)
{
    selection_ = selection;
    selectionCheck->showSelection(selection.caption);
    fillChoices();
    search();
}

void sabt_src::search()
{
    try {
        const Db &db = dm().main();
        const Conditions c = sabt::jobConditions(db.dialect(), filters());
        const int count = sabt::jobCount(db, c);
        DBGrid1->setFirstScreen(sabt::jobListPage(db, c, firstScreenRows), count,
                                [c] { return sabt::jobList(dm().main(), c); });
        cnt->setText(QString::number(count));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

QString sabt_src::currentCode() const
{
    return DBGrid1->currentValue(QStringLiteral("cod")).toString();
}

void sabt_src::registerJob()
{
    sabt_ins &entry = windows::get<sabt_ins>();
    entry.startNew();
    ui().execDialog(entry);
}

void sabt_src::editJob()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    sabt_ins &entry = windows::get<sabt_ins>();
    if (!entry.startEdit(id.toLongLong()))
        return;
    ui().execDialog(entry);
    search();
}

void sabt_src::deleteJob()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    try {
        const Db &db = dm().main();
        if (confirmDeletePassword(db)
            && ui().question(sabt::lettersStayQuestion(sabt::lettersOfJob(db, id.toLongLong())))) {
            reportDelete(sabt::deleteJob(db, id.toLongLong(), session().karbar));
        }
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
    search();
}

void sabt_src::attachments()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    AttachmentContext context;
    context.ownerId = id.toLongLong();
    context.jobCode = currentCode();
    openAttachments(attachment::sabti_pic(), context);
}

void sabt_src::documents()
{
    AttachmentContext context;
    context.jobCode = currentCode();
    openAttachments(attachment::sabti_mostanadat(), context);
}

void sabt_src::contractors()
{
    windows::get<sabti_peyman>().browse(currentCode());
}

void sabt_src::letters()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    windows::get<sabti_mokatebat>().openFor(id.toLongLong());
}

void sabt_src::exportList()
{
    DBGrid1->completeRows();
    DBGrid1->exportList(sabt::jobExportHeadings());
}

void sabt_src::showAgreementPage(const QString &templateName)
{
    report::runFill([&] { report::Document::load(templateName).preview(); });
}

}  // namespace bv
