#include "naghshe_ins.h"

#include "abadiha.h"
#include "contractors.h"
#include "dateedit.h"
#include "dm.h"
#include "interaction.h"
#include "lookuplists.h"
#include "monedit.h"
#include "money.h"
#include "naghshe_calc.h"
#include "peymankar_list.h"
#include "session.h"
#include "villages.h"
#include "widgets.h"
#include "windows.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolTip>
#include <QVBoxLayout>

namespace bv {

namespace {
const QString emptyContractor = QStringLiteral("?");

// Fields shown yellow while they have the focus.
const QStringList highlighted = {"cod", "x", "y", "city", "bakhsh", "dehestan", "rosta", "khanevar", "jamiyat",
                                 "zarib_mantaghe", "tarh_typ", "jalase_dat", "prot_no", "prot_dat1", "prot_mablagh",
                                 "peymankar", "prot_tim", "prot_dat2", "tamin_loc", "tamin_sal"};

// The scale as its whole number; -1, which no scale is, when it is not one.
qlonglong scaleNumber(const QString &text)
{
    const NumberReading r = readNumber(text, Grouping::Allowed);
    return r.ok() ? qlonglong(r.value.wholeValue().value_or(-1)) : -1;
}

void showHint(QWidget *w, const QString &title, const QString &text)
{
    QToolTip::showText(w->mapToGlobal(QPoint(0, w->height())), QStringLiteral("<b>%1</b><br>%2").arg(title, text), w);
}
}  // namespace

naghshe_ins::naghshe_ins(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("naghshe_ins"));
    setWindowTitle(QStringLiteral("ثبت/ويرايش نقشه برداري"));

    auto combo = [this](const char *name, bool editable = true) {
        auto *c = new QComboBox(this);
        c->setEditable(editable);
        c->setObjectName(QLatin1String(name));
        inputs_[QLatin1String(name)] = c;
        return c;
    };
    auto line = [this](const char *name) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        inputs_[QLatin1String(name)] = e;
        return e;
    };
    auto date = [this](const char *name) {
        auto *d = new JalaliDateEdit(this);
        d->setObjectName(QLatin1String(name));
        inputs_[QLatin1String(name)] = d;
        return d;
    };
    ostan = combo("ostan");
    city = combo("city");
    bakhsh = combo("bakhsh");
    dehestan = combo("dehestan");
    rosta = combo("rosta");
    cod = combo("cod");
    x = line("x");
    y = line("y");
    tarh_typ = combo("tarh_typ");
    khanevar = line("khanevar");
    jamiyat = line("jamiyat");
    scale = combo("scale");
    tamin_sal = line("tamin_sal");
    tamin_sal->setInputMask(QStringLiteral("0000"));
    status = combo("status");
    jalase_dat = date("jalase_dat");
    prot_no = combo("prot_no");
    prot_dat1 = date("prot_dat1");
    masahat_por1 = line("masahat_por1");
    masahat_khali1 = line("masahat_khali1");
    por_price = line("por_price");
    khali_price = line("khali_price");
    zarib_mantaghe = line("zarib_mantaghe");
    zarib_sobat1 = line("zarib_sobat1");
    zarib_kochaki1 = line("zarib_kochaki1");
    tajhiz_mablagh = line("tajhiz_mablagh");
    prot_mablagh = line("prot_mablagh");
    peymankar = combo("peymankar");
    peymankar->setEnabled(false);
    prot_tim = line("prot_tim");
    prot_typ = combo("prot_typ", false);
    prot_typ->addItems({QStringLiteral("تفاهمنامه"), QStringLiteral("قرارداد")});
    gps_mablagh = new MonEdit(this);
    gps_mablagh->setObjectName(QStringLiteral("gps_mablagh"));
    inputs_[QStringLiteral("gps_mablagh")] = gps_mablagh;
    prot_dat2 = date("prot_dat2");
    tamin_loc = combo("tamin_loc");
    paper_no = line("paper_no");
    paper_dat = date("paper_dat");
    tahvil_dat1 = date("tahvil_dat1");
    checklist_dat = date("checklist_dat");
    tahvil_dat2 = date("tahvil_dat2");
    cmt = line("cmt");
    tamdid_dat = date("tamdid_dat");
    darsad_inc = line("darsad_inc");
    hosn_paper_dat = date("hosn_paper_dat");
    masahat_por = line("masahat_por");
    masahat_khali = line("masahat_khali");
    status_typ = combo("status_typ");
    status_dat = date("status_dat");
    zarib_sobat = line("zarib_sobat");
    zarib_kochaki = line("zarib_kochaki");
    jarime = line("jarime");
    pardakhti = line("pardakhti");
    hosn_dat = date("hosn_dat");
    peymankar_name = new QLabel(emptyContractor, this);
    peymankar_id = new QLabel(QStringLiteral("0"), this);
    peymankar_name->hide();
    peymankar_id->hide();
    guard_.setLabel(QStringLiteral("peymankar_id"), QStringLiteral("پيمانکار"));
    Label40 = new ClickLabel(QStringLiteral("انتخاب پيمانکار"), this);
    Label41 = new ClickLabel(QStringLiteral("حذف پيمانکار"), this);
    Label51 = new ClickLabel(QStringLiteral("- - -"), this);
    ins_btn = new QPushButton(QStringLiteral("ثبت"), this);
    edit_btn = new QPushButton(QStringLiteral("ويرايش"), this);

    // A labelled input; date labels clear their date and village labels
    // rewrite the Arabic kaf of their column.
    auto group = [this](const QString &title, std::initializer_list<std::pair<QString, QWidget *>> rows) {
        auto *box = new QGroupBox(title, this);
        auto *grid = new QGridLayout(box);
        int i = 0;
        for (const auto &[label, widget] : rows) {
            auto *caption = new ClickLabel(label, box);
            if (auto *d = qobject_cast<JalaliDateEdit *>(widget)) {
                d->setCaption(label);
                connect(caption, &ClickLabel::clicked, d, [d] { d->setDate(emptyDateMask); });
            }
            const QString column = widget->objectName();
            guard_.setLabel(column, label);
            if (QStringList{"city", "bakhsh", "dehestan", "rosta"}.contains(column))
                connect(caption, &ClickLabel::clicked, this, [column] {
                    if (!ui().question(QStringLiteral("نام ها در فهرست آبادي ها يکسان سازي شود؟")))
                        return;
                    try {
                        survey::normaliseNames(dm().main(), column);
                    } catch (const DbError &e) {
                        ui().message(e.text(), MessageKind::Error);
                    }
                });
            grid->addWidget(caption, i / 2, (i % 2) * 2);
            grid->addWidget(widget, i / 2, (i % 2) * 2 + 1);
            ++i;
        }
        return box;
    };
    auto *village = group(QStringLiteral("مشخصات روستا"),
                          {{QStringLiteral("استان"), ostan}, {QStringLiteral("شهرستان"), city},
                           {QStringLiteral("بخش"), bakhsh}, {QStringLiteral("دهستان"), dehestan},
                           {QStringLiteral("روستا"), rosta}, {QStringLiteral("کد آبادي"), cod},
                           {QStringLiteral("طول جغرافيايي"), x}, {QStringLiteral("عرض جغرافيايي"), y},
                           {QStringLiteral("نوع طرح"), tarh_typ}, {QStringLiteral("خانوار"), khanevar},
                           {QStringLiteral("جمعيت"), jamiyat}, {QStringLiteral("مقياس"), scale},
                           {QStringLiteral("سال تامين"), tamin_sal}, {QStringLiteral("وضعيت پرداخت"), status}});
    auto *contract = group(QStringLiteral("مشخصات قرارداد"),
                           {{QStringLiteral("تاريخ جلسه انتخاب مشاور"), jalase_dat},
                            {QStringLiteral("شماره قرارداد"), prot_no}, {QStringLiteral("تاريخ قرارداد"), prot_dat1},
                            {QStringLiteral("مساحت اوليه بافت پر"), masahat_por1},
                            {QStringLiteral("مساحت اوليه بافت خالي"), masahat_khali1},
                            {QStringLiteral("قيمت بافت پر"), por_price}, {QStringLiteral("قيمت بافت خالي"), khali_price},
                            {QStringLiteral("ضريب منطقه"), zarib_mantaghe},
                            {QStringLiteral("ضريب صعوبت اوليه"), zarib_sobat1},
                            {QStringLiteral("ضريب کوچکي اوليه"), zarib_kochaki1},
                            {QStringLiteral("مبلغ تجهيز"), tajhiz_mablagh}, {QStringLiteral("مبلغ قرارداد"), prot_mablagh},
                            {QStringLiteral("نام پيمانکار"), peymankar}, {QStringLiteral("مدت قرارداد"), prot_tim},
                            {QStringLiteral("نوع"), prot_typ}, {QStringLiteral("مبلغ GPS"), gps_mablagh},
                            {QStringLiteral("خاتمه قرارداد"), prot_dat2}, {QStringLiteral("محل تامين اعتبار"), tamin_loc}});
    auto *letters = group(QStringLiteral("مکاتبات"),
                          {{QStringLiteral("شماره نامه ابلاغ"), paper_no}, {QStringLiteral("تاريخ نامه ابلاغ"), paper_dat},
                           {QStringLiteral("تاريخ تحويل اوليه"), tahvil_dat1},
                           {QStringLiteral("تاريخ تهيه چک ليست"), checklist_dat},
                           {QStringLiteral("تاريخ تحويل قطعي"), tahvil_dat2}, {QStringLiteral("ساير توضيحات"), cmt},
                           {QStringLiteral("تاريخ نامه تمديد"), tamdid_dat}, {QStringLiteral("درصد نامه افزايش"), darsad_inc},
                           {QStringLiteral("تاريخ نامه حسن انجام کار"), hosn_paper_dat}});
    auto *statement = group(QStringLiteral("صورت وضعيت"),
                            {{QStringLiteral("مساحت بافت پر"), masahat_por},
                             {QStringLiteral("مساحت بافت خالي"), masahat_khali}, {QStringLiteral("نوع وضعيت"), status_typ},
                             {QStringLiteral("تاريخ وضعيت"), status_dat}, {QStringLiteral("ضريب صعوبت نهايي"), zarib_sobat},
                             {QStringLiteral("ضريب کوچکي نهايي"), zarib_kochaki}, {QStringLiteral("جريمه تاخير"), jarime},
                             {QStringLiteral("هزينه نقشه برداري"), pardakhti},
                             {QStringLiteral("تاريخ استرداد حسن انجام کار"), hosn_dat}});
    auto *contractorRow = new QHBoxLayout;
    contractorRow->addWidget(Label40);
    contractorRow->addWidget(Label41);
    contractorRow->addWidget(Label51);
    contractorRow->addStretch();
    contractorRow->addWidget(ins_btn);
    contractorRow->addWidget(edit_btn);
    auto *columns = new QGridLayout;
    columns->addWidget(village, 0, 0);
    columns->addWidget(contract, 0, 1);
    columns->addWidget(letters, 1, 0);
    columns->addWidget(statement, 1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(contractorRow);

    // Enter moves along the entry order.
    const std::vector<QStringList> chains = {
        {"cod", "x", "y", "city", "bakhsh", "dehestan", "rosta", "khanevar", "jamiyat", "tarh_typ", "scale"},
        {"tamin_sal", "jalase_dat", "prot_no", "prot_dat1", "masahat_por1", "masahat_khali1", "por_price",
         "khali_price", "zarib_mantaghe", "zarib_sobat1", "zarib_kochaki1", "tajhiz_mablagh", "prot_mablagh",
         "prot_tim", "prot_dat2", "tamin_loc", "paper_no", "paper_dat", "tahvil_dat1", "checklist_dat", "tahvil_dat2",
         "masahat_por", "masahat_khali", "status_typ", "status_dat", "zarib_sobat", "zarib_kochaki", "jarime",
         "pardakhti", "hosn_dat"},
        {"peymankar", "prot_tim"}};
    for (const QStringList &chain : chains)
        for (int i = 0; i + 1 < chain.size(); ++i)
            enterChain_[inputs_.at(chain[i])] = inputs_.at(chain[i + 1]);
    for (auto &[name, widget] : inputs_) {
        widget->installEventFilter(this);
        if (auto *c = qobject_cast<QComboBox *>(widget); c && c->lineEdit())
            c->lineEdit()->installEventFilter(this);
    }

    connect(ostan, &QComboBox::currentTextChanged, this, [this] { fillCascade(1); });
    connect(city, &QComboBox::currentTextChanged, this, [this] { fillCascade(2); });
    connect(bakhsh, &QComboBox::currentTextChanged, this, [this] { fillCascade(3); });
    connect(dehestan, &QComboBox::currentTextChanged, this, [this] { fillCascade(4); });
    connect(rosta, &QComboBox::currentTextChanged, this, &naghshe_ins::villageNameChanged);
    connect(cod, &QComboBox::currentTextChanged, this, &naghshe_ins::villageCodeChanged);
    connect(scale, &QComboBox::currentTextChanged, this, &naghshe_ins::scaleChanged);
    connect(prot_no, &QComboBox::currentTextChanged, this, &naghshe_ins::contractChanged);
    connect(Label40, &ClickLabel::clicked, this, &naghshe_ins::chooseContractor);
    connect(Label41, &ClickLabel::clicked, this, &naghshe_ins::clearContractor);
    connect(Label51, &ClickLabel::clicked, this, &naghshe_ins::chooseVillage);
    connect(ins_btn, &QPushButton::clicked, this, &naghshe_ins::registerProject);
    connect(edit_btn, &QPushButton::clicked, this, &naghshe_ins::saveEdit);
}

bool naghshe_ins::eventFilter(QObject *watched, QEvent *event)
{
    QWidget *w = qobject_cast<QWidget *>(watched);
    if (w && qobject_cast<QLineEdit *>(w) && qobject_cast<QComboBox *>(w->parentWidget()))
        w = w->parentWidget();  // the line edit inside an editable list
    if (!w)
        return QDialog::eventFilter(watched, event);
    const QString name = w->objectName();
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
    case QEvent::FocusIn: {
        if (highlighted.contains(name))
            w->setStyleSheet(QStringLiteral("background: yellow;"));
        // Only the person entering the field computes it: focus given back when
        // the window is reactivated or a picker or list closes keeps what was typed.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            break;
        if (w == zarib_kochaki)
            computeSmallness(false);
        else if (w == zarib_kochaki1)
            computeSmallness(true);
        else if (w == prot_mablagh)
            computeContractAmount();
        else if (w == pardakhti)
            computeFee();
        break;
    }
    case QEvent::FocusOut:
        if (highlighted.contains(name) && w != prot_mablagh)
            w->setStyleSheet(QString());
        if (w == prot_dat2 && tahvil_dat2->isBlank())
            tahvil_dat2->setDate(prot_dat2->date());
        if (w == tahvil_dat1 && checklist_dat->isBlank())
            checklist_dat->setDate(survey::nextChecklistDay(tahvil_dat1->date()));
        break;
    case QEvent::MouseButtonPress:
        if (w == pardakhti)
            showHint(pardakhti, survey::feeHintTitle, survey::feeClickHintText);
        else if (w == zarib_kochaki1)
            showHint(zarib_kochaki1, survey::smallnessHintTitle, survey::smallnessHintText);
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

QString naghshe_ins::widgetText(QWidget *w) const
{
    if (auto *m = qobject_cast<MonEdit *>(w))
        return m->money().plain();
    return typedText(w);
}

void naghshe_ins::setWidgetText(QWidget *w, const QString &text)
{
    if (auto *d = qobject_cast<JalaliDateEdit *>(w))
        d->setDate(text.isEmpty() ? emptyDateMask : text);
    else if (auto *m = qobject_cast<MonEdit *>(w))
        m->setMoney(Money::parse(text).value_or(Money()));
    else if (auto *e = qobject_cast<QLineEdit *>(w))
        e->setText(text);
    else if (auto *c = qobject_cast<QComboBox *>(w))
        showStoredValue(c, text);
}

QList<JalaliDateEdit *> naghshe_ins::dates() const
{
    return {jalase_dat, prot_dat1, prot_dat2, paper_dat, tahvil_dat1, checklist_dat, tahvil_dat2, tamdid_dat,
            hosn_paper_dat, status_dat, hosn_dat};
}

survey::Typed naghshe_ins::typed() const
{
    survey::Typed t;
    for (const QString &column : survey::projectColumns()) {
        const auto it = inputs_.find(column);
        if (it != inputs_.end())
            t[column] = widgetText(it->second);
    }
    t[QStringLiteral("peymankar")] = peymankar_name->text();
    t[QStringLiteral("peymankar_id")] = peymankar_id->text();
    return t;
}

void naghshe_ins::fillLists()
{
    filling_ = true;
    try {
        const Db &db = dm().main();
        auto refill = [](QComboBox *box, const QStringList &items) {
            const QString kept = box->currentText();
            box->clear();
            box->addItems(items);
            box->setCurrentText(kept);
        };
        refill(ostan, villageChoices(db, VillageLevel::Province));
        QStringList scales;
        for (const QVariantList &r : db.select(QStringLiteral("SELECT DISTINCT scale FROM naghshe_meghyas ORDER BY scale")).rows)
            scales << r[0].toString();
        refill(scale, scales);
        QStringList names;
        for (const Row &c : db.rows(QStringLiteral("SELECT typ, fname, lname, comp_name FROM peymankar ORDER BY id"))) {
            const QString kind = c.value(QStringLiteral("typ")).toString();
            if (kind == survey::naturalPerson)
                names << c.value(QStringLiteral("lname")).toString() + QLatin1Char(' ') + c.value(QStringLiteral("fname")).toString();
            else if (kind == survey::legalPerson)
                names << c.value(QStringLiteral("comp_name")).toString();
        }
        refill(peymankar, names);
        refill(tamin_loc, lookupItemsSorted(db, QStringLiteral("محل تامين اعتبار")));
        refill(status, lookupItemsSorted(db, QStringLiteral("وضعيت پرداخت")));
        refill(tarh_typ, lookupItemsSorted(db, QStringLiteral("انواع طرح")));
        refill(status_typ, lookupItemsSorted(db, QStringLiteral("انواع وضعيت")));
        QStringList numbers;
        if (dm().contracts().isOpen())
            for (const QVariantList &r : dm().contracts().select(QStringLiteral("SELECT num FROM prot ORDER BY num")).rows)
                numbers << r[0].toString();
        refill(prot_no, numbers);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
    filling_ = false;
}

void naghshe_ins::fillCascade(int level)
{
    if (filling_)
        return;
    VillagePlace place;
    place.ostan = typedText(ostan);
    QComboBox *target = city;
    VillageLevel wanted = VillageLevel::County;
    if (level >= 2) {
        place.city = typedText(city);
        target = bakhsh;
        wanted = VillageLevel::District;
    }
    if (level >= 3) {
        place.bakhsh = typedText(bakhsh);
        target = dehestan;
        wanted = VillageLevel::RuralDistrict;
    }
    if (level >= 4) {
        place.dehestan = typedText(dehestan);
        target = rosta;
        wanted = VillageLevel::Village;
    }
    try {
        const QString kept = target->currentText();
        filling_ = true;
        target->clear();
        target->addItems(villageChoices(dm().main(), wanted, place));
        target->setCurrentText(kept);
        filling_ = false;
    } catch (const DbError &e) {
        filling_ = false;
        ui().message(e.text(), MessageKind::Error);
    }
}

void naghshe_ins::villageNameChanged()
{
    if (filling_ || !typedText(cod).isEmpty())
        return;
    try {
        const std::optional<Village> v = firstVillage(
            dm().main(), {.ostan = typedText(ostan), .city = typedText(city), .bakhsh = typedText(bakhsh),
                          .dehestan = typedText(dehestan), .rosta = typedText(rosta)});
        if (!v)
            return;
        filling_ = true;
        cod->setCurrentText(v->cod);
        filling_ = false;
        khanevar->setText(v->khanevar);
        jamiyat->setText(v->jamiyat);
        zarib_mantaghe->setText(v->zarib);
        x->setText(v->x);
        y->setText(v->y);
    } catch (const DbError &e) {
        filling_ = false;
        ui().message(e.text(), MessageKind::Error);
    }
}

void naghshe_ins::villageCodeChanged()
{
    if (filling_)
        return;
    try {
        const std::optional<Village> v = villageByCode(dm().main(), typedText(cod));
        const Village found = v.value_or(Village{});
        filling_ = true;
        ostan->setCurrentText(found.ostan);
        city->setCurrentText(found.city);
        bakhsh->setCurrentText(found.bakhsh);
        dehestan->setCurrentText(found.dehestan);
        rosta->setCurrentText(found.rosta);
        filling_ = false;
        x->setText(found.x);
        y->setText(found.y);
        khanevar->setText(found.khanevar);
        jamiyat->setText(found.jamiyat);
        zarib_mantaghe->setText(found.zarib);
    } catch (const DbError &e) {
        filling_ = false;
        ui().message(e.text(), MessageKind::Error);
    }
}

void naghshe_ins::scaleChanged()
{
    if (filling_)
        return;
    try {
        const ResultSet r = dm().main().select(
            QStringLiteral("SELECT por_price, khali_price FROM naghshe_meghyas WHERE scale = ? ORDER BY id"),
            {scaleNumber(typedText(scale))});
        if (r.empty())
            return;
        por_price->setText(Money::fromVariant(r.rows[0][0]).plain());
        khali_price->setText(Money::fromVariant(r.rows[0][1]).plain());
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void naghshe_ins::contractChanged()
{
    if (filling_ || editedId_ != 0 || !dm().contracts().isOpen())
        return;
    try {
        const std::vector<Row> rows = dm().contracts().rows(
            QStringLiteral("SELECT pdate, mablagh, name, ptime, engheza, etebar, salemali FROM prot WHERE num = ?"),
            {typedText(prot_no)});
        if (rows.empty())
            return;
        const Row &r = rows.front();
        prot_dat1->setDate(r.value(QStringLiteral("pdate")).toString());
        prot_mablagh->setText(r.value(QStringLiteral("mablagh")).toString());
        peymankar->setCurrentText(r.value(QStringLiteral("name")).toString());
        prot_tim->setText(r.value(QStringLiteral("ptime")).toString());
        prot_dat2->setDate(r.value(QStringLiteral("engheza")).toString());
        tamin_loc->setCurrentText(r.value(QStringLiteral("etebar")).toString());
        tamin_sal->setText(survey::creditYear(r.value(QStringLiteral("salemali")).toString()));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void naghshe_ins::computeSmallness(bool initial)
{
    QLineEdit *target = initial ? zarib_kochaki1 : zarib_kochaki;
    target->setText(survey::smallnessCoefficient(typedText(initial ? masahat_por1 : masahat_por)));
    showHint(target, survey::smallnessHintTitle, survey::smallnessHintText);
}

void naghshe_ins::computeContractAmount()
{
    if (const std::optional<Money> amount = computedFee(
            {typedText(masahat_por1), typedText(por_price), typedText(zarib_kochaki1), typedText(masahat_khali1),
             typedText(khali_price), typedText(zarib_mantaghe), typedText(zarib_sobat1), typedText(tajhiz_mablagh),
             gps_mablagh->money()})) {
        prot_mablagh->setText(amount->plain());
        prot_mablagh->setStyleSheet(QStringLiteral("background: yellow;"));
    }
    showHint(prot_mablagh, survey::feeHintTitle, survey::feeHintText);
}

void naghshe_ins::computeFee()
{
    if (const std::optional<Money> fee = computedFee(
            {typedText(masahat_por), typedText(por_price), typedText(zarib_kochaki), typedText(masahat_khali),
             typedText(khali_price), typedText(zarib_mantaghe), typedText(zarib_sobat), typedText(tajhiz_mablagh),
             gps_mablagh->money()}))
        pardakhti->setText(fee->plain());
    showHint(pardakhti, survey::feeHintTitle, survey::feeHintText);
}

std::optional<Money> naghshe_ins::computedFee(const survey::FeeFigures &figures)
{
    try {
        return survey::surveyFee(figures);
    } catch (const NumberError &e) {
        ui().message(e.text(), MessageKind::Warning);
        return std::nullopt;
    }
}

void naghshe_ins::chooseContractor()
{
    peymankar_list &picker = windows::get<peymankar_list>();
    picker.resize(width() - 30, picker.height());
    const std::optional<PickedContractor> picked = picker.pick();
    if (!picked)
        return;
    if (picked->name) {
        peymankar_name->setText(*picked->name);
        peymankar->setCurrentText(*picked->name);
    }
    peymankar_id->setText(QString::number(picked->id));
}

void naghshe_ins::clearContractor()
{
    peymankar_name->setText(emptyContractor);
    peymankar_id->setText(QStringLiteral("0"));
    peymankar->setCurrentText(QString());
}

void naghshe_ins::chooseVillage()
{
    const std::optional<Village> v = pickVillage();
    if (v)
        cod->setCurrentText(v->cod);  // runs the code look-up
}

void naghshe_ins::startNew()
{
    editedId_ = 0;
    fillLists();
    filling_ = true;
    for (auto &[name, w] : inputs_)
        setWidgetText(w, QString());
    filling_ = false;
    prot_typ->setCurrentIndex(-1);
    try {
        const Db &db = dm().main();
        tajhiz_mablagh->setText(lookupFirst(db, QStringLiteral("مبلغ تجهيز")));
        gps_mablagh->setText(lookupFirst(db, QStringLiteral("مبلغ جي پي اس")));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
    x->setText(QStringLiteral("X"));
    y->setText(QStringLiteral("Y"));
    for (QLineEdit *zero : {jamiyat, masahat_por, por_price, masahat_khali, khali_price, zarib_kochaki, pardakhti,
                            jarime, masahat_por1, masahat_khali1, zarib_sobat1, zarib_kochaki1})
        zero->setText(QStringLiteral("0"));
    zarib_sobat->setText(QStringLiteral("1"));
    prot_mablagh->setStyleSheet(QString());
    clearContractor();
    ins_btn->setVisible(true);
    edit_btn->setVisible(false);
}

void naghshe_ins::startEdit(const Row &listed)
{
    editedId_ = listed.value(QStringLiteral("id")).toLongLong();
    const Row project = guard_.loadOver(dm().main(), editedId_, listed);
    // The edit mode must not take contract figures from the register.
    ins_btn->setVisible(false);
    edit_btn->setVisible(true);
    fillLists();
    filling_ = true;
    for (auto &[name, w] : inputs_)
        setWidgetText(w, survey::storedText(name, project.value(name)));
    filling_ = false;
    prot_mablagh->setStyleSheet(QString());
    peymankar_id->setText(QString::number(project.value(QStringLiteral("peymankar_id")).toLongLong()));
    // The stored name stays when the contractor's row is gone or of neither kind.
    QString name = project.value(QStringLiteral("peymankar")).toString();
    try {
        const std::vector<Row> rows = dm().main().rows(
            QStringLiteral("SELECT typ, fname, lname, comp_name FROM peymankar WHERE id = ?"), {peymankar_id->text().toLongLong()});
        if (!rows.empty())
            name = contractorDisplayName(rows.front()).value_or(name);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
    peymankar_name->setText(name);
}

bool naghshe_ins::registerProject()
{
    const survey::Typed t = typed();
    try {
        const Db &db = dm().main();
        if (!survey::provinceKnown(db, t.value(QStringLiteral("ostan")), t.value(QStringLiteral("city")))) {
            ui().message(survey::provinceMessage);
            return false;
        }
        peymankar->setCurrentText(peymankar_name->text());
        if (!acceptDates(dates()))
            return false;
        const survey::ProjectValues values = survey::readProject(t);
        if (!values.error.isEmpty()) {
            ui().message(values.error, MessageKind::Warning);
            return false;
        }
        if (survey::projectExists(db, t)) {
            ui().message(survey::duplicateProjectMessage);
            return false;
        }
        const bool wantsStudy =
            ui().question(QStringLiteral("آيا ميخواهيد اطلاعات اين نقشه در بخش مطالعات نيز ثبت گردد؟"));
        const bool studyTaken = wantsStudy && survey::studyExists(db, t);
        const qint64 id = survey::registerProject(db, t, values, session().karbar, wantsStudy && !studyTaken);
        ui().message(QStringLiteral("ثبت شد"));
        if (studyTaken)
            ui().message(survey::duplicateStudyMessage);
        else if (wantsStudy)
            ui().message(QStringLiteral("نقشه در بخش مطالعات نيز ثبت شد"));
        emit saved(id);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return false;
    }
    accept();
    return true;
}

bool naghshe_ins::saveEdit()
{
    const survey::Typed t = typed();
    try {
        const Db &db = dm().main();
        peymankar->setCurrentText(peymankar_name->text());
        if (!survey::provinceKnown(db, t.value(QStringLiteral("ostan")), t.value(QStringLiteral("city")))) {
            ui().message(survey::provinceMessage);
            return false;
        }
        if (!acceptDates(dates()))
            return false;
        const survey::ProjectValues values = survey::readProject(t);
        if (!values.error.isEmpty()) {
            ui().message(values.error, MessageKind::Warning);
            return false;
        }
        const bool written = guard_.save(
            db, [&] { survey::editProject(db, editedId_, t, values, session().karbar); },
            [this](const Row &stored) {
                Row project = stored;
                project.insert(QStringLiteral("id"), editedId_);
                startEdit(project);
            });
        if (!written)
            return false;
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return false;
    }
    ui().message(QStringLiteral("ويرايش انجام شد"));
    emit saved(editedId_);
    accept();
    return true;
}

}  // namespace bv
