#include "borvinat_ins.h"

#include "borvinat_fee.h"
#include "borvinat_record.h"
#include "dateedit.h"
#include "dm.h"
#include "interaction.h"
#include "lookuplists.h"
#include "peymankaran_list.h"
#include "session.h"
#include "villages.h"
#include "widgets.h"
#include "windows.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace bv {

namespace {
const QString emptyContractor = QStringLiteral("?");

// Fields shown yellow while they have the focus.
const QStringList highlighted = {"cod",     "x",      "y",      "city",       "bakhsh", "dehestan",
                                 "rosta",   "khanevar", "jamiyat", "majmoe", "etebar_sal", "masahat"};

// Where Enter moves the focus.
const QStringList enterOrder = {"cod",         "x",           "y",           "city",          "bakhsh",
                                "dehestan",    "rosta",       "khanevar",    "khanevar_p",    "jamiyat",
                                "jamiyat_p",   "majmoe",      "masahat",     "masahat_m",     "masahat_p",
                                "masahat_z_m", "masahat_z_p", "masahat_k_k_p", "masahat_k_m_p", "masahat_t",
                                "masahat_b_m", "masahat_b_p", "roshd",       "etebar_sal",    "tamin_loc"};

// The inputs a new record shows as "0".
const QStringList zeroed = {"prot_mablagh", "tarh_emtiyaz", "gis_emtiyaz", "arzyabi_emtiyaz", "prot_mablagh_binofoz",
                            "checklist_nahaei_emtiyaz", "gis_emtiyaz2", "khanevar_p", "jamiyat_p", "masahat_m",
                            "masahat_p", "masahat_z_m", "masahat_z_p", "masahat_k_k_p", "masahat_k_m_p", "masahat_t",
                            "masahat_b_m", "masahat_b_p", "roshd"};

// The groups of the window by their first column.
const std::vector<std::pair<const char *, QString>> groupStarts = {
    {"ostan", QStringLiteral("مشخصات روستا")},
    {"etebar_sal", QStringLiteral("اعتبار، طرح و مشاوران")},
    {"tarh_tahvil_dat1", QStringLiteral("مراحل طرح")},
    {"khanevar_p", QStringLiteral("ارقام موجود و پيشنهادي")},
};

QString coordinateHint(const char *column)
{
    if (qstrcmp(column, "X") == 0)
        return QStringLiteral("Longitude");
    if (qstrcmp(column, "Y") == 0)
        return QStringLiteral("Latitude");
    return {};
}

QString inputName(const char *column)
{
    return QString::fromLatin1(column).toLower();
}
}  // namespace

borvinat_ins::borvinat_ins(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("borvinat_ins"));
    setWindowTitle(QStringLiteral("ثبت/ويرايش مطالعات"));
    peymankar_name = new QLabel(emptyContractor, this);
    peymankar_id = new QLabel(QStringLiteral("0"), this);
    peymankar_id->hide();
    Label14 = new ClickLabel(QStringLiteral("انتخاب پيمانکار"), this);
    Label14->setLinkColour(Qt::green);
    Label15 = new ClickLabel(QStringLiteral("حذف پيمانکار"), this);
    Label15->setLinkColour(Qt::red);
    ins_btn = new QPushButton(QStringLiteral("ثبت"), this);
    edit_btn = new QPushButton(QStringLiteral("ويرايش"), this);

    auto *columns = new QGridLayout;
    QGridLayout *grid = nullptr;
    int placed = 0;
    for (const study::StudyField &f : study::studyFields()) {
        for (const auto &[start, title] : groupStarts)
            if (qstrcmp(f.column, start) == 0) {
                auto *box = new QGroupBox(title, this);
                grid = new QGridLayout(box);
                columns->addWidget(box, int(columns->count()) / 2, int(columns->count()) % 2);
                placed = 0;
            }
        if (f.kind == study::FieldKind::Hidden)
            continue;
        QWidget *input = nullptr;
        switch (f.kind) {
        case study::FieldKind::Combo:
        case study::FieldKind::Status: {
            auto *c = new QComboBox(this);
            c->setEditable(f.kind == study::FieldKind::Combo);
            if (f.kind == study::FieldKind::Status)
                c->addItems(study::statusChoices);
            input = c;
            break;
        }
        case study::FieldKind::Date: {
            auto *d = new JalaliDateEdit(this);
            d->setCaption(f.label);
            dates_ << d;
            input = d;
            break;
        }
        default: {
            auto *e = new QLineEdit(this);
            e->setReadOnly(f.kind == study::FieldKind::ReadOnly);
            if (f.kind == study::FieldKind::Year)
                e->setInputMask(QStringLiteral("0000"));
            input = e;
            break;
        }
        }
        input->setObjectName(inputName(f.column));
        inputs_[input->objectName()] = input;
        auto *caption = new ClickLabel(f.label, this);
        // The coordinates carry a small English caption under their labels.
        if (const QString hint = coordinateHint(f.column); !hint.isEmpty())
            caption->setText(f.label + QStringLiteral("<br><small>") + hint + QStringLiteral("</small>"));
        guard_.setLabel(QLatin1String(f.column), f.label);
        // A date's caption clears it, except the extension's.
        if (auto *d = qobject_cast<JalaliDateEdit *>(input); d && input->objectName() != QLatin1String("tamdid_dat"))
            connect(caption, &ClickLabel::clicked, d, [d] { d->setDate(emptyDateMask); });
        grid->addWidget(caption, placed / 2, (placed % 2) * 2);
        grid->addWidget(input, placed / 2, (placed % 2) * 2 + 1);
        ++placed;
    }
    auto take = [this](auto *&member, const char *name) {
        member = qobject_cast<std::remove_reference_t<decltype(member)>>(inputs_.at(QLatin1String(name)));
    };
    take(ostan, "ostan"); take(city, "city"); take(bakhsh, "bakhsh"); take(dehestan, "dehestan");
    take(rosta, "rosta"); take(khanevar, "khanevar"); take(cod, "cod"); take(x, "x"); take(y, "y");
    take(jamiyat, "jamiyat"); take(majmoe, "majmoe"); take(etebar_sal, "etebar_sal"); take(tamin_loc, "tamin_loc");
    take(movafeghat_dat, "movafeghat_dat"); take(tarh_typ, "tarh_typ");
    take(naghshe_moshaver_name, "naghshe_moshaver_name"); take(naghshe_tahvil_dat2, "naghshe_tahvil_dat2");
    take(tarh_moshaver_name, "tarh_moshaver_name"); take(taeid_dat, "taeid_dat");
    take(taeid_paper_no, "taeid_paper_no"); take(tarh_prot_dat, "tarh_prot_dat");
    take(moshaver_prot_no, "moshaver_prot_no"); take(prot_mablagh, "prot_mablagh");
    take(prot_mablagh_binofoz, "prot_mablagh_binofoz"); take(amel4, "amel4");
    take(tarh_tahvil_dat1, "tarh_tahvil_dat1"); take(check_list_dat2, "check_list_dat2");
    take(arzyabi_dat, "arzyabi_dat"); take(tarh_emtiyaz, "tarh_emtiyaz"); take(jalase_city_dat, "jalase_city_dat");
    take(gis_dat, "gis_dat"); take(gis_emtiyaz, "gis_emtiyaz"); take(gis_emtiyaz2, "gis_emtiyaz2");
    take(komitefani_dat1, "komitefani_dat1"); take(tarh_tasvib_dat, "tarh_tasvib_dat");
    take(komitefani_dat3, "komitefani_dat3"); take(komitefani_dat4, "komitefani_dat4");
    take(arzyabi_emtiyaz, "arzyabi_emtiyaz"); take(jalase_tasvib_dat, "jalase_tasvib_dat");
    take(checklist_nahaei_dat, "checklist_nahaei_dat"); take(checklist_nahaei_emtiyaz, "checklist_nahaei_emtiyaz");
    take(ejra_checklist_dat, "ejra_checklist_dat"); take(ejra_emtiyaz, "ejra_emtiyaz");
    take(asnad_tahvil_dat, "asnad_tahvil_dat"); take(farmandari_dat, "farmandari_dat");
    take(tehran_ersal_dat, "tehran_ersal_dat"); take(status, "status"); take(tamdid_dat, "tamdid_dat");
    take(khanevar_p, "khanevar_p"); take(jamiyat_p, "jamiyat_p"); take(mojaz, "mojaz"); take(masahat, "masahat");
    take(masahat_m, "masahat_m"); take(masahat_p, "masahat_p"); take(masahat_z_m, "masahat_z_m");
    take(masahat_z_p, "masahat_z_p"); take(masahat_k_k_p, "masahat_k_k_p"); take(masahat_k_m_p, "masahat_k_m_p");
    take(masahat_t, "masahat_t"); take(masahat_b_m, "masahat_b_m"); take(masahat_b_p, "masahat_b_p");
    take(roshd, "roshd");
    auto *links = new QHBoxLayout;
    links->addWidget(Label14);
    links->addWidget(peymankar_name);
    links->addWidget(Label15);
    links->addStretch();
    links->addWidget(ins_btn);
    links->addWidget(edit_btn);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(links);

    for (int i = 0; i + 1 < enterOrder.size(); ++i)
        enterChain_[inputs_.at(enterOrder[i])] = inputs_.at(enterOrder[i + 1]);
    for (auto &[name, widget] : inputs_) {
        widget->installEventFilter(this);
        if (auto *c = qobject_cast<QComboBox *>(widget); c && c->lineEdit())
            c->lineEdit()->installEventFilter(this);
    }

    connect(ostan, &QComboBox::currentTextChanged, this, [this] { fillCascade(1); });
    connect(city, &QComboBox::currentTextChanged, this, [this] { fillCascade(2); });
    connect(bakhsh, &QComboBox::currentTextChanged, this, [this] { fillCascade(3); });
    connect(dehestan, &QComboBox::currentTextChanged, this, [this] { fillCascade(4); });
    connect(rosta, &QComboBox::currentTextChanged, this, &borvinat_ins::villageNameChanged);
    connect(cod, &QComboBox::currentTextChanged, this, &borvinat_ins::villageCodeChanged);
    connect(Label14, &ClickLabel::clicked, this, &borvinat_ins::chooseContractor);
    connect(Label15, &ClickLabel::clicked, this, &borvinat_ins::clearContractor);
    connect(ins_btn, &QPushButton::clicked, this, &borvinat_ins::registerStudy);
    connect(edit_btn, &QPushButton::clicked, this, &borvinat_ins::saveEdit);
}

bool borvinat_ins::eventFilter(QObject *watched, QEvent *event)
{
    QWidget *w = qobject_cast<QWidget *>(watched);
    if (w && qobject_cast<QLineEdit *>(w) && qobject_cast<QComboBox *>(w->parentWidget()))
        w = w->parentWidget();  // the line edit inside an editable list
    if (!w)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        const auto next = enterChain_.find(w);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && next != enterChain_.end()) {
            next->second->setFocus();
            return true;
        }
        break;
    }
    case QEvent::FocusIn:
        if (highlighted.contains(w->objectName()))
            w->setStyleSheet(QStringLiteral("background: yellow;"));
        if (w == prot_mablagh || w == prot_mablagh_binofoz)
            computeFee(static_cast<QLineEdit *>(w));
        break;
    case QEvent::FocusOut:
        if (highlighted.contains(w->objectName()))
            w->setStyleSheet(QString());
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void borvinat_ins::computeFee(QLineEdit *field)
{
    try {
        const Db &db = dm().main();
        const study::VillageCoefficients village = study::villageCoefficients(db, typedText(cod));
        const std::optional<QString> fee = study::studyFee(
            {typedText(tarh_typ), typedText(masahat), typedText(jamiyat), study::adjustmentCoefficient(db),
             village.remoteness, village.province},
            field == prot_mablagh ? study::FeeKind::WithInfluence : study::FeeKind::WithoutInfluence);
        if (!fee) {
            ui().message(study::feeErrorMessage, MessageKind::Warning);
            return;
        }
        field->setText(*fee);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    } catch (const NumberError &e) {
        ui().message(e.text(), MessageKind::Warning);
    }
}

void borvinat_ins::fillLists()
{
    filling_ = true;
    try {
        const Db &db = dm().main();
        auto refill = [](QComboBox *box, const QStringList &items) {
            const QString kept = box->currentText();
            box->clear();
            box->addItems(items);
            box->setEditText(kept);
        };
        refill(ostan, villageChoices(db, VillageLevel::Province));
        refill(tamin_loc, lookupItemsSorted(db, QStringLiteral("محل تامين اعتبار")));
        refill(tarh_typ, lookupItemsSorted(db, QStringLiteral("انواع طرح")));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
    filling_ = false;
}

void borvinat_ins::fillCascade(int level)
{
    if (filling_)
        return;
    VillagePlace place{.ostan = typedText(ostan)};
    QComboBox *targets[] = {city, bakhsh, dehestan, rosta};
    const VillageLevel wanted[] = {VillageLevel::County, VillageLevel::District, VillageLevel::RuralDistrict,
                                   VillageLevel::Village};
    if (level >= 2)
        place.city = typedText(city);
    if (level >= 3)
        place.bakhsh = typedText(bakhsh);
    if (level >= 4)
        place.dehestan = typedText(dehestan);
    QComboBox *target = targets[level - 1];
    filling_ = true;
    try {
        const QString kept = target->currentText();
        target->clear();
        target->addItems(villageChoices(dm().main(), wanted[level - 1], place));
        target->setEditText(kept);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
    filling_ = false;
}

void borvinat_ins::villageNameChanged()
{
    if (filling_ || !typedText(cod).isEmpty())
        return;
    try {
        const Village v = firstVillage(dm().main(), {.ostan = typedText(ostan), .city = typedText(city),
                                                     .bakhsh = typedText(bakhsh), .dehestan = typedText(dehestan),
                                                     .rosta = typedText(rosta)})
                              .value_or(Village{});
        filling_ = true;
        cod->setEditText(v.cod);
        filling_ = false;
        khanevar->setText(v.khanevar);
        jamiyat->setText(v.jamiyat);
        x->setText(v.x);
        y->setText(v.y);
    } catch (const DbError &e) {
        filling_ = false;
        ui().message(e.text(), MessageKind::Error);
    }
}

void borvinat_ins::villageCodeChanged()
{
    if (filling_)
        return;
    try {
        const Village v = villageByCode(dm().main(), typedText(cod)).value_or(Village{});
        filling_ = true;
        city->setEditText(v.city);
        bakhsh->setEditText(v.bakhsh);
        dehestan->setEditText(v.dehestan);
        rosta->setEditText(v.rosta);
        filling_ = false;
        khanevar->setText(v.khanevar);
        jamiyat->setText(v.jamiyat);
        x->setText(v.x);
        y->setText(v.y);
    } catch (const DbError &e) {
        filling_ = false;
        ui().message(e.text(), MessageKind::Error);
    }
}

void borvinat_ins::chooseContractor()
{
    const std::optional<PickedStudyContractor> picked = windows::get<peymankaran_list>().pick();
    if (!picked)
        return;
    if (picked->name)
        peymankar_name->setText(*picked->name);
    tarh_moshaver_name->setText(peymankar_name->text());
    peymankar_id->setText(QString::number(picked->id));
}

void borvinat_ins::clearContractor()
{
    peymankar_name->setText(emptyContractor);
    peymankar_id->setText(QStringLiteral("0"));
    tarh_moshaver_name->clear();
}

void borvinat_ins::setMode(bool registering)
{
    ins_btn->setVisible(registering);
    edit_btn->setVisible(!registering);
    etebar_sal->setStyleSheet(QString());
}

void borvinat_ins::startNew()
{
    editedId_ = 0;
    setMode(true);
    filling_ = true;
    for (auto &[name, w] : inputs_) {
        if (auto *d = qobject_cast<JalaliDateEdit *>(w))
            d->setDate(emptyDateMask);
        else if (auto *e = qobject_cast<QLineEdit *>(w))
            e->setText(zeroed.contains(name) ? QStringLiteral("0") : QString());
        else if (auto *c = qobject_cast<QComboBox *>(w))
            showStoredValue(c, QString());
    }
    filling_ = false;
    fillLists();
    clearContractor();
}

void borvinat_ins::showRow(const Row &study)
{
    filling_ = true;
    for (const study::StudyField &f : study::studyFields()) {
        const auto it = inputs_.find(inputName(f.column));
        if (it == inputs_.end())
            continue;
        const QString text = study::storedStudyText(QLatin1String(f.column), study.value(inputName(f.column)));
        if (auto *d = qobject_cast<JalaliDateEdit *>(it->second))
            d->setDate(text.isEmpty() ? emptyDateMask : text);
        else if (auto *e = qobject_cast<QLineEdit *>(it->second))
            e->setText(text);
        else if (auto *c = qobject_cast<QComboBox *>(it->second))
            showStoredValue(c, text);
    }
    filling_ = false;
    fillLists();
    const qint64 contractor = study.value(QStringLiteral("peymankar_id")).toLongLong();
    peymankar_id->setText(QString::number(contractor));
    try {
        peymankar_name->setText(study::contractorLabel(dm().main(), contractor));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void borvinat_ins::startEdit(const Row &study)
{
    editedId_ = study.value(QStringLiteral("id")).toLongLong();
    setMode(false);
    showRow(guard_.loadOver(dm().main(), editedId_, study));
}

void borvinat_ins::startCopy(const Row &study)
{
    editedId_ = 0;
    setMode(true);
    showRow(study);
    // A new year starts its own workflow.
    gis_emtiyaz2->setText(QStringLiteral("0"));
    showStoredValue(status, QString());
    tamdid_dat->setDate(emptyDateMask);
    mojaz->clear();
    etebar_sal->setFocus();
    etebar_sal->setStyleSheet(QStringLiteral("background: yellow;"));
}

TypedTexts borvinat_ins::typed() const
{
    TypedTexts t;
    for (const study::StudyField &f : study::studyFields()) {
        const auto it = inputs_.find(inputName(f.column));
        if (it != inputs_.end())
            t[QLatin1String(f.column)] = typedText(it->second);
    }
    t[QStringLiteral("peymankar_id")] = peymankar_id->text();
    return t;
}

std::optional<RowValues> borvinat_ins::checked(const TypedTexts &t)
{
    if (!provinceKnown(dm().main(), t.value(QStringLiteral("ostan")), t.value(QStringLiteral("city")))) {
        ui().message(provinceMessage);
        return std::nullopt;
    }
    if (!acceptDates(dates_))
        return std::nullopt;
    RowValues values = study::readStudy(t);
    if (!values.error.isEmpty()) {
        ui().message(values.error, MessageKind::Warning);
        return std::nullopt;
    }
    return values;
}

bool borvinat_ins::registerStudy()
{
    const TypedTexts t = typed();
    qint64 id = 0;
    try {
        const Db &db = dm().main();
        if (study::studyExists(db, t)) {
            ui().message(study::duplicateStudyMessage);
            return false;
        }
        const std::optional<RowValues> values = checked(t);
        if (!values)
            return false;
        id = study::registerStudy(db, t, *values, session().karbar);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return false;
    }
    ui().message(QStringLiteral("ثبت شد"));
    accept();
    emit saved(id);
    return true;
}

bool borvinat_ins::saveEdit()
{
    const TypedTexts t = typed();
    try {
        const std::optional<RowValues> values = checked(t);
        if (!values)
            return false;
        const Db &db = dm().main();
        if (!guard_.save(
                db, [&] { study::editStudy(db, editedId_, t, *values, session().karbar); },
                [this](const Row &stored) {
                    Row study = stored;
                    study.insert(QStringLiteral("id"), editedId_);
                    startEdit(study);
                }))
            return false;
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return false;
    }
    ui().message(QStringLiteral("ويرايش انجام شد"));
    accept();
    emit saved(editedId_);
    return true;
}

}  // namespace bv
