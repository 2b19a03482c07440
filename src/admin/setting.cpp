#include "setting.h"

#include "browsergrid.h"
#include "dm.h"
#include "rowguard.h"
#include "interaction.h"
#include "lookupedit.h"
#include "widgets.h"

#include <QAction>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace bv {

namespace {
const QString emptyItem = QStringLiteral("لطفا مقدار مناسب را وارد نماييد");
const QString duplicateItem = QStringLiteral("تكراري است");
}  // namespace

setting::setting(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("setting"));
    setWindowTitle(QStringLiteral("تنظيمات"));

    component = new QComboBox(this);
    component->addItems(lookupTitles());
    component->setCurrentIndex(-1);
    cmt = new QLineEdit(this);
    ins_btn = new QPushButton(QStringLiteral("ثبت"), this);
    DBGrid1 = new BrowserGrid(this);
    DBGrid1->setHiddenColumns({QStringLiteral("id")});
    DBGrid1->setHeadings({{QStringLiteral("component"), QStringLiteral("عنوان")},
                          {QStringLiteral("cmt"), QStringLiteral("شرح")}});
    DBGrid1->setContextMenuPolicy(Qt::ActionsContextMenu);
    deleteAction = new QAction(QStringLiteral("حذف"), DBGrid1);
    DBGrid1->addAction(deleteAction);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("انتخاب عنوان"), component);
    form->addRow(QStringLiteral("ثبت توضيح جديد براي عنوان انتخاب شده"), cmt);
    form->addRow(ins_btn);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(DBGrid1);

    connect(component, &QComboBox::currentIndexChanged, this, &setting::listTitle);
    connect(ins_btn, &QPushButton::clicked, this, &setting::registerItem);
    connect(cmt, &QLineEdit::returnPressed, this, &setting::registerItem);
    connect(deleteAction, &QAction::triggered, this, &setting::deleteItem);
}

void setting::applyRights(const PageRights &rights)
{
    ins_btn->setEnabled(rights.insert);
    deleteAction->setEnabled(rights.remove);
}

void setting::prepare()
{
    component->blockSignals(true);
    component->setCurrentIndex(-1);
    component->blockSignals(false);
    cmt->clear();
    try {
        DBGrid1->setRows(lookupRows(dm().main(), false));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void setting::listTitle()
{
    if (component->currentIndex() < 0)
        return;
    try {
        DBGrid1->setRows(lookupRowsLike(dm().main(), component->currentText()));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void setting::registerItem()
{
    if (!ins_btn->isEnabled())
        return;
    LookupAdd result;
    try {
        result = addLookupItem(dm().main(), component->currentText(), typedText(cmt));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    switch (result) {
    case LookupAdd::Empty: ui().message(emptyItem); break;
    case LookupAdd::Duplicate: ui().message(duplicateItem); break;
    case LookupAdd::Added:
        ui().message(QStringLiteral("ثبت شد"));
        listTitle();
        break;
    }
    cmt->setFocus();
}

void setting::deleteItem()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    try {
        const Db &db = dm().main();
        // Another clerk may have deleted it since the list was shown.
        reportDelete(removeLookupItem(db, DBGrid1->currentValue(QStringLiteral("component")).toString(),
                                      DBGrid1->currentValue(QStringLiteral("cmt")).toString())
                     > 0);
        DBGrid1->setRows(lookupRows(db, true));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

}  // namespace bv
