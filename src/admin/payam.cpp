#include "payam.h"

#include "accounts.h"
#include "browsergrid.h"
#include "dates.h"
#include "dm.h"
#include "interaction.h"
#include "lookuplists.h"
#include "main_window.h"
#include "messages.h"
#include "session.h"
#include "text.h"
#include "widgets.h"
#include "windows.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace bv {

namespace {
const Headings gridHeadings = {
    {QStringLiteral("ferestande"), QStringLiteral("فرستنده")},
    {QStringLiteral("send_dat"), QStringLiteral("تاريخ ارسال")},
    {QStringLiteral("show_dat"), QStringLiteral("تاريخ ملاحظه")},
    {QStringLiteral("mozo"), QStringLiteral("موضوع")},
};
}  // namespace

payam::payam(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("payam"));
    setWindowTitle(QStringLiteral("تبادل پيام"));
    setModal(true);

    DBGrid1 = new BrowserGrid(this);
    DBGrid1->setHeadings(gridHeadings);
    DBGrid1->setHiddenColumns({QStringLiteral("id"), QStringLiteral("send_prs_id"), QStringLiteral("rec_prs_id"),
                               QStringLiteral("cmt")});
    DBGrid1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    DBGrid1->setToolTip(QStringLiteral("Press Ctrl Key for MultiSelect"));
    DBMemo1 = new QPlainTextEdit(this);
    DBMemo1->setReadOnly(true);
    auto *note = new QLabel(
        QStringLiteral("تذكر مهم: هر پيامي را كه ملاحظه كرديد تيك ملاحظه شد را با كليك راست اعمال نماييد"), this);
    note->setWordWrap(true);

    girande = new QComboBox(this);
    mozo = new QComboBox(this);
    mozo->setEditable(true);
    mozo->lineEdit()->setMaxLength(100);
    cmt = new QPlainTextEdit(this);
    prs_list = new QListWidget(this);
    CheckBox1 = new QCheckBox(QStringLiteral("گروه گيرندگان پيام"), this);
    BitBtn1 = new QPushButton(QStringLiteral("ارسال"), this);

    N1 = new QAction(QStringLiteral("خوانده شد"), this);
    N2 = new QAction(QStringLiteral("حذف"), this);
    N3 = new QAction(QStringLiteral("فرستنده پيام"), this);
    N4 = new QAction(QStringLiteral("گيرنده پيام"), this);
    N5 = new QAction(QStringLiteral("حذف تمام خوانده شده ها"), this);
    N6 = new QAction(QStringLiteral("حذف انتخاب شده ها"), this);
    DBGrid1->setContextMenuPolicy(Qt::ActionsContextMenu);
    DBGrid1->addActions({N1, N2, N3, N4, N5, N6});

    auto *received = new QVBoxLayout;
    auto *filter = new QFormLayout;
    filter->addRow(QStringLiteral("گيرنده"), girande);
    received->addLayout(filter);
    received->addWidget(DBGrid1, 2);
    received->addWidget(DBMemo1, 1);
    received->addWidget(note);

    auto *sending = new QVBoxLayout;
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("موضوع"), mozo);
    fields->addRow(QStringLiteral("متن پيام"), cmt);
    sending->addLayout(fields);
    sending->addWidget(CheckBox1);
    sending->addWidget(prs_list, 1);
    sending->addWidget(BitBtn1);

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(received, 3);
    layout->addLayout(sending, 2);
    resize(1000, 600);

    connect(DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &payam::showCurrentText);
    connect(girande, &QComboBox::activated, this, &payam::filterByRecipient);
    connect(CheckBox1, &QCheckBox::toggled, this, &payam::tickAll);
    connect(BitBtn1, &QPushButton::clicked, this, &payam::send);
    connect(N1, &QAction::triggered, this, &payam::markRead);
    connect(N2, &QAction::triggered, this, &payam::deleteCurrent);
    connect(N3, &QAction::triggered, this, &payam::showSender);
    connect(N4, &QAction::triggered, this, &payam::showRecipient);
    connect(N5, &QAction::triggered, this, &payam::deleteAllRead);
    connect(N6, &QAction::triggered, this, &payam::deleteSelected);
}

void payam::prepare()
{
    const Db &db = dm().main();
    const bool admin = mayDeleteMessages(session());
    cmt->clear();
    mozo->clear();
    girande->clear();
    prs_list->clear();
    girande->setEnabled(admin);
    recipientFilter_.reset();
    CheckBox1->blockSignals(true);
    CheckBox1->setChecked(false);
    CheckBox1->blockSignals(false);
    try {
        mozo->addItems(lookupItems(db, QStringLiteral("موضوع پيام")));
        mozo->setCurrentIndex(-1);
        mozo->setEditText(QString());
        girande->addItem(QString());
        for (const Recipient &r : recipients(db)) {
            girande->addItem(r.label, r.id);
            auto *item = new QListWidgetItem(r.label, prs_list);
            item->setData(Qt::UserRole, r.id);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
        }
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
    refresh();
}

void payam::refresh()
{
    try {
        DBGrid1->setRows(listMessages(dm().main(), session(), recipientFilter_));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
    showCurrentText();
}

void payam::showCurrentText()
{
    DBMemo1->setPlainText(DBGrid1->currentValue(QStringLiteral("cmt")).toString());
}

void payam::filterByRecipient()
{
    const QVariant id = girande->currentData();
    recipientFilter_ = id.isValid() ? std::optional<qint64>(id.toLongLong()) : std::nullopt;
    refresh();
}

void payam::tickAll(bool on)
{
    for (int i = 0; i < prs_list->count(); ++i)
        prs_list->item(i)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

void payam::send()
{
    QList<qint64> ticked;
    for (int i = 0; i < prs_list->count(); ++i)
        if (prs_list->item(i)->checkState() == Qt::Checked)
            ticked << prs_list->item(i)->data(Qt::UserRole).toLongLong();
    SendResult result;
    try {
        result = sendMessage(dm().main(), session().prsId, ticked, typedText(mozo),
                             normalizeYeh(cmt->toPlainText()), jalaliToday());
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    refresh();
    ui().message(sendReport(result));
}

void payam::markRead()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    try {
        bv::markRead(dm().main(), id.toLongLong(), jalaliToday());
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    refresh();
    updateMenuCaption();
}

void payam::showSender()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    try {
        ui().message(partyLabel(dm().main(), id.toLongLong(), Party::Sender));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void payam::showRecipient()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    try {
        ui().message(partyLabel(dm().main(), id.toLongLong(), Party::Recipient));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

bool payam::refuseUnlessAdmin()
{
    if (mayDeleteMessages(session()))
        return false;
    ui().message(adminOnlyMessage);
    return true;
}

void payam::deleteCurrent()
{
    if (refuseUnlessAdmin())
        return;
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    try {
        deleteMessage(dm().main(), id.toLongLong());
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    ui().message(QStringLiteral("حذف شد"));
    refresh();
}

void payam::deleteAllRead()
{
    if (refuseUnlessAdmin())
        return;
    try {
        deleteReadMessages(dm().main());
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    ui().message(QStringLiteral("حذف شد"));
    refresh();
}

void payam::deleteSelected()
{
    if (refuseUnlessAdmin())
        return;
    const ResultSet shown = DBGrid1->shownRows();
    QList<qint64> ids;
    for (const QModelIndex &index : DBGrid1->selectionModel()->selectedRows())
        ids << shown.value(index.row(), QStringLiteral("id")).toLongLong();
    try {
        deleteReadAmong(dm().main(), ids);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    ui().message(QStringLiteral("حذف شد"));
    refresh();
}

void payam::updateMenuCaption()
{
    if (!windows::exists<main>())
        return;
    try {
        windows::get<main>().setUnreadMessages(unreadMessages(dm().main(), session().prsId));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void payam::done(int result)
{
    updateMenuCaption();
    QDialog::done(result);
}

}  // namespace bv
