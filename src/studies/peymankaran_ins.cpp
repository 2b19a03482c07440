#include "peymankaran_ins.h"

#include "contractor_kinds.h"
#include "dateedit.h"
#include "dm.h"
#include "interaction.h"
#include "peymankaran.h"
#include "session.h"
#include "widgets.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace bv {

peymankaran_ins::peymankaran_ins(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("peymankaran_ins"));
    setWindowTitle(QStringLiteral("ثبت/ويرايش پيمانکار"));
    auto edit = [this](const char *name) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        edits_[QLatin1String(name)] = e;
        return e;
    };
    auto date = [this](const char *name) {
        auto *d = new JalaliDateEdit(this);
        d->setObjectName(QLatin1String(name));
        dates_ << d;
        return d;
    };
    lname = edit("lname");
    fname = edit("fname");
    father = edit("father");
    sh_no = edit("sh_no");
    nation = edit("nation");
    birthday = date("birthday");
    sodor = edit("sodor");
    degree = edit("degree");
    degree_dat = date("degree_dat");
    zipcode = edit("zipcode");
    adr = edit("adr");
    bank = edit("bank");
    shobe = edit("shobe");
    hesab_no = edit("hesab_no");
    mobile = edit("mobile");
    phone = edit("phone");
    comp_name = edit("comp_name");
    comp_dat = date("comp_dat");
    comp_loc = edit("comp_loc");
    comp_adr = edit("comp_adr");
    comp_no = edit("comp_no");
    comp_shenase = edit("comp_shenase");
    comp_rotbe = edit("comp_rotbe");
    comp_etebar_dat = date("comp_etebar_dat");
    comp_eghtesadi_cod = edit("comp_eghtesadi_cod");
    taminejtemaei = edit("taminejtemaei");

    auto *kindBox = new QGroupBox(QStringLiteral("نوع"), this);
    guard_.setLabel(QStringLiteral("typ"), kindBox->title());
    haghighi = new QRadioButton(naturalPerson, kindBox);
    hoghoghi = new QRadioButton(legalPerson, kindBox);
    auto *kinds = new QButtonGroup(this);
    kinds->addButton(haghighi);
    kinds->addButton(hoghoghi);
    auto *kindRow = new QHBoxLayout(kindBox);
    kindRow->addWidget(haghighi);
    kindRow->addWidget(hoghoghi);
    ins_btn = new QPushButton(QStringLiteral("ثبت"), this);
    edit_btn = new QPushButton(QStringLiteral("ويرايش"), this);

    auto group = [this](const QString &title, std::initializer_list<std::pair<QString, QWidget *>> rows) {
        auto *box = new QGroupBox(title, this);
        auto *form = new QFormLayout(box);
        for (const auto &[label, widget] : rows) {
            if (auto *d = qobject_cast<JalaliDateEdit *>(widget))
                d->setCaption(label);
            form->addRow(label, widget);
            guard_.setLabel(widget->objectName(), label);
        }
        return box;
    };
    auto *person = group(QStringLiteral("مشخصات فردي خود يا نماينده"),
                         {{QStringLiteral("نام"), fname}, {QStringLiteral("نام خانوادگي"), lname},
                          {QStringLiteral("نام پدر"), father}, {QStringLiteral("شماره شناسنامه"), sh_no},
                          {QStringLiteral("کد ملي"), nation}, {QStringLiteral("تاريخ تولد"), birthday},
                          {QStringLiteral("محل صدور"), sodor}, {QStringLiteral("مدرک تحصيلي"), degree},
                          {QStringLiteral("تاريخ مدرک تحصيلي"), degree_dat}, {QStringLiteral("کدپستي"), zipcode},
                          {QStringLiteral("آدرس"), adr}, {QStringLiteral("بانک"), bank},
                          {QStringLiteral("شعبه"), shobe}, {QStringLiteral("شماره حساب"), hesab_no},
                          {QStringLiteral("تلفن همراه"), mobile}, {QStringLiteral("تلفن ثابت"), phone}});
    auto *company = group(QStringLiteral("مشخصات شرکت"),
                          {{QStringLiteral("نام شرکت"), comp_name}, {QStringLiteral("تاريخ ثبت"), comp_dat},
                           {QStringLiteral("محل ثبت"), comp_loc}, {QStringLiteral("محل کار"), comp_adr},
                           {QStringLiteral("شماره ثبت"), comp_no}, {QStringLiteral("شناسه ملي"), comp_shenase},
                           {QStringLiteral("رتبه مشاور"), comp_rotbe},
                           {QStringLiteral("تاريخ اعتبار گريد"), comp_etebar_dat},
                           {QStringLiteral("کد اقتصادي"), comp_eghtesadi_cod},
                           {QStringLiteral("شعبه تامين اجتماعي"), taminejtemaei}});
    auto *right = new QVBoxLayout;
    right->addWidget(kindBox);
    right->addWidget(person);
    auto *left = new QVBoxLayout;
    left->addWidget(company);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(ins_btn);
    buttons->addWidget(edit_btn);
    left->addLayout(buttons);
    left->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(right);
    layout->addLayout(left);

    connect(ins_btn, &QPushButton::clicked, this, &peymankaran_ins::insert);
    connect(edit_btn, &QPushButton::clicked, this, &peymankaran_ins::edit);
}

void peymankaran_ins::startNew()
{
    editedId_ = 0;
    storedKind_.clear();
    haghighi->setChecked(true);
    for (auto &[name, e] : edits_)
        e->clear();
    for (JalaliDateEdit *d : dates_)
        d->setDate(emptyDateMask);
    ins_btn->setVisible(true);
    edit_btn->setVisible(false);
}

void peymankaran_ins::startEdit(qint64 id, const Row &listed)
{
    startNew();
    editedId_ = id;
    const Row c = guard_.loadOver(dm().main(), id, listed);
    storedKind_ = c.value(QStringLiteral("typ")).toString();
    haghighi->group()->setExclusive(false);
    haghighi->setChecked(storedKind_ == naturalPerson);
    hoghoghi->setChecked(storedKind_ == legalPerson);
    haghighi->group()->setExclusive(true);
    for (auto &[name, e] : edits_)
        e->setText(c.value(name).toString());
    for (JalaliDateEdit *d : dates_)
        d->setDate(c.value(d->objectName()).toString());
    ins_btn->setVisible(false);
    edit_btn->setVisible(true);
}

TypedTexts peymankaran_ins::typed() const
{
    TypedTexts t;
    for (const auto &[name, e] : edits_)
        t[name] = typedText(e);
    for (JalaliDateEdit *d : dates_)
        t[d->objectName()] = typedText(d);
    // A stored kind of neither choice is kept as it is.
    t[QStringLiteral("typ")] = haghighi->isChecked() ? naturalPerson : hoghoghi->isChecked() ? legalPerson : storedKind_;
    return t;
}

std::optional<RowValues> peymankaran_ins::readable(const TypedTexts &t)
{
    if (!acceptDates(dates_))
        return std::nullopt;
    RowValues values = study::readContractor(t);
    if (!values.error.isEmpty()) {
        ui().message(values.error, MessageKind::Warning);
        return std::nullopt;
    }
    return values;
}

bool peymankaran_ins::insert()
{
    const TypedTexts t = typed();
    const std::optional<RowValues> values = readable(t);
    if (!values)
        return false;
    try {
        const Db &db = dm().main();
        if (study::contractorExists(db, t)) {
            ui().message(study::duplicateContractorMessage);
            return false;
        }
        study::insertContractor(db, t, *values, session().karbar);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return false;
    }
    ui().message(QStringLiteral("ثبت شد"));
    emit saved();
    accept();
    return true;
}

bool peymankaran_ins::edit()
{
    const TypedTexts t = typed();
    const std::optional<RowValues> values = readable(t);
    if (!values)
        return false;
    try {
        const Db &db = dm().main();
        if (!guard_.save(
                db, [&] { study::updateContractor(db, editedId_, t, *values, session().karbar); },
                [this](const Row &stored) { startEdit(editedId_, stored); }))
            return false;
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return false;
    }
    ui().message(QStringLiteral("ويرايش انجام شد"));
    emit saved();
    accept();
    return true;
}

}  // namespace bv
