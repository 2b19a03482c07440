#include "users_ins.h"

#include "dm.h"
#include "interaction.h"
#include "lookuplists.h"
#include "widgets.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace bv {

namespace {
const QString duplicateName = QStringLiteral("خطا، نام كاربري تكراري است");
const QString noUserName = QStringLiteral("کلمه کاربري را وارد نمائيد");
const QString noLevel = QStringLiteral("سطح کاربر را انتخاب نمائيد");
}

users_ins::users_ins(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("users_ins"));
    setWindowTitle(QStringLiteral("ثبت/ويرايش کاربران"));
    us = new QLineEdit(this);
    ps = new QLineEdit(this);
    ps->setEchoMode(QLineEdit::Password);
    nam = new QLineEdit(this);
    mobile = new QLineEdit(this);
    status = new QLineEdit(this);
    ostan = new QComboBox(this);
    semat = new QComboBox(this);
    lev = new QComboBox(this);
    for (QComboBox *box : {ostan, semat})
        box->setEditable(true);
    lev->addItems({QStringLiteral("ostan"), QStringLiteral("city"), QStringLiteral("keshvar"), QStringLiteral("admin")});
    ins_btn = new QPushButton(QStringLiteral("ثبت"), this);
    edit_btn = new QPushButton(QStringLiteral("ويرايش"), this);

    auto *form = new QFormLayout(this);
    form->addRow(QStringLiteral("نام كاربري (کد ملي)"), us);
    form->addRow(QStringLiteral("رمز"), ps);
    form->addRow(QStringLiteral("استان"), ostan);
    form->addRow(QStringLiteral("گروه کاربري"), semat);
    form->addRow(QStringLiteral("نام و نام خانوادگي"), nam);
    form->addRow(QStringLiteral("موبايل"), mobile);
    form->addRow(QStringLiteral("سطح"), lev);
    form->addRow(QStringLiteral("وضعيت"), status);
    for (const auto &[column, field] : std::initializer_list<std::pair<const char *, QWidget *>>{
             {"us", us}, {"ostan", ostan}, {"semat", semat}, {"nam", nam}, {"mobile", mobile}, {"lev", lev},
             {"status", status}})
        guard_.setLabel(QLatin1String(column), static_cast<QLabel *>(form->labelForField(field))->text());
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(ins_btn);
    buttons->addWidget(edit_btn);
    form->addRow(buttons);
    connect(ins_btn, &QPushButton::clicked, this, &users_ins::insert);
    connect(edit_btn, &QPushButton::clicked, this, &users_ins::edit);
}

void users_ins::fillLists()
{
    ostan->clear();
    semat->clear();
    try {
        const Db &db = dm().main();
        for (const QVariantList &r :
             db.select(QStringLiteral("SELECT ostan FROM abadiha WHERE ostan IS NOT NULL GROUP BY ostan ORDER BY ")
                       + db.dialect().persianOrder(QStringLiteral("ostan")))
                 .rows)
            ostan->addItem(r[0].toString());
        semat->addItems(lookupItems(db, QStringLiteral("گروه کاربري")));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void users_ins::startNew()
{
    fillLists();
    editedId_ = 0;
    for (QLineEdit *e : {us, ps, nam, mobile})
        e->clear();
    // A new account has no password to keep.
    ps->setPlaceholderText(QString());
    ostan->setEditText(QString());
    semat->setEditText(QString());
    lev->setCurrentIndex(-1);
    status->setText(QStringLiteral("فعال"));
    ins_btn->setVisible(true);
    edit_btn->setVisible(false);
}

void users_ins::startEdit(const Account &listed)
{
    fillLists();
    editedId_ = listed.id;
    // Shown as stored now, and remembered for the save.
    Account account = listed;
    const Row stored = guard_.loadOver(dm().main(), listed.id, {});
    if (!stored.isEmpty()) {
        const auto text = [&](const char *column) { return stored.value(QLatin1String(column)).toString(); };
        account = {listed.id, text("us"), text("lev"), text("nam"), text("ostan"), text("semat"), text("mobile"),
                   text("status")};
    }
    us->setText(account.us);
    ps->clear();
    ps->setPlaceholderText(QStringLiteral("بدون تغيير"));
    nam->setText(account.nam);
    mobile->setText(account.mobile);
    showStoredValue(ostan, account.ostan);
    showStoredValue(semat, account.semat);
    showStoredValue(lev, account.lev);
    status->setText(account.status);
    ins_btn->setVisible(false);
    edit_btn->setVisible(true);
}

Account users_ins::typed() const
{
    Account a;
    a.id = editedId_;
    a.us = typedText(us);
    a.lev = lev->currentText();
    a.ostan = typedText(ostan);
    a.semat = typedText(semat);
    a.mobile = typedText(mobile);
    a.nam = typedText(nam);
    a.status = typedText(status);
    return a;
}

bool users_ins::insert()
{
    const Account account = typed();
    if (account.us.isEmpty()) {
        ui().message(noUserName);
        us->setFocus();
        return false;
    }
    if (typedText(ps).isEmpty()) {
        ui().message(QStringLiteral("رمز عبور را وارد نمائيد"));
        ps->setFocus();
        return false;
    }
    // The level decides what the account sees; an account without one would
    // see nothing and could not be told apart.
    if (account.lev.isEmpty()) {
        ui().message(noLevel);
        lev->setFocus();
        return false;
    }
    try {
        const Db &db = dm().main();
        if (userNameTaken(db, account.us)) {
            ui().message(duplicateName);
            return false;
        }
        insertAccount(db, account, typedText(ps), session().karbar);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return false;
    }
    ui().message(QStringLiteral("ثبت شد"));
    emit saved();
    return true;
}

bool users_ins::edit()
{
    const Account account = typed();
    if (account.us.isEmpty()) {
        ui().message(noUserName);
        us->setFocus();
        return false;
    }
    try {
        const Db &db = dm().main();
        if (userNameTaken(db, account.us, account.id)) {
            ui().message(duplicateName);
            return false;
        }
        if (!guard_.save(
                db, [&] { updateAccount(db, account, typedText(ps), session().karbar); },
                [this](const Row &) {
                    Account stored;
                    stored.id = editedId_;
                    startEdit(stored);
                }))
            return false;
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return false;
    }
    emit saved();
    accept();
    return true;
}

}  // namespace bv
