#include "phone.h"

#include "browsergrid.h"
#include "dm.h"
#include "interaction.h"
#include "phonebook.h"
#include "widgets.h"

#include <QAction>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace bv {

phone::phone(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("phone"));
    setWindowTitle(QStringLiteral("دفترچه تلفن"));

    name = new QLineEdit(this);
    tel = new QLineEdit(this);
    cmt = new QLineEdit(this);
    ins_btn = new QPushButton(QStringLiteral("ثبت"), this);
    search_by = new QComboBox(this);
    search_by->addItems({QStringLiteral("نام"), QStringLiteral("تلفن"), QStringLiteral("شرح")});
    src = new QLineEdit(this);
    cnt = new QLabel(QStringLiteral("0"), this);
    DBGrid1 = new BrowserGrid(this);
    DBGrid1->setHiddenColumns({QStringLiteral("id")});
    DBGrid1->setHeadings({{QStringLiteral("name"), QStringLiteral("نام")},
                          {QStringLiteral("tel"), QStringLiteral("تلفن")},
                          {QStringLiteral("cmt"), QStringLiteral("شرح")}});
    DBGrid1->setContextMenuPolicy(Qt::ActionsContextMenu);
    deleteAction = new QAction(QStringLiteral("حذف"), DBGrid1);
    DBGrid1->addAction(deleteAction);

    auto *entry = new QFormLayout;
    entry->addRow(QStringLiteral("نام"), name);
    entry->addRow(QStringLiteral("تلفن"), tel);
    entry->addRow(QStringLiteral("شرح"), cmt);
    entry->addRow(ins_btn);
    auto *searchRow = new QHBoxLayout;
    searchRow->addWidget(new QLabel(QStringLiteral("جستجو بر اساس"), this));
    searchRow->addWidget(search_by);
    searchRow->addWidget(src, 1);
    searchRow->addWidget(cnt);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(entry);
    layout->addLayout(searchRow);
    layout->addWidget(DBGrid1);

    connect(src, &QLineEdit::textChanged, this, &phone::search);
    connect(search_by, &QComboBox::currentIndexChanged, this, &phone::search);
    connect(ins_btn, &QPushButton::clicked, this, &phone::registerEntry);
    connect(deleteAction, &QAction::triggered, this, &phone::deleteEntry);
}

void phone::applyRights(const PageRights &rights)
{
    ins_btn->setEnabled(rights.insert);
    deleteAction->setEnabled(rights.remove);
}

void phone::prepare()
{
    for (QLineEdit *box : {name, tel, cmt})
        box->clear();
    src->blockSignals(true);
    src->clear();
    src->blockSignals(false);
    search();
}

void phone::search()
{
    const auto field = PhoneField(std::max(0, search_by->currentIndex()));
    try {
        const Db &db = dm().main();
        const QString typed = typedText(src);
        cnt->setText(QString::number(countPhones(db, field, typed)));
        DBGrid1->setRows(searchPhones(db, field, typed));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void phone::registerEntry()
{
    PhoneAdd result;
    try {
        result = addPhone(dm().main(), typedText(name), typedText(tel), typedText(cmt));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    switch (result) {
    case PhoneAdd::EmptyName: ui().message(QStringLiteral("لطفا مقدار مناسب را وارد نماييد")); return;
    case PhoneAdd::Duplicate: ui().message(QStringLiteral("نام تکراري است")); return;
    case PhoneAdd::Added: break;
    }
    search();
    ui().message(QStringLiteral("ثبت شد"));
    name->setFocus();
}

void phone::deleteEntry()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    name->setText(DBGrid1->currentValue(QStringLiteral("name")).toString());
    tel->setText(DBGrid1->currentValue(QStringLiteral("tel")).toString());
    cmt->setText(DBGrid1->currentValue(QStringLiteral("cmt")).toString());
    try {
        removePhone(dm().main(), id.toLongLong());
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    ui().message(QStringLiteral("حذف شد"));
    search();
}

}  // namespace bv
