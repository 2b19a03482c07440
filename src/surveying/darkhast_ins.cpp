#include "darkhast_ins.h"

#include "dateedit.h"
#include "dates.h"
#include "dm.h"
#include "fillsteps.h"
#include "interaction.h"
#include "monedit.h"
#include "villages.h"
#include "widgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace bv {

namespace {
QComboBox *editableCombo(QWidget *parent)
{
    auto *c = new QComboBox(parent);
    c->setEditable(true);
    return c;
}

void refill(QComboBox *box, const QStringList &items)
{
    const QString kept = box->currentText();
    const QSignalBlocker block(box);
    box->clear();
    box->addItems(items);
    box->setEditText(kept);
}
}  // namespace

darkhast_ins::darkhast_ins(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("darkhast_ins"));
    setWindowTitle(QStringLiteral("ثبت/تاييد برآورد نقشه برداري"));

    dat_darkhast = new JalaliDateEdit(this);
    dat_darkhast->setCaption(QStringLiteral("تاريخ درخواست"));
    city = editableCombo(this);
    bakhsh = editableCombo(this);
    dehestan = editableCombo(this);
    rosta = editableCombo(this);
    cod = editableCombo(this);
    dat_naghshe = new JalaliDateEdit(this);
    masahat_por = new QLineEdit(this);
    masahat_khali = new QLineEdit(this);
    mablagh = new MonEdit(this);
    cmt = new QLineEdit(this);
    cmt->setMaxLength(150);
    dat_borvinat = new JalaliDateEdit(this);
    cmt2 = new QLineEdit(this);
    cmt2->setMaxLength(150);
    for (auto [input, column] : std::initializer_list<std::pair<QWidget *, const char *>>{
             {dat_naghshe, "dat_naghshe"}, {masahat_por, "masahat_por"}, {masahat_khali, "masahat_khali"},
             {mablagh, "mablagh"}, {cmt, "cmt"}, {dat_borvinat, "dat_borvinat"}, {cmt2, "cmt2"}})
        input->setObjectName(QLatin1String(column));
    // The approval dates are put by the browser and emptied by their captions.
    dat_naghshe->setReadOnly(true);
    dat_borvinat->setReadOnly(true);
    Label7 = new ClickLabel(QStringLiteral("تاريخ تاييد نقشه بردار"), this);
    Label12 = new ClickLabel(QStringLiteral("تاريخ تاييد مطالعات"), this);

    typ = new QGroupBox(QStringLiteral("نوع عمليات"), this);
    typRequest = new QRadioButton(QStringLiteral("ثبت درخواست"), typ);
    typSurvey = new QRadioButton(QStringLiteral("تاييد نقشه بردار"), typ);
    typStudies = new QRadioButton(QStringLiteral("تاييد مطالعات"), typ);
    auto *kinds = new QHBoxLayout(typ);
    for (QRadioButton *b : {typRequest, typSurvey, typStudies}) {
        b->setEnabled(false);  // the browser decides the kind
        kinds->addWidget(b);
    }
    ins_btn = new QPushButton(QStringLiteral("ثبت"), this);

    auto *grid = new QGridLayout;
    int row = 0;
    auto add = [&](QLabel *caption, QWidget *input) {
        guard_.setLabel(input->objectName(), caption->text());
        grid->addWidget(caption, row, 0);
        grid->addWidget(input, row, 1);
        ++row;
    };
    auto text = [this](const char *caption) { return new QLabel(QString::fromUtf8(caption), this); };
    add(text("تاريخ درخواست"), dat_darkhast);
    add(text("شهرستان"), city);
    add(text("بخش"), bakhsh);
    add(text("دهستان"), dehestan);
    add(text("روستا"), rosta);
    add(text("کد آبادي"), cod);
    add(Label7, dat_naghshe);
    add(text("مساحت بافت پر"), masahat_por);
    add(text("مساحت بافت خالي"), masahat_khali);
    add(text("مبلغ برآورد"), mablagh);
    add(text("توضيحات نقشه بردار"), cmt);
    add(Label12, dat_borvinat);
    add(text("توضيحات مطالعات"), cmt2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(typ);
    layout->addLayout(grid);
    layout->addWidget(ins_btn);

    connect(Label7, &ClickLabel::clicked, dat_naghshe, [this] { dat_naghshe->setDate(emptyDateMask); });
    connect(Label12, &ClickLabel::clicked, dat_borvinat, [this] { dat_borvinat->setDate(emptyDateMask); });
    connect(city, &QComboBox::currentTextChanged, this, [this] { fillChoices(bakhsh, 1); });
    connect(bakhsh, &QComboBox::currentTextChanged, this, [this] { fillChoices(dehestan, 2); });
    connect(dehestan, &QComboBox::currentTextChanged, this, [this] { fillChoices(rosta, 3); });
    connect(rosta, &QComboBox::currentTextChanged, this, &darkhast_ins::villageChosen);
    connect(cod, &QComboBox::currentTextChanged, this, &darkhast_ins::codeChanged);
    connect(ins_btn, &QPushButton::clicked, this, &darkhast_ins::save);
}

void darkhast_ins::setKind(Kind kind)
{
    kind_ = kind;
    typRequest->setChecked(kind == Kind::Request);
    typSurvey->setChecked(kind == Kind::Survey);
    typStudies->setChecked(kind == Kind::Studies);
    for (QWidget *w : std::initializer_list<QWidget *>{dat_darkhast, city, bakhsh, dehestan, rosta, cod})
        w->setEnabled(kind == Kind::Request);
    for (QWidget *w : std::initializer_list<QWidget *>{masahat_por, masahat_khali, mablagh, cmt})
        w->setEnabled(kind == Kind::Survey);
    cmt2->setEnabled(kind == Kind::Studies);
}

void darkhast_ins::fillLists()
{
    try {
        const Db &db = dm().main();
        if (cod->count() == 0)
            refill(cod, villageChoices(db, VillageLevel::Code));
        if (city->count() == 0)
            refill(city, villageChoices(db, VillageLevel::County));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void darkhast_ins::fillChoices(QComboBox *box, int level)
{
    if (loading_)
        return;
    VillagePlace place{.city = typedText(city)};
    VillageLevel wanted = VillageLevel::District;
    if (level >= 2) {
        place.bakhsh = typedText(bakhsh);
        wanted = VillageLevel::RuralDistrict;
    }
    if (level >= 3) {
        place.dehestan = typedText(dehestan);
        wanted = VillageLevel::Village;
    }
    try {
        refill(box, villageChoices(dm().main(), wanted, place));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void darkhast_ins::villageChosen()
{
    if (loading_ || !typedText(cod).isEmpty() || typedText(rosta).isEmpty())
        return;
    try {
        if (const std::optional<Village> v =
                firstVillage(dm().main(), {.city = typedText(city), .bakhsh = typedText(bakhsh),
                                           .dehestan = typedText(dehestan), .rosta = typedText(rosta)}))
            cod->setEditText(v->cod);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void darkhast_ins::codeChanged()
{
    if (loading_)
        return;
    try {
        const QString code = typedText(cod);
        const Village v = code.isEmpty() ? Village{} : villageByCode(dm().main(), code).value_or(Village{});
        loading_ = true;  // the names follow the code, not the other way round
        city->setEditText(v.city);
        bakhsh->setEditText(v.bakhsh);
        dehestan->setEditText(v.dehestan);
        rosta->setEditText(v.rosta);
        loading_ = false;
        fillChoices(bakhsh, 1);
        fillChoices(dehestan, 2);
        fillChoices(rosta, 3);
    } catch (const DbError &e) {
        loading_ = false;
        ui().message(e.text(), MessageKind::Error);
    }
}

void darkhast_ins::load(const Row &row)
{
    id_ = row.value(QStringLiteral("id")).toLongLong();
    loading_ = true;
    dat_darkhast->setDate(row.value(QStringLiteral("dat_darkhast")).toString());
    for (auto [column, box] : {std::pair{"city", city}, {"bakhsh", bakhsh}, {"dehestan", dehestan},
                               {"rosta", rosta}, {"cod", cod}})
        showStoredValue(box, row.value(QLatin1String(column)).toString());
    dat_naghshe->setDate(row.value(QStringLiteral("dat_naghshe")).toString());
    masahat_por->setText(Decimal::fromVariant(row.value(QStringLiteral("masahat_por"))).plain());
    masahat_khali->setText(Decimal::fromVariant(row.value(QStringLiteral("masahat_khali"))).plain());
    mablagh->setMoney(Money::fromVariant(row.value(QStringLiteral("mablagh"))));
    cmt->setText(row.value(QStringLiteral("cmt")).toString());
    dat_borvinat->setDate(row.value(QStringLiteral("dat_borvinat")).toString());
    cmt2->setText(row.value(QStringLiteral("cmt2")).toString());
    loading_ = false;
}

void darkhast_ins::startRequest()
{
    fillLists();
    id_ = 0;
    loading_ = true;
    for (QComboBox *box : {city, bakhsh, dehestan, rosta, cod})
        showStoredValue(box, {});
    loading_ = false;
    dat_darkhast->setDate(report::today());
    dat_naghshe->setDate(emptyDateMask);
    dat_borvinat->setDate(emptyDateMask);
    for (QLineEdit *e : {masahat_por, masahat_khali, static_cast<QLineEdit *>(mablagh)})
        e->setText(QStringLiteral("0"));
    cmt->clear();
    cmt2->clear();
    setKind(Kind::Request);
    city->setFocus();
}

void darkhast_ins::startSurvey(const Row &row)
{
    fillLists();
    // Shown as stored now, and remembered for the save.
    load(guard_.loadOver(dm().main(), row.value(QStringLiteral("id")), row));
    dat_naghshe->setDate(report::today());
    setKind(Kind::Survey);
    masahat_por->setFocus();
}

void darkhast_ins::startStudies(const Row &row)
{
    fillLists();
    load(guard_.loadOver(dm().main(), row.value(QStringLiteral("id")), row));
    dat_borvinat->setDate(report::today());
    setKind(Kind::Studies);
    ins_btn->setFocus();
}

bool darkhast_ins::stageOpen(const Db &db, const std::function<QStringList(const QString &, const QString &)> &refusals)
{
    const Row now = survey::requestRow(db, id_);
    if (now.isEmpty()) {
        ui().message(survey::requestGoneMessage);
        return false;
    }
    const QStringList refused =
        refusals(now.value(QStringLiteral("dat_naghshe")).toString(), now.value(QStringLiteral("dat_borvinat")).toString());
    for (const QString &refusal : refused)
        ui().message(refusal);
    return refused.isEmpty();
}

bool darkhast_ins::save()
{
    try {
        const Db &db = dm().main();
        switch (kind_) {
        case Kind::Request: {
            if (!acceptDates({dat_darkhast}))
                return false;
            id_ = survey::addRequest(db, {dat_darkhast->date(), typedText(city), typedText(bakhsh),
                                          typedText(dehestan), typedText(rosta), typedText(cod)});
            break;
        }
        case Kind::Survey: {
            const survey::SurveyReading r = survey::readSurveyApproval(
                dat_naghshe->date(), typedText(masahat_por), typedText(masahat_khali), mablagh->money(),
                typedText(cmt));
            if (!r.error.isEmpty()) {
                ui().message(r.error, MessageKind::Warning);
                return false;
            }
            // A stage another clerk closed meanwhile is refused as such.
            if (!stageOpen(db, survey::surveyingRefusals))
                return false;
            bool approved = true;
            if (!guard_.save(
                    db, [&] { approved = survey::approveSurvey(db, id_, r.approval); },
                    [&](const Row &) { startSurvey(survey::requestRow(db, id_)); }))
                return false;
            if (!approved) {
                ui().message(survey::requestRow(db, id_).isEmpty() ? survey::requestGoneMessage
                                                                   : survey::approvedByStudiesMessage);
                return false;
            }
            break;
        }
        case Kind::Studies: {
            if (!stageOpen(db, survey::studiesRefusals))
                return false;
            bool approved = true;
            if (!guard_.save(
                    db, [&] { approved = survey::approveStudies(db, id_, dat_borvinat->date(), typedText(cmt2)); },
                    [&](const Row &) { startStudies(survey::requestRow(db, id_)); }))
                return false;
            if (!approved) {
                const Row now = survey::requestRow(db, id_);
                if (now.isEmpty())
                    ui().message(survey::requestGoneMessage);
                else
                    for (const QString &refusal :
                         survey::studiesRefusals(now.value(QStringLiteral("dat_naghshe")).toString(),
                                                 now.value(QStringLiteral("dat_borvinat")).toString()))
                        ui().message(refusal);
                return false;
            }
            break;
        }
        }
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return false;
    }
    emit saved(id_);
    accept();
    return true;
}

}  // namespace bv
