#include "moshaveran_ins.h"

#include "dateedit.h"
#include "dm.h"
#include "interaction.h"
#include "lookuplists.h"
#include "moshaveran_steps.h"
#include "session.h"
#include "text.h"
#include "villages.h"
#include "widgets.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
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

// Refills a list box, keeping what it shows.
void refill(QComboBox *box, const QStringList &items)
{
    const QString kept = box->currentText();
    const QSignalBlocker block(box);
    box->clear();
    box->addItems(items);
    box->setEditText(kept);
}

JalaliDateEdit *compactDate(const QString &caption, QWidget *parent)
{
    auto *d = new JalaliDateEdit(parent);
    d->setCompact(true);
    d->setCaption(caption);
    return d;
}
}  // namespace

moshaveran_ins::moshaveran_ins(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("moshaveran_ins"));
    setWindowTitle(QStringLiteral("ثبت/ويرايش مشاوران"));

    city = editableCombo(this);
    bakhsh = editableCombo(this);
    dehestan = editableCombo(this);
    rosta = editableCombo(this);
    cod = editableCombo(this);
    harim = new YesNoChoice(this);
    moshaver = editableCombo(this);
    moshaver_dat1 = compactDate(QStringLiteral("تاريخ قرارداد مشاور"), this);
    moshaver_dat2 = compactDate(QStringLiteral("تاريخ اتمام قرارداد"), this);
    tahvil_map = new YesNoChoice(this);
    amel4_no = new QLineEdit(this);
    amel4_dat = compactDate(QStringLiteral("تاريخ قرارداد عامل چهارم"), this);
    amel4_name = editableCombo(this);

    auto *job = new QGroupBox(this);
    auto *jobForm = new QFormLayout(job);
    jobForm->addRow(QStringLiteral("نام شهرستان"), city);
    jobForm->addRow(QStringLiteral("نام بخش"), bakhsh);
    jobForm->addRow(QStringLiteral("نام دهستان"), dehestan);
    jobForm->addRow(QStringLiteral("نام روستا"), rosta);
    jobForm->addRow(QStringLiteral("کد روستا"), cod);
    jobForm->addRow(QStringLiteral("قرارگيري در حريم شهر"), harim);
    jobForm->addRow(QStringLiteral("نام مشاور"), moshaver);
    jobForm->addRow(moshaver_dat1->caption(), moshaver_dat1);
    jobForm->addRow(moshaver_dat2->caption(), moshaver_dat2);
    jobForm->addRow(QStringLiteral("تحويل نقشه پايه به مشاور"), tahvil_map);
    jobForm->addRow(QStringLiteral("شماره قرارداد عامل چهارم"), amel4_no);
    jobForm->addRow(amel4_dat->caption(), amel4_dat);
    jobForm->addRow(QStringLiteral("کارشناس بررسي کننده"), amel4_name);
    dates_ = {moshaver_dat1, moshaver_dat2, amel4_dat};
    for (const auto &[column, field] : std::initializer_list<std::pair<const char *, QWidget *>>{
             {"city", city}, {"bakhsh", bakhsh}, {"dehestan", dehestan}, {"rosta", rosta}, {"cod", cod},
             {"harim", harim}, {"moshaver", moshaver}, {"moshaver_dat1", moshaver_dat1},
             {"moshaver_dat2", moshaver_dat2}, {"tahvil_map", tahvil_map}, {"amel4_no", amel4_no},
             {"amel4_dat", amel4_dat}, {"amel4_name", amel4_name}})
        guard_.setLabel(QLatin1String(column), static_cast<QLabel *>(jobForm->labelForField(field))->text());

    auto *stepBox = new QGroupBox(this);
    auto *stepLayout = new QVBoxLayout(stepBox);
    for (const consultants::Step &s : consultants::stepsOf(false)) {
        auto *row = new StepRow(s.caption, s.hasDate, stepBox);
        row->setObjectName(s.column);
        for (const QString &column : {s.column, s.dateColumn(), s.approvalColumn()})
            guard_.setLabel(column, s.caption);
        stepLayout->addWidget(row);
        steps_.push_back(row);
        if (row->dat)
            dates_ << row->dat;
    }
    bazdid = steps_[0];
    estelam = steps_[1];
    dehyar = steps_[2];
    shahr_map = steps_[3];
    shahr_jalase = steps_[4];
    behengam = steps_[5];
    fani = steps_[6];

    estelam_name = new QListWidget(this);
    estelam_n = new QLineEdit(this);
    SpeedButton1 = new QPushButton(QStringLiteral("+"), this);
    auto *offices = new QGroupBox(this);
    auto *officeLayout = new QVBoxLayout(offices);
    officeLayout->addWidget(estelam_name);
    auto *typedOffice = new QHBoxLayout;
    typedOffice->addWidget(new QLabel(QStringLiteral("ساير استعلامات(تايپ و افزوده شود)"), offices));
    typedOffice->addWidget(estelam_n, 1);
    typedOffice->addWidget(SpeedButton1);
    officeLayout->addLayout(typedOffice);
    stepLayout->insertWidget(2, offices);

    ins_btn = new QPushButton(QStringLiteral("ثبت"), this);
    edit_btn = new QPushButton(QStringLiteral("ويرايش"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ins_btn);
    buttons->addWidget(edit_btn);

    auto *columns = new QHBoxLayout;
    columns->addWidget(job);
    columns->addWidget(stepBox, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);

    connect(city, &QComboBox::currentTextChanged, this, [this] { fillChoices(bakhsh, 1); });
    connect(bakhsh, &QComboBox::currentTextChanged, this, [this] { fillChoices(dehestan, 2); });
    connect(dehestan, &QComboBox::currentTextChanged, this, [this] { fillChoices(rosta, 3); });
    connect(rosta, &QComboBox::currentTextChanged, this, &moshaveran_ins::villageChosen);
    connect(SpeedButton1, &QPushButton::clicked, this, &moshaveran_ins::addOffice);
    connect(ins_btn, &QPushButton::clicked, this, &moshaveran_ins::registerJob);
    connect(edit_btn, &QPushButton::clicked, this, &moshaveran_ins::saveEdit);
}

void moshaveran_ins::fillLists()
{
    try {
        const Db &db = dm().main();
        refill(cod, villageChoices(db, VillageLevel::Code));
        refill(city, villageChoices(db, VillageLevel::County));
        refill(moshaver, consultants::consultantNames(db));
        refill(amel4_name, lookupItems(db, consultants::expertList));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void moshaveran_ins::fillChoices(QComboBox *box, int level)
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

void moshaveran_ins::villageChosen()
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

void moshaveran_ins::showOffices(const consultants::OfficeChoices &offices)
{
    estelam_name->clear();
    for (const auto &[names, state] : {std::pair{&offices.ticked, Qt::Checked}, {&offices.unticked, Qt::Unchecked}})
        for (const QString &office : *names) {
            auto *item = new QListWidgetItem(office, estelam_name);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(state);
        }
}

void moshaveran_ins::addOffice()
{
    const QString office = typedText(estelam_n);
    if (office.isEmpty())
        return;
    const QList<QListWidgetItem *> found = estelam_name->findItems(office, Qt::MatchExactly);
    QListWidgetItem *item = found.isEmpty() ? new QListWidgetItem(office, estelam_name) : found.front();
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Checked);
    estelam_n->clear();
}

QStringList moshaveran_ins::tickedOffices() const
{
    QStringList out;
    for (int i = 0; i < estelam_name->count(); ++i)
        if (estelam_name->item(i)->checkState() == Qt::Checked)
            out << estelam_name->item(i)->text();
    return out;
}

consultants::JobTexts moshaveran_ins::typed() const
{
    consultants::JobTexts t;
    for (auto [column, box] : {std::pair{"city", city}, {"bakhsh", bakhsh}, {"dehestan", dehestan}, {"rosta", rosta},
                               {"cod", cod}, {"moshaver", moshaver}, {"amel4_name", amel4_name}})
        t[QLatin1String(column)] = typedText(box);
    t["harim"] = harim->stored();
    t["tahvil_map"] = tahvil_map->stored();
    t["amel4_no"] = typedText(amel4_no);
    t["moshaver_dat1"] = moshaver_dat1->date();
    t["moshaver_dat2"] = moshaver_dat2->date();
    t["amel4_dat"] = amel4_dat->date();
    for (const StepRow *row : steps_) {
        const QString step = row->objectName();
        t[step] = row->stored();
        if (row->dat)
            t[step + QStringLiteral("_dat")] = row->date();
        t[step + QStringLiteral("_t")] = row->approval();
    }
    return t;
}

void moshaveran_ins::prepare(bool editing)
{
    // Approvals follow the user who opens the window now.
    const bool approvals = session().level != QLatin1String("city");
    for (StepRow *row : steps_)
        row->setApprovalAllowed(approvals);
    ins_btn->setVisible(!editing);
    edit_btn->setVisible(editing);
}

void moshaveran_ins::startNew()
{
    editedId_ = 0;
    loading_ = true;
    fillLists();
    for (QComboBox *box : {city, bakhsh, dehestan, rosta, cod, moshaver, amel4_name})
        showStoredValue(box, {});
    harim->setStored({});
    tahvil_map->setStored({});
    amel4_no->clear();
    for (JalaliDateEdit *d : dates_)
        d->setDate({});
    for (StepRow *row : steps_)
        row->clear();
    estelam_n->clear();
    loading_ = false;
    try {
        showOffices(consultants::officeChoices(dm().main(), 0));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
    prepare(false);
    city->setFocus();
}

bool moshaveran_ins::startEdit(qint64 id)
{
    Row job;
    consultants::OfficeChoices offices;
    try {
        const Db &db = dm().main();
        job = consultants::jobRow(db, id);
        if (job.isEmpty()) {
            ui().message(consultants::jobGoneMessage, MessageKind::Warning);
            return false;
        }
        // Remembered as shown, for the save to find another clerk's change.
        job = guard_.loadOver(db, id, job);
        offices = consultants::officeChoices(db, id);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return false;
    }
    editedId_ = id;
    loading_ = true;
    fillLists();
    auto text = [&](const char *column) { return job.value(QLatin1String(column)).toString(); };
    for (auto [column, box] : {std::pair{"city", city}, {"bakhsh", bakhsh}, {"dehestan", dehestan}, {"rosta", rosta},
                               {"cod", cod}, {"moshaver", moshaver}, {"amel4_name", amel4_name}})
        showStoredValue(box, text(column));
    harim->setStored(text("harim"));
    tahvil_map->setStored(text("tahvil_map"));
    amel4_no->setText(text("amel4_no"));
    moshaver_dat1->setDate(text("moshaver_dat1"));
    moshaver_dat2->setDate(text("moshaver_dat2"));
    amel4_dat->setDate(text("amel4_dat"));
    for (StepRow *row : steps_) {
        const QString step = row->objectName();
        row->load(job.value(step).toString(), job.value(step + QStringLiteral("_dat")).toString(),
                  job.value(step + QStringLiteral("_t")).toString());
    }
    estelam_n->clear();
    loading_ = false;
    fillChoices(bakhsh, 1);
    fillChoices(dehestan, 2);
    fillChoices(rosta, 3);
    showOffices(offices);
    shownOffices_ = offices.ticked;
    prepare(true);
    return true;
}

bool moshaveran_ins::registerJob()
{
    if (!acceptDates(dates_))
        return false;
    const consultants::JobTexts t = typed();
    qint64 id = 0;
    try {
        const Db &db = dm().main();
        if (consultants::jobExists(db, t)) {
            ui().message(consultants::duplicateJobMessage);
            return false;
        }
        id = consultants::registerJob(db, t, tickedOffices(), session().karbar);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return false;
    }
    ui().message(QStringLiteral("ثبت شد"));
    emit saved(id);
    accept();
    return true;
}

bool moshaveran_ins::saveEdit()
{
    if (!acceptDates(dates_))
        return false;
    try {
        const Db &db = dm().main();
        if (!guard_.save(
                db,
                [&] { consultants::editJob(db, editedId_, typed(), tickedOffices(), session().karbar, shownOffices_); },
                [this](const Row &) { startEdit(editedId_); }))
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
