#include "catalogue.h"

#include "browsergrid.h"
#include "dm.h"
#include "interaction.h"
#include "listtext.h"
#include "widgets.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace bv {

namespace {
bool numeric(CatalogueInput input)
{
    return input == CatalogueInput::Score || input == CatalogueInput::Whole || input == CatalogueInput::Amount;
}

QString heading(const QString &label)
{
    return label.endsWith(QLatin1Char(':')) ? label.chopped(1) : label;
}
}  // namespace

catalogue::catalogue(const CatalogueTable &table, QWidget *parent) : QDialog(parent), table_(table)
{
    setObjectName(QString::fromLatin1(table.window));
    setWindowTitle(table.caption);

    auto *form = new QFormLayout;
    Headings headings;
    QSet<QString> amounts;
    for (const CatalogueField &field : table.fields) {
        const QString column = QString::fromLatin1(field.column);
        QWidget *widget = nullptr;
        switch (field.input) {
        case CatalogueInput::Choice: {
            auto *box = new QComboBox(this);
            box->addItems(field.choices);
            box->setCurrentIndex(-1);
            widget = box;
            break;
        }
        case CatalogueInput::Tick: widget = new QCheckBox(field.label, this); break;
        default: widget = new QLineEdit(this); break;
        }
        widget->setObjectName(column);
        if (numeric(field.input))
            widget->setLayoutDirection(Qt::LeftToRight);
        if (field.input == CatalogueInput::Amount)
            amounts << column;
        if (field.input == CatalogueInput::Tick)
            form->addRow(widget);
        else
            form->addRow(field.label, widget);
        inputs_[column] = widget;
        headings[column] = heading(field.label);
    }
    ins_btn = new QPushButton(QStringLiteral("ثبت"), this);
    form->addRow(ins_btn);

    emtiyaz_sum = nullptr;
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    if (table.scoreTotal) {
        emtiyaz_sum = new QLabel(QStringLiteral("0"), this);
        auto *total = new QHBoxLayout;
        total->addWidget(new QLabel(QStringLiteral("مجموع امتيازها:"), this));
        total->addWidget(emtiyaz_sum);
        total->addStretch();
        layout->addLayout(total);
    }

    DBGrid1 = new BrowserGrid(this);
    DBGrid1->setHeadings(headings);
    DBGrid1->setHiddenColumns({QStringLiteral("id")});
    DBGrid1->setMoneyColumns(amounts);
    DBGrid1->setContextMenuPolicy(Qt::ActionsContextMenu);
    deleteAction = new QAction(QStringLiteral("حذف"), DBGrid1);
    DBGrid1->addAction(deleteAction);
    layout->addWidget(DBGrid1, 1);

    connect(ins_btn, &QPushButton::clicked, this, &catalogue::registerItem);
    connect(deleteAction, &QAction::triggered, this, &catalogue::deleteItem);
}

QWidget *catalogue::input(const QString &column) const
{
    const auto it = inputs_.find(column);
    return it == inputs_.end() ? nullptr : it->second;
}

QLineEdit *catalogue::edit(const QString &column) const
{
    return qobject_cast<QLineEdit *>(input(column));
}

QComboBox *catalogue::choice(const QString &column) const
{
    return qobject_cast<QComboBox *>(input(column));
}

QCheckBox *catalogue::tick(const QString &column) const
{
    return qobject_cast<QCheckBox *>(input(column));
}

void catalogue::applyRights(const PageRights &rights)
{
    ins_btn->setEnabled(rights.insert);
    deleteAction->setEnabled(rights.remove);
}

void catalogue::prepare()
{
    for (const CatalogueField &field : table_.fields) {
        const QString column = QString::fromLatin1(field.column);
        switch (field.input) {
        case CatalogueInput::Text:
        case CatalogueInput::Whole: edit(column)->clear(); break;
        case CatalogueInput::Score:
        case CatalogueInput::Amount: edit(column)->setText(QStringLiteral("0")); break;
        case CatalogueInput::Choice: choice(column)->setCurrentIndex(-1); break;
        case CatalogueInput::Tick: break;
        }
    }
    showTotal();
    list();
}

CatalogueInputs catalogue::typed() const
{
    CatalogueInputs values;
    for (const CatalogueField &field : table_.fields) {
        const QString column = QString::fromLatin1(field.column);
        switch (field.input) {
        case CatalogueInput::Choice: values[column] = choice(column)->currentText(); break;
        case CatalogueInput::Tick: values[column] = tick(column)->isChecked() ? field.label : QString(); break;
        default: values[column] = typedText(edit(column)); break;
        }
    }
    return values;
}

void catalogue::showValue(const CatalogueField &field, const QVariant &stored)
{
    const QString column = QString::fromLatin1(field.column);
    switch (field.input) {
    case CatalogueInput::Choice: showStoredValue(choice(column), stored.toString()); break;
    case CatalogueInput::Tick: tick(column)->setChecked(stored.toString() == field.label); break;
    default: edit(column)->setText(catalogueInputText(field, stored)); break;
    }
}

void catalogue::showTotal()
{
    if (!emtiyaz_sum)
        return;
    try {
        emtiyaz_sum->setText(catalogueTotal(dm().main(), table_).plain());
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void catalogue::list()
{
    try {
        DBGrid1->setRows(catalogueRows(dm().main(), table_));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void catalogue::registerItem()
{
    CatalogueAdd outcome;
    try {
        outcome = addCatalogueItem(dm().main(), table_, typed());
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    switch (outcome.result) {
    case CatalogueAddResult::Empty:
    case CatalogueAddResult::BadNumber:
        ui().message(QStringLiteral("لطفا مقدار مناسب را وارد نماييد"));
        input(outcome.column)->setFocus();
        return;
    case CatalogueAddResult::Duplicate: ui().message(table_.duplicateMessage); return;
    case CatalogueAddResult::Added: break;
    }
    showTotal();
    if (table_.confirms)
        ui().message(QStringLiteral("ثبت شد"));
    list();
}

void catalogue::deleteItem()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    for (const CatalogueField &field : table_.fields)
        showValue(field, DBGrid1->currentValue(QString::fromLatin1(field.column)));
    try {
        removeCatalogueItem(dm().main(), table_, id.toLongLong());
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    showTotal();
    if (table_.confirms)
        ui().message(QStringLiteral("حذف شد"));
    list();
}

}  // namespace bv
