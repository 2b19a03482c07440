#include "sabt_ins.h"

#include "abadiha.h"
#include "dateedit.h"
#include "dm.h"
#include "interaction.h"
#include "lookuplists.h"
#include "monedit.h"
#include "money.h"
#include "sabt_calc.h"
#include "sabti_contractors.h"
#include "sabti_peyman.h"
#include "session.h"
#include "villages.h"
#include "widgets.h"
#include "windows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace bv {

namespace {
const QString noContractor = QStringLiteral("?");
const QStringList methods = {QStringLiteral("RTK"), QStringLiteral("PPK")};
const QStringList difficulties = {QStringLiteral("1"), QStringLiteral("1.5"), QStringLiteral("2")};
}  // namespace

sabt_ins::sabt_ins(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("sabt_ins"));
    setWindowTitle(QStringLiteral("ثبت/ويرايش ثبتي"));

    auto named = [this](QWidget *w, const char *name) {
        w->setObjectName(QLatin1String(name));
        inputs_[QLatin1String(name)] = w;
    };
    auto combo = [&](const char *name, const QStringList &items = {}, bool editable = true) {
        auto *c = new QComboBox(this);
        c->setEditable(editable);
        c->addItems(items);
        named(c, name);
        return c;
    };
    auto line = [&](const char *name) {
        auto *e = new QLineEdit(this);
        named(e, name);
        return e;
    };
    auto money = [&](const char *name) {
        auto *m = new MonEdit(this);
        named(m, name);
        return m;
    };
    auto date = [&](const char *name) {
        auto *d = new JalaliDateEdit(this);
        named(d, name);
        return d;
    };

    city = combo("city");
    bakhsh = combo("bakhsh");
    dehestan = combo("dehestan");
    rosta = combo("rosta");
    cod = combo("cod");
    tamin_sal = line("tamin_sal");
    tamin_sal->setInputMask(QStringLiteral("0000"));
    tarh = combo("tarh");
    prot_no = line("prot_no");
    prot_dat1 = date("prot_dat1");
    prot_dat2 = date("prot_dat2");
    peymankar_name = new QLabel(noContractor, this);
    peymankar_id = new QLabel(QStringLiteral("0"), this);
    peymankar_id->hide();
    Label40 = new ClickLabel(QStringLiteral("انتخاب پيمانکار"), this);
    Label40->setLinkColour(Qt::green);
    Label41 = new ClickLabel(QStringLiteral("حذف پيمانکار"), this);
    Label41->setLinkColour(Qt::red);
    Label51 = new ClickLabel(QStringLiteral("- - -"), this);

    gh_chek = new QCheckBox(QStringLiteral("مشخصات قرارداد - برآورد قطعه اي"), this);
    ravesh = combo("ravesh", methods);
    tedad = line("tedad");
    mablagh_gh = money("mablagh_gh");
    zarib_gh_s = combo("zarib_gh_s", difficulties);
    mablagh_gh_1 = money("mablagh_gh_1");

    hek_chek = new QCheckBox(QStringLiteral("مشخصات قرارداد - برآورد هکتاري"), this);
    ravesh2 = combo("ravesh2", methods);
    tedad_gh = line("tedad_gh");
    masahat = line("masahat");
    zarib_p = line("zarib_p");
    zarib_t = line("zarib_t");
    zarib_m = combo("zarib_m", difficulties);
    zarib_man = line("zarib_man");
    zarib_k = line("zarib_k");
    tajhiz = money("tajhiz");
    mablagh_m_1 = money("mablagh_m_1");

    paper_no = line("paper_no");
    paper_dat = date("paper_dat");
    tahvil_dat = date("tahvil_dat");
    hosn_dat = date("hosn_dat");
    esterdad = date("esterdad");

    ravesh_s = combo("ravesh_s", methods);
    status = combo("status", {QStringLiteral("قطعي"), QStringLiteral("موقت")}, false);
    tedad_s = line("tedad_s");
    mablagh_gh_s = money("mablagh_gh_s");
    zarib_s_s = combo("zarib_s_s", difficulties);
    hazine_map = money("hazine_map");
    status_dat_gh = date("status_dat_gh");

    ravesh_s_h = combo("ravesh_s_h", methods);
    tedad_gh_h = line("tedad_gh_h");
    masahat_s = line("masahat_s");
    zarib_p_s = line("zarib_p_s");
    zarib_t_s = line("zarib_t_s");
    zarib_m_s = line("zarib_m_s");
    zarib_man_h = line("zarib_man_h");
    zarib_k_s = line("zarib_k_s");
    jarime = money("jarime");
    map_hazine = money("map_hazine");
    status_dat_h = date("status_dat_h");

    ins_btn = new QPushButton(QStringLiteral("ثبت"), this);
    edit_btn = new QPushButton(QStringLiteral("ويرايش"), this);

    // Captions of dates clear their date when clicked.
    auto group = [this](const QString &title, std::initializer_list<std::pair<QString, QWidget *>> rows) {
        auto *box = new QGroupBox(title, this);
        auto *grid = new QGridLayout(box);
        int i = 0;
        for (const auto &[label, widget] : rows) {
            auto *caption = new ClickLabel(label, box);
            if (auto *d = qobject_cast<JalaliDateEdit *>(widget)) {
                connect(caption, &ClickLabel::clicked, d, [d] { d->setDate(emptyDateMask); });
                d->setCaption(label);
                dates_ << d;
            }
            guard_.setLabel(widget->objectName(), label);
            grid->addWidget(caption, i / 2, (i % 2) * 2);
            grid->addWidget(widget, i / 2, (i % 2) * 2 + 1);
            ++i;
        }
        return box;
    };
    auto *village = group(QStringLiteral("مشخصات روستا"),
                          {{QStringLiteral("شهرستان"), city}, {QStringLiteral("بخش"), bakhsh},
                           {QStringLiteral("دهستان"), dehestan}, {QStringLiteral("روستا"), rosta},
                           {QStringLiteral("کد آبادي"), cod}, {QStringLiteral("سال تامين اعتبار"), tamin_sal},
                           {QStringLiteral("نوع طرح"), tarh}, {QStringLiteral("شماره قرارداد"), prot_no},
                           {QStringLiteral("تاريخ قرارداد"), prot_dat1},
                           {QStringLiteral("تاريخ خاتمه قرارداد"), prot_dat2}});
    auto *villageLinks = new QHBoxLayout;
    villageLinks->addWidget(Label51);
    villageLinks->addWidget(Label40);
    villageLinks->addWidget(peymankar_name);
    villageLinks->addWidget(Label41);
    villageLinks->addStretch();
    static_cast<QGridLayout *>(village->layout())->addLayout(villageLinks, 5, 0, 1, 4);
    parcelEstimate_ = group(QString(), {{QStringLiteral("روش نقشه برداري"), ravesh},
                                        {QStringLiteral("تعداد قطعه"), tedad},
                                        {QStringLiteral("مبلغ هر قطعه (ريال)"), mablagh_gh},
                                        {QStringLiteral("ضريب صعوبت قطعه"), zarib_gh_s},
                                        {QStringLiteral("برآورد اوليه"), mablagh_gh_1}});
    hectareEstimate_ = group(QString(), {{QStringLiteral("روش نقشه برداري"), ravesh2},
                                         {QStringLiteral("تعداد قطعه"), tedad_gh},
                                         {QStringLiteral("مساحت (هکتار)"), masahat},
                                         {QStringLiteral("مبلغ پايه (هکتار) ريال"), zarib_p},
                                         {QStringLiteral("ضريب تراکم"), zarib_t},
                                         {QStringLiteral("ضريب صعوبت"), zarib_m},
                                         {QStringLiteral("ضريب منطقه"), zarib_man},
                                         {QStringLiteral("ضريب کوچکي"), zarib_k},
                                         {QStringLiteral("تجهيز کارگاه"), tajhiz},
                                         {QStringLiteral("برآورد اوليه"), mablagh_m_1}});
    auto *letters = group(QStringLiteral("مکاتبات"),
                          {{QStringLiteral("شماره نامه ابلاغ"), paper_no},
                           {QStringLiteral("تاريخ نامه ابلاغ"), paper_dat},
                           {QStringLiteral("تاريخ تحويل"), tahvil_dat},
                           {QStringLiteral("تاريخ نامه حسن انجام کار"), hosn_dat},
                           {QStringLiteral("تاريخ استرداد حسن انجام کار"), esterdad}});
    parcelStatement_ = group(QStringLiteral("صورت وضعيت - قطعه اي"),
                             {{QStringLiteral("روش نقشه برداري"), ravesh_s}, {QStringLiteral("نوع وضعيت"), status},
                              {QStringLiteral("تعداد قطعه"), tedad_s},
                              {QStringLiteral("مبلغ هر قطعه (ريال)"), mablagh_gh_s},
                              {QStringLiteral("ضريب صعوبت قطعه"), zarib_s_s},
                              {QStringLiteral("هزينه نقشه برداري"), hazine_map},
                              {QStringLiteral("تاريخ وضعيت"), status_dat_gh}});
    hectareStatement_ = group(QStringLiteral("صورت وضعيت - هکتاري"),
                              {{QStringLiteral("روش نقشه برداري"), ravesh_s_h},
                               {QStringLiteral("تعداد قطعه"), tedad_gh_h},
                               {QStringLiteral("مساحت (هکتار)"), masahat_s},
                               {QStringLiteral("مبلغ پايه (هکتار) ريال"), zarib_p_s},
                               {QStringLiteral("ضريب تراکم"), zarib_t_s}, {QStringLiteral("ضريب صعوبت"), zarib_m_s},
                               {QStringLiteral("ضريب منطقه"), zarib_man_h},
                               {QStringLiteral("ضريب کوچکي"), zarib_k_s},
                               {QStringLiteral("جريمه تاخير"), jarime},
                               {QStringLiteral("هزينه نقشه برداري"), map_hazine},
                               {QStringLiteral("تاريخ وضعيت"), status_dat_h}});

    auto *estimates = new QVBoxLayout;
    estimates->addWidget(gh_chek);
    estimates->addWidget(parcelEstimate_);
    estimates->addWidget(hek_chek);
    estimates->addWidget(hectareEstimate_);
    auto *columns = new QGridLayout;
    columns->addWidget(village, 0, 0);
    columns->addLayout(estimates, 0, 1, 2, 1);
    columns->addWidget(letters, 1, 0);
    columns->addWidget(parcelStatement_, 2, 0);
    columns->addWidget(hectareStatement_, 2, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ins_btn);
    buttons->addWidget(edit_btn);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);

    for (QWidget *computed : std::initializer_list<QWidget *>{mablagh_gh_1, hazine_map, mablagh_m_1, zarib_k, zarib_t})
        computed->installEventFilter(this);

    connect(gh_chek, &QCheckBox::toggled, this, [this](bool on) { setEstimates(on, hek_chek->isChecked()); });
    connect(hek_chek, &QCheckBox::toggled, this, [this](bool on) { setEstimates(gh_chek->isChecked(), on); });
    connect(city, &QComboBox::currentTextChanged, this, [this] { fillChoices(bakhsh, 1); });
    connect(bakhsh, &QComboBox::currentTextChanged, this, [this] { fillChoices(dehestan, 2); });
    connect(dehestan, &QComboBox::currentTextChanged, this, [this] { fillChoices(rosta, 3); });
    connect(rosta, &QComboBox::currentTextChanged, this, &sabt_ins::villageChosen);
    connect(cod, &QComboBox::currentTextChanged, this, &sabt_ins::codeChanged);
    connect(ravesh, &QComboBox::currentTextChanged, this,
            [this] { methodChanged(ravesh, mablagh_gh, sabt::PriceUnit::Parcel); });
    connect(ravesh_s, &QComboBox::currentTextChanged, this,
            [this] { methodChanged(ravesh_s, mablagh_gh_s, sabt::PriceUnit::Parcel); });
    connect(ravesh2, &QComboBox::currentTextChanged, this,
            [this] { methodChanged(ravesh2, zarib_p, sabt::PriceUnit::Hectare); });
    connect(ravesh_s_h, &QComboBox::currentTextChanged, this,
            [this] { methodChanged(ravesh_s_h, zarib_p_s, sabt::PriceUnit::Hectare); });
    connect(Label40, &ClickLabel::clicked, this, &sabt_ins::chooseContractor);
    connect(Label41, &ClickLabel::clicked, this, &sabt_ins::clearContractor);
    connect(Label51, &ClickLabel::clicked, this, &sabt_ins::chooseVillage);
    connect(ins_btn, &QPushButton::clicked, this, &sabt_ins::registerJob);
    connect(edit_btn, &QPushButton::clicked, this, &sabt_ins::saveEdit);
}

bool sabt_ins::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == mablagh_gh_1)
            computeParcelEstimate();
        else if (watched == hazine_map)
            computeParcelCost();
        else if (watched == mablagh_m_1)
            computeHectareEstimate();
        else if (watched == zarib_k)
            computeSmallness();
        else if (watched == zarib_t)
            computeDensity();
    }
    return QDialog::eventFilter(watched, event);
}

void sabt_ins::setEstimates(bool parcel, bool hectare)
{
    parcelEstimate_->setEnabled(parcel);
    parcelStatement_->setEnabled(parcel);
    hectareEstimate_->setEnabled(hectare);
    hectareStatement_->setEnabled(hectare);
}

void sabt_ins::setWidgetText(QWidget *w, const QVariant &value)
{
    const QString text = value.toString();
    if (auto *d = qobject_cast<JalaliDateEdit *>(w))
        d->setDate(text.isEmpty() ? emptyDateMask : text);
    else if (auto *m = qobject_cast<MonEdit *>(w); m && !text.isEmpty())
        m->setMoney(Money::fromVariant(value));
    else if (m)
        m->clear();
    else if (auto *e = qobject_cast<QLineEdit *>(w))
        // A float column comes back as a double: shown to its significant digits, 16.27 stays 16.27.
        e->setText(value.typeId() == QMetaType::Double ? Decimal::fromVariant(value).plain() : text);
    else if (auto *c = qobject_cast<QComboBox *>(w))
        showStoredValue(c, text);
}

sabt::JobTexts sabt_ins::typed() const
{
    sabt::JobTexts t;
    for (const auto &[column, widget] : inputs_)
        t[column] = typedText(widget);
    t[QStringLiteral("peymankar")] = peymankar_name->text();
    t[QStringLiteral("peymankar_id")] = peymankar_id->text();
    return t;
}

void sabt_ins::fillLists()
{
    try {
        const Db &db = dm().main();
        if (!countiesFilled_) {
            const QString kept = city->currentText();
            const QSignalBlocker block(city);
            city->clear();
            city->addItems(villageChoices(db, VillageLevel::County));
            city->setEditText(kept);
            countiesFilled_ = true;
        }
        const QString kept = tarh->currentText();
        const QSignalBlocker block(tarh);
        tarh->clear();
        tarh->addItems(lookupItemsSorted(db, QStringLiteral("نوع طرح ثبتي")));
        tarh->setEditText(kept);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void sabt_ins::fillChoices(QComboBox *box, int level)
{
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
        const QStringList items = villageChoices(dm().main(), wanted, place);
        const QString kept = box->currentText();
        const QSignalBlocker block(box);
        box->clear();
        box->addItems(items);
        box->setEditText(kept);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void sabt_ins::villageChosen()
{
    if (loading_ || !typedText(cod).isEmpty() || typedText(rosta).isEmpty())
        return;
    try {
        const std::optional<Village> v =
            firstVillage(dm().main(), {.city = typedText(city), .bakhsh = typedText(bakhsh),
                                       .dehestan = typedText(dehestan), .rosta = typedText(rosta)});
        if (!v)
            return;
        cod->setEditText(v->cod);  // runs the code look-up
        zarib_man->setText(v->zarib);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void sabt_ins::codeChanged()
{
    if (loading_)
        return;
    try {
        const QString code = typedText(cod);
        const Village v = code.isEmpty() ? Village{} : villageByCode(dm().main(), code).value_or(Village{});
        city->setEditText(v.city);
        bakhsh->setEditText(v.bakhsh);
        dehestan->setEditText(v.dehestan);
        rosta->setEditText(v.rosta);
        zarib_man->setText(v.zarib);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void sabt_ins::methodChanged(QComboBox *method, QLineEdit *price, sabt::PriceUnit unit)
{
    if (loading_)
        return;
    try {
        const QString list = sabt::priceList(typedText(method), unit);
        const QString value = list.isEmpty() ? QString() : lookupFirst(dm().main(), list);
        price->setText(value);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void sabt_ins::showAmount(MonEdit *box, const std::function<std::optional<Money>()> &compute)
{
    try {
        const std::optional<Money> m = compute();
        if (m)
            box->setMoney(*m);
        else
            box->setText(QStringLiteral("0"));
    } catch (const NumberError &e) {
        box->setText(QStringLiteral("0"));
        ui().message(e.text(), MessageKind::Warning);
    }
}

void sabt_ins::computeParcelEstimate()
{
    showAmount(mablagh_gh_1,
               [this] { return sabt::parcelAmount(typedText(tedad), mablagh_gh->money(), typedText(zarib_gh_s)); });
}

void sabt_ins::computeParcelCost()
{
    showAmount(hazine_map,
               [this] { return sabt::parcelAmount(typedText(tedad_s), mablagh_gh_s->money(), typedText(zarib_s_s)); });
}

void sabt_ins::computeHectareEstimate()
{
    showAmount(mablagh_m_1, [this] {
        return sabt::hectareAmount({typedText(masahat), typedText(zarib_p), typedText(zarib_t), typedText(zarib_m),
                                    typedText(zarib_man), typedText(zarib_k), tajhiz->money()});
    });
}

void sabt_ins::computeSmallness()
{
    zarib_k->setText(sabt::smallnessCoefficient(typedText(masahat)));
}

void sabt_ins::computeDensity()
{
    if (const std::optional<QString> d = sabt::densityCoefficient(typedText(tedad_gh), typedText(masahat)))
        zarib_t->setText(*d);
}

void sabt_ins::chooseContractor()
{
    const std::optional<ChosenContractor> chosen = windows::get<sabti_peyman>().pick(typedText(cod));
    if (!chosen)
        return;
    if (chosen->name)
        peymankar_name->setText(*chosen->name);
    peymankar_id->setText(QString::number(chosen->id));
}

void sabt_ins::clearContractor()
{
    peymankar_name->setText(noContractor);
    peymankar_id->setText(QStringLiteral("0"));
}

void sabt_ins::chooseVillage()
{
    if (const std::optional<Village> v = pickVillage(true))
        cod->setEditText(v->cod);  // runs the code look-up
}

void sabt_ins::clearInputs()
{
    for (auto &[name, w] : inputs_)
        setWidgetText(w, QVariant());
}

void sabt_ins::startNew()
{
    editedId_ = 0;
    loading_ = true;
    fillLists();
    clearInputs();
    tedad_gh->setText(QStringLiteral("0"));
    mablagh_gh->setText(QStringLiteral("0"));
    zarib_gh_s->setEditText(QStringLiteral("1"));
    mablagh_gh_1->setText(QStringLiteral("0"));
    tarh->setEditText(QStringLiteral("0"));
    try {
        tajhiz->setText(lookupFirst(dm().main(), QStringLiteral("مبلغ تجهيز کارگاه ثبتي")));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
    loading_ = false;
    clearContractor();
    gh_chek->setChecked(false);
    hek_chek->setChecked(false);
    setEstimates(false, false);
    ins_btn->setVisible(true);
    edit_btn->setVisible(false);
    city->setFocus();
}

bool sabt_ins::startEdit(qint64 id)
{
    Row job;
    QString contractor;
    try {
        const Db &db = dm().main();
        job = sabt::jobRow(db, id);
        if (job.isEmpty()) {
            ui().message(QStringLiteral("اين کار ثبتي ديگر وجود ندارد"), MessageKind::Warning);
            return false;
        }
        // Remembered as shown, for the save to find another clerk's change.
        job = guard_.loadOver(db, id, job);
        contractor = sabt::contractorLabel(db, job.value(QStringLiteral("peymankar_id")).toLongLong(),
                                           job.value(QStringLiteral("peymankar")).toString());
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return false;
    }
    editedId_ = id;
    loading_ = true;
    fillLists();
    for (auto &[name, w] : inputs_)
        setWidgetText(w, job.value(name));
    loading_ = false;
    fillChoices(bakhsh, 1);
    fillChoices(dehestan, 2);
    fillChoices(rosta, 3);
    peymankar_name->setText(contractor);
    peymankar_id->setText(QString::number(job.value(QStringLiteral("peymankar_id")).toLongLong()));
    gh_chek->setChecked(true);
    hek_chek->setChecked(true);
    setEstimates(true, true);
    ins_btn->setVisible(false);
    edit_btn->setVisible(true);
    return true;
}

bool sabt_ins::registerJob()
{
    if (!acceptDates(dates_))
        return false;
    const sabt::JobTexts t = typed();
    const sabt::JobValues values = sabt::readJob(t);
    if (!values.error.isEmpty()) {
        ui().message(values.error, MessageKind::Warning);
        return false;
    }
    qint64 id = 0;
    try {
        const Db &db = dm().main();
        if (sabt::jobExists(db, t)) {
            ui().message(sabt::duplicateJobMessage);
            return false;
        }
        id = sabt::registerJob(db, t, values, session().karbar);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return false;
    }
    ui().message(QStringLiteral("ثبت شد"));
    emit registered(id);
    accept();
    return true;
}

bool sabt_ins::saveEdit()
{
    if (!acceptDates(dates_))
        return false;
    const sabt::JobTexts t = typed();
    const sabt::JobValues values = sabt::readJob(t);
    if (!values.error.isEmpty()) {
        ui().message(values.error, MessageKind::Warning);
        return false;
    }
    try {
        const Db &db = dm().main();
        if (!guard_.save(
                db, [&] { sabt::editJob(db, editedId_, t, values, session().karbar); },
                [this](const Row &) { startEdit(editedId_); }))
            return false;
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return false;
    }
    ui().message(QStringLiteral("ويرايش انجام شد"));
    return true;
}

}  // namespace bv
