#include "borvinat_barnameha.h"

#include "borvinat_side.h"
#include "browsergrid.h"
#include "dm.h"
#include "interaction.h"
#include "rowguard.h"
#include "lookuplists.h"
#include "widgets.h"

#include <QAction>
#include <QComboBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace bv {

borvinat_barnameha::borvinat_barnameha(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("borvinat_barnameha"));
    setWindowTitle(QStringLiteral("ليست برنامه ها /پروژه هاي دستگاه هاي اجرايي"));
    setLayoutDirection(Qt::RightToLeft);
    cmt = new QComboBox(this);
    org = new QComboBox(this);
    for (QComboBox *c : {cmt, org})
        c->setEditable(true);
    ins_btn = new QPushButton(QStringLiteral("ثبت"), this);
    DBGrid1 = new BrowserGrid(this);
    DBGrid1->setHeadings({{"cmt", QStringLiteral("نام برنامه/پروژه")}, {"org", QStringLiteral("نام دستگاه اجرايي")}});
    DBGrid1->setHiddenColumns({QStringLiteral("id")});
    DBGrid1->setContextMenuPolicy(Qt::ActionsContextMenu);
    N1 = new QAction(QStringLiteral("حذف"), DBGrid1);
    DBGrid1->addAction(N1);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("نام برنامه/پروژه"), cmt);
    form->addRow(QStringLiteral("نام دستگاه اجرايي"), org);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(ins_btn);
    layout->addWidget(DBGrid1);
    connect(ins_btn, &QPushButton::clicked, this, &borvinat_barnameha::add);
    connect(N1, &QAction::triggered, this, &borvinat_barnameha::deleteCurrent);
}

void borvinat_barnameha::prepare(qint64 study)
{
    study_ = study;
    try {
        const Db &db = dm().main();
        refillChoices(cmt, lookupItemsSorted(db, QStringLiteral("برنامه هاي دستگاه هاي اجرايي")));
        refillChoices(org, lookupItemsSorted(db, QStringLiteral("دستگاه هاي اجرايي")));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
    cmt->setCurrentText(QString());
    org->setCurrentText(QString());
    refresh();
}

void borvinat_barnameha::refresh()
{
    try {
        DBGrid1->setRows(studies::programmes(dm().main(), study_));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void borvinat_barnameha::add()
{
    try {
        if (studies::addProgramme(dm().main(), study_, typedText(cmt), typedText(org)) == studies::AddOutcome::Duplicate) {
            ui().message(QStringLiteral("خطا! تکراريست"));
            return;
        }
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    ui().message(QStringLiteral("ثبت شد"));
    refresh();
}

void borvinat_barnameha::deleteCurrent()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    showStoredValue(cmt, DBGrid1->currentValue(QStringLiteral("cmt")).toString());
    showStoredValue(org, DBGrid1->currentValue(QStringLiteral("org")).toString());
    bool found = false;
    try {
        found = studies::deleteProgramme(dm().main(), id.toLongLong());
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    reportDelete(found);
    refresh();
}

}  // namespace bv
