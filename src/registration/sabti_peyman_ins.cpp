#include "sabti_peyman_ins.h"

#include "dateedit.h"
#include "dm.h"
#include "interaction.h"
#include "session.h"
#include "villages.h"
#include "widgets.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace bv {

sabti_peyman_ins::sabti_peyman_ins(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("sabti_peyman_ins"));
    setWindowTitle(QStringLiteral("پيمانکاران ثبتي"));
    auto edit = [this](const char *name) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        edits_[QLatin1String(name)] = e;
        return e;
    };
    auto choice = [this](const char *name, const QStringList &items) {
        auto *c = new QComboBox(this);
        c->setObjectName(QLatin1String(name));
        c->setEditable(true);
        c->addItems(items);
        return c;
    };
    fname = edit("fname");
    lname = edit("lname");
    company = edit("company");
    father = edit("father");
    nation = edit("nation");
    email = edit("email");
    mobile = edit("mobile");
    tel = edit("tel");
    nezam = edit("nezam");
    cod_sabti = edit("cod_sabti");
    model = edit("model");
    serial = edit("serial");
    // The portal password is kept exactly as typed, so it is not one of the normalised boxes.
    cod_karbari = new QLineEdit(this);
    cod_karbari->setObjectName(QStringLiteral("cod_karbari"));
    adr = edit("adr");
    hesab_no = edit("hesab_no");
    sodor = edit("sodor");
    sh_no = edit("sh_no");
    zipcode = edit("zipcode");
    bank = edit("bank");
    shobe = edit("shobe");
    comp_name = edit("comp_name");
    comp_loc = edit("comp_loc");
    comp_adr = edit("comp_adr");
    comp_no = edit("comp_no");
    comp_shenase = edit("comp_shenase");
    eghtesadi_cod = edit("eghtesadi_cod");
    tamin_shobe = edit("tamin_shobe");
    madrak = choice("madrak", {QStringLiteral("ديپلم"), QStringLiteral("کارداني"), QStringLiteral("کارشناسي"),
                               QStringLiteral("کارشناسي ارشد"), QStringLiteral("دکتري")});
    reshte = choice("reshte", {QStringLiteral("مهندسي نقشه برداري"), QStringLiteral("مهندسي عمران"),
                               QStringLiteral("مهندسي ژئودزي و ژئوماتيک"), QStringLiteral("سنجش از دور و GIS"),
                               QStringLiteral("جغرافيا")});
    tamin_shahr = choice("tamin_shahr", {});
    birthday = new JalaliDateEdit(this);
    birthday->setObjectName(QStringLiteral("birthday"));
    comp_dat = new JalaliDateEdit(this);
    comp_dat->setObjectName(QStringLiteral("comp_dat"));

    RadioGroup1 = new QGroupBox(QStringLiteral("نوع"), this);
    guard_.setLabel(QStringLiteral("typ"), RadioGroup1->title());
    haghighi = new QRadioButton(sabt::naturalPerson, RadioGroup1);
    hoghoghi = new QRadioButton(sabt::legalPerson, RadioGroup1);
    auto *kinds = new QButtonGroup(this);
    kinds->addButton(haghighi);
    kinds->addButton(hoghoghi);
    auto *kindRow = new QHBoxLayout(RadioGroup1);
    kindRow->addWidget(haghighi);
    kindRow->addWidget(hoghoghi);
    ins_btn = new QPushButton(QStringLiteral("ثبت"), this);
    edit_btn = new QPushButton(QStringLiteral("ويرايش"), this);

    auto form = [this](QWidget *box, std::initializer_list<std::pair<QString, QWidget *>> rows) {
        auto *f = new QFormLayout(box);
        for (const auto &[label, widget] : rows) {
            if (auto *date = qobject_cast<JalaliDateEdit *>(widget))
                date->setCaption(label);
            f->addRow(label, widget);
            guard_.setLabel(widget->objectName(), label);
        }
        return box;
    };
    auto *person = form(new QWidget(this),
                        {{QStringLiteral("نام"), fname}, {QStringLiteral("نام خانوادگي"), lname},
                         {QStringLiteral("نام شرکت"), company}, {QStringLiteral("نام پدر"), father},
                         {QStringLiteral("کد ملي"), nation}, {QStringLiteral("شماره شناسنامه"), sh_no},
                         {QStringLiteral("محل صدور"), sodor}, {QStringLiteral("تاريخ تولد"), birthday},
                         {QStringLiteral("مدرک تحصيلي"), madrak}, {QStringLiteral("رشته تحصيلي"), reshte},
                         {QStringLiteral("شماره نظام مهندسي"), nezam}, {QStringLiteral("پست الکترونيک"), email},
                         {QStringLiteral("تلفن همراه"), mobile}, {QStringLiteral("تلفن ثابت"), tel},
                         {QStringLiteral("آدرس"), adr}, {QStringLiteral("کدپستي"), zipcode}});
    auto *work = form(new QWidget(this),
                      {{QStringLiteral("يوزر ثبتي شميم"), cod_sabti}, {QStringLiteral("پسورد ثبتي شميم"), cod_karbari},
                       {QStringLiteral("مدل دستگاه"), model}, {QStringLiteral("سريال دستگاه"), serial},
                       {QStringLiteral("شماره حساب"), hesab_no}, {QStringLiteral("بانک"), bank},
                       {QStringLiteral("شعبه"), shobe}});
    auto *firm = form(new QGroupBox(QStringLiteral("مشخصات شرکت"), this),
                      {{QStringLiteral("نام شرکت"), comp_name}, {QStringLiteral("تاريخ ثبت"), comp_dat},
                       {QStringLiteral("محل ثبت"), comp_loc}, {QStringLiteral("محل کار"), comp_adr},
                       {QStringLiteral("شماره ثبت"), comp_no}, {QStringLiteral("شناسه ملي"), comp_shenase},
                       {QStringLiteral("کد اقتصادي"), eghtesadi_cod}});
    auto *insurance = form(new QGroupBox(QStringLiteral("اطلاعات بيمه"), this),
                           {{QStringLiteral("شهرستان"), tamin_shahr},
                            {QStringLiteral("شعبه تامين اجتماعي"), tamin_shobe}});

    auto *right = new QVBoxLayout;
    right->addWidget(RadioGroup1);
    right->addWidget(person);
    auto *left = new QVBoxLayout;
    left->addWidget(work);
    left->addWidget(firm);
    left->addWidget(insurance);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(ins_btn);
    buttons->addWidget(edit_btn);
    left->addLayout(buttons);
    left->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(right);
    layout->addLayout(left);

    connect(ins_btn, &QPushButton::clicked, this, &sabti_peyman_ins::insert);
    connect(edit_btn, &QPushButton::clicked, this, &sabti_peyman_ins::edit);
}

void sabti_peyman_ins::fillCounties()
{
    try {
        const QString kept = tamin_shahr->currentText();
        tamin_shahr->clear();
        tamin_shahr->addItems(villageChoices(dm().main(), VillageLevel::County));
        tamin_shahr->setEditText(kept);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void sabti_peyman_ins::startNew()
{
    editedId_ = 0;
    fillCounties();
    haghighi->group()->setExclusive(false);
    haghighi->setChecked(false);
    hoghoghi->setChecked(false);
    haghighi->group()->setExclusive(true);
    for (auto &[name, e] : edits_)
        e->clear();
    cod_karbari->clear();
    for (QComboBox *c : {madrak, reshte, tamin_shahr})
        showStoredValue(c, QString());
    birthday->setDate(emptyDateMask);
    comp_dat->setDate(emptyDateMask);
    ins_btn->setVisible(true);
    edit_btn->setVisible(false);
}

void sabti_peyman_ins::startEdit(qint64 id, const Row &listed)
{
    startNew();
    editedId_ = id;
    const Row c = guard_.loadOver(dm().main(), id, listed);
    const QString kind = c.value(QStringLiteral("typ")).toString();
    haghighi->setChecked(kind == sabt::naturalPerson);
    hoghoghi->setChecked(kind == sabt::legalPerson);
    for (auto &[name, e] : edits_)
        e->setText(c.value(name).toString());
    cod_karbari->setText(c.value(QStringLiteral("cod_karbari")).toString());
    for (QComboBox *box : {madrak, reshte, tamin_shahr})
        showStoredValue(box, c.value(box->objectName()).toString());
    birthday->setDate(c.value(QStringLiteral("birthday")).toString());
    comp_dat->setDate(c.value(QStringLiteral("comp_dat")).toString());
    ins_btn->setVisible(false);
    edit_btn->setVisible(true);
}

sabt::ContractorTexts sabti_peyman_ins::typed() const
{
    sabt::ContractorTexts t;
    for (const auto &[name, e] : edits_)
        t[name] = typedText(e);
    for (QWidget *box : std::initializer_list<QWidget *>{madrak, reshte, tamin_shahr, birthday, comp_dat})
        t[box->objectName()] = typedText(box);
    t[QStringLiteral("typ")] = haghighi->isChecked() ? sabt::naturalPerson
        : hoghoghi->isChecked()                      ? sabt::legalPerson
                                                     : QString();
    t[QStringLiteral("cod_karbari")] = cod_karbari->text();
    return t;
}

bool sabti_peyman_ins::insert()
{
    if (!acceptDates({birthday, comp_dat}))
        return false;
    const sabt::ContractorTexts t = typed();
    try {
        const Db &db = dm().main();
        if (sabt::contractorExists(db, t)) {
            ui().message(sabt::duplicateContractorMessage);
            return false;
        }
        sabt::insertContractor(db, t, session().karbar);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return false;
    }
    ui().message(QStringLiteral("ثبت شد"));
    emit saved();
    return true;
}

bool sabti_peyman_ins::edit()
{
    if (!acceptDates({birthday, comp_dat}))
        return false;
    const sabt::ContractorTexts t = typed();
    try {
        const Db &db = dm().main();
        if (!guard_.save(
                db, [&] { sabt::updateContractor(db, editedId_, t, session().karbar); },
                [this](const Row &stored) { startEdit(editedId_, stored); }))
            return false;
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return false;
    }
    ui().message(QStringLiteral("ويرايش شد"));
    emit saved();
    return true;
}

}  // namespace bv
