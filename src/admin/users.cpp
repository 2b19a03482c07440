#include "users.h"

#include "accounts.h"
#include "browsergrid.h"
#include "conditions.h"
#include "dm.h"
#include "filters.h"
#include "foldsearch.h"
#include "interaction.h"
#include "users_ins.h"
#include "windows.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace bv {

namespace {
const Headings gridHeadings = {
    {QStringLiteral("nam"), QStringLiteral("نام و نام خانوادگي")},
    {QStringLiteral("us"), QStringLiteral("نام كاربري (کد ملي)")},
    {QStringLiteral("ver"), QStringLiteral("نسخه")},
    {QStringLiteral("lev"), QStringLiteral("سطح")},
    {QStringLiteral("ostan"), QStringLiteral("استان")},
    {QStringLiteral("semat"), QStringLiteral("سمت/شرح")},
    {QStringLiteral("mobile"), QStringLiteral("موبايل")},
    {QStringLiteral("status"), QStringLiteral("وضعيت")},
};
const Headings exportHeadings = {
    {QStringLiteral("id"), QStringLiteral("شناسه")},
    {QStringLiteral("ostan"), QStringLiteral("استان")},
    {QStringLiteral("semat"), QStringLiteral("سمت")},
    {QStringLiteral("nam"), QStringLiteral("نام و نام خانوادگي")},
    {QStringLiteral("mobile"), QStringLiteral("موبايل")},
    {QStringLiteral("us"), QStringLiteral("نام کاربري-کد ملي")},
    {QStringLiteral("lev"), QStringLiteral("سطح")},
};
const QStringList levels = {QStringLiteral("ostan"), QStringLiteral("city"), QStringLiteral("keshvar"),
                            QStringLiteral("admin")};

QString boxName(const QString &key)
{
    return key == QLatin1String("seting") ? QStringLiteral("set") : key;
}
}  // namespace

users::users(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("users"));
    setWindowTitle(QStringLiteral("کاربران"));

    us = new QLineEdit(this);
    ostan2 = new QLineEdit(this);
    nam = new QLineEdit(this);
    lev2 = new QComboBox(this);
    lev2->addItems(levels);
    CheckBox1 = new FilterCheck(QStringLiteral("نام کاربري"), {us}, this);
    CheckBox2 = new FilterCheck(QStringLiteral("استان"), {ostan2}, this);
    CheckBox3 = new FilterCheck(QStringLiteral("نام و نام خانوادگي"), {nam}, this);
    CheckBox4 = new FilterCheck(QStringLiteral("سطح"), {lev2}, this);
    src_btn = new QPushButton(QStringLiteral("جستجو"), this);
    cnt = new QLabel(QStringLiteral("0"), this);
    DBGrid1 = new BrowserGrid(this);
    DBGrid1->setHeadings(gridHeadings);
    DBGrid1->setHiddenColumns({QStringLiteral("id")});
    // Accounts that cannot log in stand out.
    DBGrid1->setRowColour([](const ResultSet &rows, const QVariantList &row) {
        return row[rows.columnIndex(QStringLiteral("status"))].toString() == QStringLiteral("فعال") ? QColor()
                                                                                                : QColor(Qt::red);
    });

    auto *bar = new QMenuBar(this);
    N5 = bar->addAction(QStringLiteral("ثبت"));
    N6 = bar->addAction(QStringLiteral("ويرايش"));
    N7 = bar->addAction(QStringLiteral("حذف"));
    N8 = bar->addAction(QStringLiteral("اکسل"));
    N9 = bar->addAction(QStringLiteral("بستن"));

    auto *filters = new QGridLayout;
    int column = 0;
    for (auto [check, input] : std::initializer_list<std::pair<QWidget *, QWidget *>>{
             {CheckBox1, us}, {CheckBox2, ostan2}, {CheckBox3, nam}, {CheckBox4, lev2}}) {
        filters->addWidget(check, 0, column);
        filters->addWidget(input, 1, column++);
    }
    filters->addWidget(src_btn, 1, column++);
    filters->addWidget(new QLabel(QStringLiteral("تعداد:"), this), 1, column++);
    filters->addWidget(cnt, 1, column);

    // Page rights of the account current in the grid.
    auto *rightsBox = new QGroupBox(QStringLiteral("تعيين سطوح دسترسي به صفحات مختلف برنامه"), this);
    auto *rightsGrid = new QGridLayout(rightsBox);
    shownAccount = new QLabel(rightsBox);
    rightsGrid->addWidget(shownAccount, 0, 0, 1, 5);
    const QStringList suffixes = {QStringLiteral("_ins"), QStringLiteral("_edit"), QStringLiteral("_del"),
                                  QStringLiteral("_show")};
    const QStringList captions = {QStringLiteral("ثبت"), QStringLiteral("ويرايش"), QStringLiteral("حذف"),
                                  QStringLiteral("مشاهده")};
    int row = 1;
    for (const PageKey &page : pageKeys()) {
        const QString key = QString::fromLatin1(page.key);
        rightsGrid->addWidget(new QLabel(page.label, rightsBox), row, 0);
        std::array<QCheckBox *, 4> boxes{};
        for (int i = 0; i < 4; ++i) {
            QString caption = captions[i];
            if (key == QLatin1String("darkhast") && i < 2)
                caption = i == 0 ? QStringLiteral("تاييد ن") : QStringLiteral("تاييد م");
            boxes[size_t(i)] = new QCheckBox(caption, rightsBox);
            boxes[size_t(i)]->setObjectName(boxName(key) + suffixes[i]);
            rightsGrid->addWidget(boxes[size_t(i)], row, i + 1);
        }
        rightBoxes[key] = boxes;
        rightsGuard_.setLabel(key, page.label);
        ++row;
    }
    ins_btn2 = new QPushButton(QStringLiteral("ثبت"), rightsBox);
    rightsGrid->addWidget(ins_btn2, row, 0, 1, 5);

    // Counties the account may see.
    auto *countiesBox = new QGroupBox(QStringLiteral("تعيين دسترسي به شهرستان ها"), this);
    auto *countiesLayout = new QGridLayout(countiesBox);
    ostan = new QComboBox(countiesBox);
    shahrestan = new QComboBox(countiesBox);
    SpeedButton2 = new QToolButton(countiesBox);
    SpeedButton3 = new QToolButton(countiesBox);
    SpeedButton2->setText(QStringLiteral("+"));
    SpeedButton3->setText(QStringLiteral("+"));
    SpeedButton2->setToolTip(QStringLiteral("دسترسي به چندين شهرستان"));
    list_loc = new QListWidget(countiesBox);
    list_loc->setSortingEnabled(true);
    list_loc->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto *removeOne = new QAction(QStringLiteral("حذف"), list_loc);
    auto *removeAll = new QAction(QStringLiteral("حذف همه"), list_loc);
    list_loc->addAction(removeOne);
    list_loc->addAction(removeAll);
    ins_btn = new QPushButton(QStringLiteral("ثبت"), countiesBox);
    countiesLayout->addWidget(new QLabel(QStringLiteral("استان"), countiesBox), 0, 0);
    countiesLayout->addWidget(ostan, 0, 1);
    countiesLayout->addWidget(SpeedButton2, 0, 2);
    countiesLayout->addWidget(new QLabel(QStringLiteral("شهرستان"), countiesBox), 1, 0);
    countiesLayout->addWidget(shahrestan, 1, 1);
    countiesLayout->addWidget(SpeedButton3, 1, 2);
    countiesLayout->addWidget(list_loc, 2, 0, 1, 3);
    countiesLayout->addWidget(ins_btn, 3, 0, 1, 3);

    karbar = new QLabel(this);
    level = new QLabel(this);
    prs_id = new QLabel(this);
    level->hide();
    prs_id->hide();
    auto *current = new QHBoxLayout;
    current->addWidget(new QLabel(QStringLiteral("كاربر جاري"), this));
    current->addWidget(karbar);
    current->addStretch();

    auto *side = new QVBoxLayout;
    side->addWidget(rightsBox);
    side->addWidget(countiesBox);
    auto *body = new QHBoxLayout;
    body->addWidget(DBGrid1, 3);
    body->addLayout(side, 2);
    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(bar);
    layout->addLayout(filters);
    layout->addLayout(body);
    layout->addLayout(current);

    connect(src_btn, &QPushButton::clicked, this, &users::search);
    connect(DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &users::loadCurrentAccount);
    connect(ins_btn2, &QPushButton::clicked, this, &users::saveRights);
    connect(ins_btn, &QPushButton::clicked, this, &users::saveCounties);
    connect(N5, &QAction::triggered, this, &users::newAccount);
    connect(N6, &QAction::triggered, this, &users::editAccount);
    connect(N8, &QAction::triggered, this, &users::exportList);
    connect(N9, &QAction::triggered, this, &QDialog::reject);
    connect(ostan, &QComboBox::currentTextChanged, this, &users::fillCounties);
    connect(SpeedButton2, &QToolButton::clicked, this, &users::addAllCounties);
    connect(SpeedButton3, &QToolButton::clicked, this, &users::addCounty);
    connect(removeOne, &QAction::triggered, this, [this] { delete list_loc->currentItem(); });
    connect(removeAll, &QAction::triggered, list_loc, &QListWidget::clear);
    connect(&windows::get<users_ins>(), &users_ins::saved, this, &users::search);
}

void users::showEvent(QShowEvent *event)
{
    karbar->setText(session().karbar);
    level->setText(session().level);
    prs_id->setText(QString::number(session().prsId));
    QDialog::showEvent(event);
}

void users::applyRights(const PageRights &rights)
{
    for (QWidget *w : std::initializer_list<QWidget *>{ins_btn2, ins_btn, SpeedButton2, SpeedButton3})
        w->setEnabled(rights.insert);
    N5->setEnabled(rights.insert);
    N6->setEnabled(rights.edit);
    N7->setEnabled(rights.remove);
}

void users::resetFilters()
{
    for (QLineEdit *e : {us, ostan2, nam})
        e->clear();
    lev2->setCurrentIndex(-1);
    cnt->setText(QStringLiteral("0"));
    list_loc->clear();
    shahrestan->clear();
    try {
        const Db &db = dm().main();
        ostan->blockSignals(true);
        ostan->clear();
        for (const QVariantList &r :
             db.select(QStringLiteral("SELECT ostan FROM abadiha WHERE ostan IS NOT NULL GROUP BY ostan ORDER BY ")
                       + db.dialect().persianOrder(QStringLiteral("ostan")))
                 .rows)
            ostan->addItem(r[0].toString());
        ostan->setCurrentIndex(-1);
        ostan->blockSignals(false);
    } catch (const DbError &e) {
        ostan->blockSignals(false);
        ui().message(e.text(), MessageKind::Error);
    }
    // The county list was emptied: show the account's own rights and counties
    // again, so that a save never writes the emptied list to it.
    loadCurrentAccount();
}

void users::search()
{
    try {
        const Db &db = dm().main();
        Conditions where(db.dialect());
        where.compare(QStringLiteral("id"), Conditions::Op::NotEqual, -1);
        const std::pair<const FilterCheck *, const char *> filters[] = {
            {CheckBox1, "us"}, {CheckBox2, "ostan"}, {CheckBox3, "nam"}, {CheckBox4, "lev"}};
        for (const auto &[check, column] : filters)
            if (const std::optional<QString> typed = check->entry())
                containsFolded(where, QLatin1String(column), *typed);
        cnt->setText(db.scalar(QStringLiteral("SELECT COUNT(*) FROM users") + where.where(), where.values()).toString());
        DBGrid1->setRows(db.select(QStringLiteral("SELECT id, nam, us, ver, lev, ostan, semat, mobile, status FROM users")
                                       + where.where(),
                                   where.values()));
        loadCurrentAccount();
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void users::loadCurrentAccount()
{
    for (auto &[key, boxes] : rightBoxes)
        for (QCheckBox *box : boxes)
            box->setChecked(false);
    list_loc->clear();
    const QVariant id = DBGrid1->currentId();
    shownAccountId_ = id.isValid() ? id.toLongLong() : 0;
    shownAccount->setText(shownAccountId_ ? DBGrid1->currentValue(QStringLiteral("us")).toString() + QStringLiteral(" - ")
                                                + DBGrid1->currentValue(QStringLiteral("nam")).toString()
                                          : QString());
    if (!shownAccountId_)
        return;
    try {
        const Db &db = dm().main();
        // Remembered first: a change made before the boxes are filled is then
        // seen by the save.
        rightsGuard_.load(db, shownAccountId_);
        countiesGuard_.load(db, shownAccountId_);
        for (const auto &[key, rights] : bv::loadRights(db, shownAccountId_)) {
            const auto &boxes = rightBoxes.at(key);
            boxes[0]->setChecked(rights.insert);
            boxes[1]->setChecked(rights.edit);
            boxes[2]->setChecked(rights.remove);
            boxes[3]->setChecked(rights.view);
        }
        list_loc->addItems(loadCounties(db, shownAccountId_));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void users::saveRights()
{
    if (!shownAccountId_)
        return;
    std::map<QString, PageRights> rights;
    for (const auto &[key, boxes] : rightBoxes)
        rights[key] = {boxes[0]->isChecked(), boxes[1]->isChecked(), boxes[2]->isChecked(), boxes[3]->isChecked()};
    try {
        const Db &db = dm().main();
        if (!rightsGuard_.save(
                db, [&] { bv::saveRights(db, shownAccountId_, rights); }, [this](const Row &) { loadCurrentAccount(); }))
            return;
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    ui().message(QStringLiteral("ثبت شد"));
}

void users::saveCounties()
{
    if (!shownAccountId_)
        return;
    QStringList counties;
    for (int i = 0; i < list_loc->count(); ++i)
        counties << list_loc->item(i)->text();
    try {
        const Db &db = dm().main();
        if (!countiesGuard_.save(
                db, [&] { bv::saveCounties(db, shownAccountId_, counties); }, [this](const Row &) { loadCurrentAccount(); }))
            return;
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    ui().message(QStringLiteral("دسترسي ها بروز شد"));
}

void users::fillCounties()
{
    shahrestan->clear();
    if (ostan->currentText().isEmpty())
        return;
    try {
        const Db &db = dm().main();
        for (const QVariantList &r : db.select(QStringLiteral("SELECT city FROM abadiha WHERE ostan = ? GROUP BY city ORDER BY ")
                                                   + db.dialect().persianOrder(QStringLiteral("city")),
                                               {ostan->currentText()})
                                         .rows)
            shahrestan->addItem(r[0].toString());
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void users::addAllCounties()
{
    for (int i = 0; i < shahrestan->count(); ++i)
        if (list_loc->findItems(shahrestan->itemText(i), Qt::MatchExactly).isEmpty())
            list_loc->addItem(shahrestan->itemText(i));
}

void users::addCounty()
{
    const QString county = shahrestan->currentText();
    if (!county.isEmpty() && list_loc->findItems(county, Qt::MatchExactly).isEmpty())
        list_loc->addItem(county);
}

void users::newAccount()
{
    users_ins &entry = windows::get<users_ins>();
    entry.startNew();
    ui().execDialog(entry);
}

void users::editAccount()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    if (DBGrid1->currentValue(QStringLiteral("us")).toString() == QLatin1String("admin")) {
        ui().message(QStringLiteral("امکان ويرايش مدير نيست"));
        return;
    }
    Account account;
    account.id = id.toLongLong();
    for (auto [field, column] : std::initializer_list<std::pair<QString *, const char *>>{
             {&account.us, "us"}, {&account.lev, "lev"}, {&account.nam, "nam"}, {&account.ostan, "ostan"},
             {&account.semat, "semat"}, {&account.mobile, "mobile"}, {&account.status, "status"}})
        *field = DBGrid1->currentValue(QLatin1String(column)).toString();
    users_ins &entry = windows::get<users_ins>();
    entry.startEdit(account);
    ui().execDialog(entry);
}

void users::exportList()
{
    DBGrid1->exportList(exportHeadings);
}

}  // namespace bv
