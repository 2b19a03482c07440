#include "m_shakhes.h"

#include "borvinat_side.h"
#include "dm.h"
#include "interaction.h"
#include "listtext.h"
#include "lookuplists.h"
#include "widgets.h"

#include <QAction>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

namespace bv {

namespace {
const QString mojodCaption = QStringLiteral("وضع موجود");
const QString ofoghCaption = QStringLiteral("افق طرح");

// The value cells' editor takes digits (Latin, Persian or Arabic), a sign and
// the decimal points the program reads.
class NumberDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto *line = qobject_cast<QLineEdit *>(editor))
            line->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("-?[0-9\\x{06F0}-\\x{06F9}\\x{0660}-\\x{0669}]*([./\\x{066B}][0-9\\x{06F0}-\\x{06F9}\\x{0660}-\\x{0669}]*)?")),
                line));
        return editor;
    }
};

// Both values read, or the first refusal shown.
std::optional<std::pair<Decimal, Decimal>> readValues(const QString &mojod, const QString &ofogh)
{
    const NumberReading m = studies::indicatorValue(mojod);
    const NumberReading o = studies::indicatorValue(ofogh);
    if (!m.ok() || !o.ok()) {
        ui().message(!m.ok() ? m.message(mojodCaption) : o.message(ofoghCaption), MessageKind::Error);
        return std::nullopt;
    }
    return std::pair{m.value, o.value};
}
}  // namespace

m_shakhes::m_shakhes(QWidget *parent) : QDialog(parent), guard_(studies::indicatorGuard())
{
    guard_.setLabel(QStringLiteral("mojod"), mojodCaption);
    guard_.setLabel(QStringLiteral("ofogh"), ofoghCaption);
    setObjectName(QStringLiteral("m_shakhes"));
    setWindowTitle(QStringLiteral("مشخصه هاي اصلي طرح مصوب روستا"));
    setLayoutDirection(Qt::RightToLeft);
    cmt = new QComboBox(this);
    cmt->setEditable(true);
    mojod = new QLineEdit(this);
    ofogh = new QLineEdit(this);
    ins_btn = new QPushButton(QStringLiteral("ثبت"), this);
    ins_btn2 = new QPushButton(QStringLiteral("ثبت همه به يکباره"), this);
    DBGrid1 = new QTableWidget(0, 3, this);
    DBGrid1->setHorizontalHeaderLabels({QStringLiteral("شرح شاخص"), mojodCaption, ofoghCaption});
    DBGrid1->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    DBGrid1->setItemDelegate(new NumberDelegate(DBGrid1));
    DBGrid1->setContextMenuPolicy(Qt::ActionsContextMenu);
    N1 = new QAction(QStringLiteral("حذف"), DBGrid1);
    DBGrid1->addAction(N1);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("شاخص"), cmt);
    form->addRow(mojodCaption, mojod);
    form->addRow(ofoghCaption, ofogh);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(ins_btn);
    buttons->addWidget(ins_btn2);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addWidget(DBGrid1);

    connect(ins_btn, &QPushButton::clicked, this, &m_shakhes::add);
    connect(ins_btn2, &QPushButton::clicked, this, &m_shakhes::registerAll);
    connect(N1, &QAction::triggered, this, [] { ui().message(QStringLiteral("بي خيال")); });
    connect(DBGrid1, &QTableWidget::currentCellChanged, this, [this](int row, int, int previousRow, int) {
        if (!loading_ && previousRow >= 0 && previousRow != row)
            writeRow(previousRow);
    });
}

void m_shakhes::prepare(qint64 study)
{
    study_ = study;
    try {
        refillChoices(cmt, lookupItems(dm().main(), QStringLiteral("شاخص ها")));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
    cmt->setCurrentText(QString());
    mojod->clear();
    ofogh->clear();
    refresh();
}

void m_shakhes::refresh()
{
    ResultSet rows;
    try {
        rows = studies::indicators(dm().main(), study_);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    loading_ = true;
    DBGrid1->setRowCount(0);
    DBGrid1->setRowCount(rows.size());
    listed_.clear();
    for (int r = 0; r < rows.size(); ++r) {
        const QVariantList &row = rows.rows[r];
        listed_.push_back({{QStringLiteral("mojod"), row[2]}, {QStringLiteral("ofogh"), row[3]}});
        auto *name = new QTableWidgetItem(row[1].toString());
        name->setFlags(name->flags() & ~Qt::ItemIsEditable);
        name->setData(Qt::UserRole, row[0]);
        DBGrid1->setItem(r, 0, name);
        for (int c : {2, 3}) {
            const QString shown = row[c].isNull() ? QString() : Decimal::fromVariant(row[c]).plain();
            auto *value = new QTableWidgetItem(shown);
            value->setData(Qt::UserRole, shown);  // the stored value, to see a change
            DBGrid1->setItem(r, c - 1, value);
        }
    }
    loading_ = false;
}

bool m_shakhes::writeRow(int row)
{
    QTableWidgetItem *m = DBGrid1->item(row, 1), *o = DBGrid1->item(row, 2);
    if (!m || !o || (m->text() == m->data(Qt::UserRole).toString() && o->text() == o->data(Qt::UserRole).toString()))
        return true;
    const auto values = readValues(m->text(), o->text());
    if (!values) {
        // The stored values come back; nothing is written.
        m->setText(m->data(Qt::UserRole).toString());
        o->setText(o->data(Qt::UserRole).toString());
        return false;
    }
    guard_.remember(DBGrid1->item(row, 0)->data(Qt::UserRole), listed_.at(size_t(row)));
    RowGuard::Outcome out;
    try {
        out = studies::updateIndicator(dm().main(), guard_, values->first, values->second);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return false;
    }
    if (out.kind != RowGuard::Outcome::Written) {
        ui().message(out.kind == RowGuard::Outcome::Deleted ? rowDeletedMessage : guard_.changedNotice(out.changed),
                     MessageKind::Warning);
        // Read again later: the grid may be moving to another cell right now.
        QMetaObject::invokeMethod(this, &m_shakhes::refresh, Qt::QueuedConnection);
        return false;
    }
    listed_[size_t(row)] = guard_.loaded();
    m->setData(Qt::UserRole, m->text());
    o->setData(Qt::UserRole, o->text());
    return true;
}

void m_shakhes::done(int result)
{
    // Leaving the current row commits an open cell editor and writes the row.
    DBGrid1->setCurrentCell(-1, -1);
    QDialog::done(result);
}

void m_shakhes::add()
{
    const auto values = readValues(mojod->text(), ofogh->text());
    if (!values)
        return;
    try {
        if (studies::addIndicator(dm().main(), study_, typedText(cmt), values->first, values->second)
            == studies::AddOutcome::Duplicate) {
            ui().message(QStringLiteral("تکراريست"));
            return;
        }
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    ui().message(QStringLiteral("ثبت شد"));
    refresh();
}

void m_shakhes::registerAll()
{
    const auto values = readValues(mojod->text(), ofogh->text());
    if (!values)
        return;
    QStringList names;
    for (int i = 0; i < cmt->count(); ++i)
        names << cmt->itemText(i);
    std::optional<int> written;
    try {
        written = studies::registerAllIndicators(dm().main(), study_, names, values->first, values->second);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    if (written)
        ui().message(doneChangedMessage(*written));
    else
        ui().message(rowDeletedMessage, MessageKind::Warning);
    cmt->setFocus();
    refresh();
}

}  // namespace bv
