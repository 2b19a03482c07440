#include "peymankar_ins.h"

#include "dateedit.h"
#include "dm.h"
#include "interaction.h"
#include "session.h"
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

peymankar_ins::peymankar_ins(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("peymankar_ins"));
    setWindowTitle(QStringLiteral("ثبت/ويرايش پيمانکار"));
    auto edit = [this](const char *name) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        edits_[QLatin1String(name)] = e;
        return e;
    };
    lname = edit("lname");
    fname = edit("fname");
    father = edit("father");
    sh_no = edit("sh_no");
    nation = edit("nation");
    sodor = edit("sodor");
    degree = edit("degree");
    zipcode = edit("zipcode");
    adr = edit("adr");
    bank = edit("bank");
    shobe = edit("shobe");
    hesab_no = edit("hesab_no");
    mobile = edit("mobile");
    phone = edit("phone");
    comp_name = edit("comp_name");
    comp_loc = edit("comp_loc");
    comp_adr = edit("comp_adr");
    comp_no = edit("comp_no");
    comp_shenase = edit("comp_shenase");
    tamin_shobe = edit("tamin_shobe");
    eghtesadi_cod = edit("eghtesadi_cod");
    birthday = new JalaliDateEdit(this);
    birthday->setObjectName(QStringLiteral("birthday"));
    comp_dat = new JalaliDateEdit(this);
    comp_dat->setObjectName(QStringLiteral("comp_dat"));
    tamin_shahr = new QComboBox(this);
    tamin_shahr->setObjectName(QStringLiteral("tamin_shahr"));
    tamin_shahr->setEditable(true);
    tamin_shahr->addItems({QStringLiteral("آشتيان"), QStringLiteral("اراک"), QStringLiteral("تفرش"),
                           QStringLiteral("خمين"), QStringLiteral("ساوه"), QStringLiteral("محلات")});
    typ_haghighi = new QRadioButton(survey::naturalPerson, this);
    typ_hoghoghi = new QRadioButton(survey::legalPerson, this);
    auto *kinds = new QButtonGroup(this);
    kinds->addButton(typ_haghighi);
    kinds->addButton(typ_hoghoghi);
    ins_btn = new QPushButton(QStringLiteral("ثبت"), this);
    edit_btn = new QPushButton(QStringLiteral("ويرايش"), this);

    auto *kindBox = new QGroupBox(QStringLiteral("نوع"), this);
    guard_.setLabel(QStringLiteral("typ"), kindBox->title());
    auto *kindRow = new QHBoxLayout(kindBox);
    kindRow->addWidget(typ_haghighi);
    kindRow->addWidget(typ_hoghoghi);
    auto group = [this](const QString &title, std::initializer_list<std::pair<QString, QWidget *>> rows) {
        auto *box = new QGroupBox(title, this);
        auto *form = new QFormLayout(box);
        for (const auto &[label, widget] : rows) {
            if (auto *date = qobject_cast<JalaliDateEdit *>(widget))
                date->setCaption(label);
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
                          {QStringLiteral("تلفن ثابت"), phone}, {QStringLiteral("تلفن همراه"), mobile},
                          {QStringLiteral("کدپستي"), zipcode}, {QStringLiteral("شماره حساب"), hesab_no},
                          {QStringLiteral("بانک"), bank}, {QStringLiteral("شعبه"), shobe},
                          {QStringLiteral("آدرس"), adr}});
    auto *company = group(QStringLiteral("مشخصات شرکت"),
                          {{QStringLiteral("نام شرکت"), comp_name}, {QStringLiteral("تاريخ ثبت"), comp_dat},
                           {QStringLiteral("محل ثبت"), comp_loc}, {QStringLiteral("محل کار"), comp_adr},
                           {QStringLiteral("شماره ثبت"), comp_no}, {QStringLiteral("شناسه ملي"), comp_shenase},
                           {QStringLiteral("کد اقتصادي"), eghtesadi_cod}});
    auto *insurance = group(QStringLiteral("اطلاعات بيمه"), {{QStringLiteral("شهرستان"), tamin_shahr},
                                                              {QStringLiteral("شعبه تامين اجتماعي"), tamin_shobe}});
    auto *right = new QVBoxLayout;
    right->addWidget(kindBox);
    right->addWidget(person);
    auto *left = new QVBoxLayout;
    left->addWidget(company);
    left->addWidget(insurance);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(ins_btn);
    buttons->addWidget(edit_btn);
    left->addLayout(buttons);
    left->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(right);
    layout->addLayout(left);

    // Enter moves along the entry order; in the last box it presses the visible button.
    const QList<QWidget *> chain = {fname, lname, father, sh_no, nation, birthday, sodor, degree, phone, mobile,
                                    zipcode, hesab_no, bank, shobe, adr, comp_name, comp_dat, comp_loc, comp_adr,
                                    comp_no, comp_shenase};
    for (int i = 0; i + 1 < chain.size(); ++i) {
        QWidget *next = chain[i + 1];
        connect(static_cast<QLineEdit *>(chain[i]), &QLineEdit::returnPressed, next,
                qOverload<>(&QWidget::setFocus));
    }
    connect(comp_shenase, &QLineEdit::returnPressed, this,
            [this] { (ins_btn->isVisibleTo(this) ? ins_btn : edit_btn)->click(); });
    connect(ins_btn, &QPushButton::clicked, this, &peymankar_ins::insert);
    connect(edit_btn, &QPushButton::clicked, this, &peymankar_ins::edit);
}

void peymankar_ins::startNew()
{
    editedId_ = 0;
    typ_haghighi->setChecked(true);
    for (auto &[name, e] : edits_)
        e->clear();
    birthday->setDate(emptyDateMask);
    comp_dat->setDate(emptyDateMask);
    tamin_shahr->setEditText(QString());
    ins_btn->setVisible(true);
    edit_btn->setVisible(false);
}

void peymankar_ins::startEdit(qint64 id, const Row &listed)
{
    editedId_ = id;
    const Row c = guard_.loadOver(dm().main(), id, listed);
    const QString kind = c.value(QStringLiteral("typ")).toString();
    typ_haghighi->group()->setExclusive(false);
    typ_haghighi->setChecked(kind == survey::naturalPerson);
    typ_hoghoghi->setChecked(kind == survey::legalPerson);
    typ_haghighi->group()->setExclusive(true);
    for (auto &[name, e] : edits_)
        e->setText(c.value(name).toString());
    birthday->setDate(c.value(QStringLiteral("birthday")).toString());
    comp_dat->setDate(c.value(QStringLiteral("comp_dat")).toString());
    showStoredValue(tamin_shahr, c.value(QStringLiteral("tamin_shahr")).toString());
    ins_btn->setVisible(false);
    edit_btn->setVisible(true);
}

QString peymankar_ins::chosenKind() const
{
    if (typ_haghighi->isChecked())
        return survey::naturalPerson;
    if (typ_hoghoghi->isChecked())
        return survey::legalPerson;
    return {};
}

survey::ContractorTexts peymankar_ins::typed()
{
    survey::ContractorTexts t;
    for (auto &[name, e] : edits_)
        t[name] = typedText(e);
    t[QStringLiteral("birthday")] = typedText(birthday);
    t[QStringLiteral("comp_dat")] = typedText(comp_dat);
    t[QStringLiteral("tamin_shahr")] = typedText(tamin_shahr);
    return t;
}

bool peymankar_ins::insert()
{
    if (!acceptDates({birthday, comp_dat}))
        return false;
    survey::ContractorTexts t = typed();
    t[QStringLiteral("typ")] = chosenKind();
    // The kind decides the printed name and the tax of the credits report:
    // it is never guessed.
    if (t.value(QStringLiteral("typ")).isEmpty()) {
        ui().message(kindMissingMessage);
        typ_haghighi->setFocus();
        return false;
    }
    try {
        const Db &db = dm().main();
        if (survey::contractorExists(db, t)) {
            ui().message(survey::duplicateContractorMessage);
            return false;
        }
        survey::insertContractor(db, t, session().karbar);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return false;
    }
    ui().message(QStringLiteral("ثبت شد"));
    emit saved();
    accept();
    return true;
}

bool peymankar_ins::edit()
{
    if (!acceptDates({birthday, comp_dat}))
        return false;
    survey::ContractorTexts t = typed();
    t[QStringLiteral("typ")] = chosenKind();
    // The kind decides the printed name and the tax of the credits report:
    // it is never guessed.
    if (t.value(QStringLiteral("typ")).isEmpty()) {
        ui().message(kindMissingMessage);
        typ_haghighi->setFocus();
        return false;
    }
    try {
        const Db &db = dm().main();
        if (!guard_.save(
                db, [&] { survey::updateContractor(db, editedId_, t, session().karbar); },
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
