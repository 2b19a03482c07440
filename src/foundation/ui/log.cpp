#include "log.h"

#include "activitylog.h"
#include "browsergrid.h"
#include "dateedit.h"
#include "dm.h"
#include "filters.h"
#include "interaction.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace bv {

namespace {
const Headings gridHeadings = {
    {QStringLiteral("karbar"), QStringLiteral("نام کاربر")},
    {QStringLiteral("ip"), QStringLiteral("IP")},
    {QStringLiteral("computer_name"), QStringLiteral("نام کامپيوتر")},
    {QStringLiteral("saat"), QStringLiteral("ساعت")},
    {QStringLiteral("tarikh"), QStringLiteral("تاريخ")},
    {QStringLiteral("cmt"), QStringLiteral("شرح عمليات")},
    {QStringLiteral("saat_sys"), QStringLiteral("تاريخ و ساعت سرور")},
};

const Headings exportHeadings = {
    {QStringLiteral("id"), QStringLiteral("شناسه")},
    {QStringLiteral("karbar"), QStringLiteral("نام کاربري")},
    {QStringLiteral("ip"), QStringLiteral("آي پي")},
    {QStringLiteral("computer_name"), QStringLiteral("نام کامپيوتر")},
    {QStringLiteral("saat"), QStringLiteral("ساعت")},
    {QStringLiteral("tarikh"), QStringLiteral("تاريخ")},
    {QStringLiteral("cmt"), QStringLiteral("شرح عمليات")},
    {QStringLiteral("saat_sys"), QStringLiteral("ساعت سرور")},
};
}  // namespace

log::log(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("log"));
    setWindowTitle(QStringLiteral("لاگ"));
    setModal(true);

    karbar = new QComboBox(this);
    karbar->setEditable(true);
    dat1 = new JalaliDateEdit(this);
    dat2 = new JalaliDateEdit(this);
    computer_name = new QLineEdit(this);
    cmt = new QLineEdit(this);
    ip = new QLineEdit(this);
    ip->setLayoutDirection(Qt::LeftToRight);
    CheckBox1 = new FilterCheck(QStringLiteral("نام کاربر"), {karbar}, this);
    CheckBox2 = new FilterCheck(QStringLiteral("تاريخ"), {dat1, dat2}, this);
    CheckBox3 = new FilterCheck(QStringLiteral("نام كامپيوتر"), {computer_name}, this);
    CheckBox4 = new FilterCheck(QStringLiteral("شرح عمليات"), {cmt}, this);
    CheckBox5 = new FilterCheck(QStringLiteral("IP"), {ip}, this);
    dat1->setCaption(CheckBox2->text());
    dat2->setCaption(CheckBox2->text());

    cnt = new QLabel(QStringLiteral("0"), this);
    BitBtn1 = new QPushButton(QStringLiteral("جستجو"), this);
    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    SpeedButton1->setToolTip(QStringLiteral("اکسل"));

    DBGrid1 = new BrowserGrid(this);
    DBGrid1->setHeadings(gridHeadings);
    DBGrid1->setHiddenColumns({QStringLiteral("id")});

    auto *filters = new QGridLayout;
    filters->addWidget(CheckBox1, 0, 0);
    filters->addWidget(karbar, 0, 1, 1, 2);
    filters->addWidget(CheckBox2, 1, 0);
    filters->addWidget(dat1, 1, 1);
    filters->addWidget(dat2, 1, 2);
    filters->addWidget(CheckBox3, 2, 0);
    filters->addWidget(computer_name, 2, 1, 1, 2);
    filters->addWidget(CheckBox4, 3, 0);
    filters->addWidget(cmt, 3, 1, 1, 2);
    filters->addWidget(CheckBox5, 4, 0);
    filters->addWidget(ip, 4, 1, 1, 2);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn1);
    buttons->addWidget(SpeedButton1);
    buttons->addStretch();
    buttons->addWidget(cnt);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addLayout(buttons);
    layout->addWidget(DBGrid1, 1);
    resize(900, 600);

    connect(BitBtn1, &QPushButton::clicked, this, &log::search);
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { DBGrid1->exportList(exportHeadings); });
}

void log::resetFilters()
{
    karbar->setCurrentText(QString());
    computer_name->clear();
    cmt->clear();
    ip->clear();
}

LogFilter log::filter() const
{
    LogFilter f;
    f.user = CheckBox1->entry();
    if (CheckBox2->active())
        f.dates = std::make_pair(dat1->date(), dat2->date());
    f.description = CheckBox4->entry();
    f.computer = CheckBox3->entry();
    f.ip = CheckBox5->entry();
    return f;
}

void log::search()
{
    // A half-typed date would compare as text and list the wrong rows.
    if (CheckBox2->active() && !acceptDates({dat1, dat2}))
        return;
    try {
        DBGrid1->setRows(searchLog(dm().main(), filter()));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    // The count is that of the rows listed, so the two always agree.
    cnt->setText(QString::number(DBGrid1->rowCount()));
}

}  // namespace bv
