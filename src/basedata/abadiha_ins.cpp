#include "abadiha_ins.h"

#include "dm.h"
#include "interaction.h"
#include "listtext.h"
#include "session.h"
#include "widgets.h"
#include "xlsxexport.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace bv {

namespace {
QComboBox *levelBox(const QString &name, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    return box;
}

QLineEdit *numberEdit(const QString &name, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setLayoutDirection(Qt::LeftToRight);
    return edit;
}

void setChoices(QComboBox *box, const QStringList &items)
{
    box->clear();
    box->addItems(items);
    box->setCurrentIndex(-1);
    box->setEditText(QString());
}
}  // namespace

abadiha_ins::abadiha_ins(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("abadiha_ins"));
    setWindowTitle(QStringLiteral("ثبت/ويرايش آبادي"));

    ostan = levelBox(QStringLiteral("ostan"), this);
    city = levelBox(QStringLiteral("city"), this);
    bakhsh = levelBox(QStringLiteral("bakhsh"), this);
    dehestan = levelBox(QStringLiteral("dehestan"), this);
    rosta = levelBox(QStringLiteral("rosta"), this);
    cod = levelBox(QStringLiteral("cod"), this);
    cod->setLayoutDirection(Qt::LeftToRight);
    khanevar = numberEdit(QStringLiteral("khanevar"), this);
    zarib = numberEdit(QStringLiteral("zarib"), this);
    x = numberEdit(QStringLiteral("x"), this);
    y = numberEdit(QStringLiteral("y"), this);
    jamiyat = numberEdit(QStringLiteral("jamiyat"), this);
    zaribmantaghe = numberEdit(QStringLiteral("zaribmantaghe"), this);
    zaribdori = numberEdit(QStringLiteral("zaribdori"), this);
    ins_btn = new QPushButton(QStringLiteral("ثبت"), this);
    edit_btn = new QPushButton(QStringLiteral("ويرايش"), this);
    Label1 = new ClickLabel(QStringLiteral("استان"), this);
    Label2 = new ClickLabel(QStringLiteral("شهرستان"), this);
    Label1->setCursor(Qt::PointingHandCursor);
    Label2->setCursor(Qt::PointingHandCursor);

    auto *form = new QGridLayout;
    int row = 0;
    auto add = [&](QLabel *label, QWidget *input) {
        guard_.setLabel(input->objectName(), label->text());
        form->addWidget(label, row, 0);
        form->addWidget(input, row++, 1);
    };
    add(Label1, ostan);
    add(Label2, city);
    add(new QLabel(QStringLiteral("بخش"), this), bakhsh);
    add(new QLabel(QStringLiteral("دهستان"), this), dehestan);
    add(new QLabel(QStringLiteral("روستا"), this), rosta);
    add(new QLabel(QStringLiteral("کد آبادي"), this), cod);
    add(new QLabel(QStringLiteral("خانوار"), this), khanevar);
    add(new QLabel(QStringLiteral("جمعيت"), this), jamiyat);
    add(new QLabel(QStringLiteral("ضريب منطقه"), this), zarib);
    add(new QLabel(QStringLiteral("ضريب استان"), this), zaribmantaghe);
    add(new QLabel(QStringLiteral("ضريب دوري"), this), zaribdori);
    for (auto [input, caption, small] : {std::tuple{x, "طول جغرافيايي (X)", "Longitude"},
                                         std::tuple{y, "عرض جغرافيايي (Y)", "Latitude"}}) {
        auto *hint = new QLabel(QString::fromLatin1(small), this);
        hint->setStyleSheet(QStringLiteral("font-size: 7pt; color: gray;"));
        form->addWidget(new QLabel(QString::fromUtf8(caption), this), row, 0);
        form->addWidget(input, row, 1);
        form->addWidget(hint, row++, 2);
    }
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(ins_btn);
    buttons->addWidget(edit_btn);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    // Only what the user chooses or types moves the cascade; texts the window
    // sets itself do not.
    const QList<std::pair<QComboBox *, void (abadiha_ins::*)()>> steps = {
        {ostan, &abadiha_ins::ostanChanged},       {city, &abadiha_ins::cityChanged},
        {bakhsh, &abadiha_ins::bakhshChanged},     {dehestan, &abadiha_ins::dehestanChanged},
        {rosta, &abadiha_ins::rostaChanged},       {cod, &abadiha_ins::codChanged}};
    for (const auto &[box, step] : steps) {
        connect(box, &QComboBox::activated, this, step);
        connect(box->lineEdit(), &QLineEdit::textEdited, this, step);
    }
    connect(ins_btn, &QPushButton::clicked, this, &abadiha_ins::insertVillage);
    connect(edit_btn, &QPushButton::clicked, this, &abadiha_ins::updateVillage);
    connect(Label1, &ClickLabel::clicked, this, &abadiha_ins::refreshCoordinates);
    connect(Label2, &ClickLabel::clicked, this, &abadiha_ins::exportCoordinates);
}

void abadiha_ins::clearInputs()
{
    for (QComboBox *box : {ostan, city, bakhsh, dehestan, rosta, cod})
        setChoices(box, {});
    for (QLineEdit *edit : {khanevar, zarib, x, y, jamiyat, zaribmantaghe, zaribdori})
        edit->clear();
    try {
        setChoices(ostan, villageChoices(dm().main(), VillageLevel::Province));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void abadiha_ins::startNew()
{
    editedId_ = 0;
    clearInputs();
    ins_btn->show();
    edit_btn->hide();
}

void abadiha_ins::startEdit(const Village &listed)
{
    editedId_ = listed.id;
    // Shown as stored now, and remembered for the save.
    Village village = listed;
    const Row stored = guard_.loadOver(dm().main(), listed.id, {});
    if (!stored.isEmpty()) {
        QStringList values;
        for (const QString &column : villageColumns())
            values << cellText(stored.value(column.toLower()));
        village = Village::fromValues(values, listed.id);
    }
    clearInputs();
    // The lists along the village's own place, so a level can be re-chosen.
    try {
        const Db &db = dm().main();
        setChoices(city, villageChoices(db, VillageLevel::County, {.ostan = village.ostan}));
        setChoices(bakhsh, villageChoices(db, VillageLevel::District, {.ostan = village.ostan, .city = village.city}));
        setChoices(dehestan, villageChoices(db, VillageLevel::RuralDistrict,
                                            {.ostan = village.ostan, .city = village.city, .bakhsh = village.bakhsh}));
        setChoices(rosta, villageChoices(db, VillageLevel::Village,
                                         {.ostan = village.ostan, .city = village.city, .bakhsh = village.bakhsh,
                                          .dehestan = village.dehestan}));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
    showStoredValue(ostan, village.ostan);
    showStoredValue(city, village.city);
    showStoredValue(bakhsh, village.bakhsh);
    showStoredValue(dehestan, village.dehestan);
    showStoredValue(rosta, village.rosta);
    showStoredValue(cod, village.cod);
    khanevar->setText(village.khanevar);
    zarib->setText(village.zarib);
    x->setText(village.x);
    y->setText(village.y);
    jamiyat->setText(village.jamiyat);
    zaribmantaghe->setText(village.zaribMantaghe);
    zaribdori->setText(village.zaribDori);
    ins_btn->hide();
    edit_btn->show();
}

Village abadiha_ins::typed() const
{
    Village v;
    v.id = editedId_;
    v.ostan = typedText(ostan);
    v.city = typedText(city);
    v.bakhsh = typedText(bakhsh);
    v.dehestan = typedText(dehestan);
    v.rosta = typedText(rosta);
    v.cod = typedText(cod);
    v.khanevar = typedText(khanevar);
    v.zarib = typedText(zarib);
    v.x = typedText(x);
    v.y = typedText(y);
    v.jamiyat = typedText(jamiyat);
    v.zaribMantaghe = typedText(zaribmantaghe);
    v.zaribDori = typedText(zaribdori);
    return v;
}

void abadiha_ins::levelChanged(int level)
{
    const QComboBox *boxes[] = {ostan, city, bakhsh, dehestan, rosta, cod};
    VillagePlace place;
    std::optional<QString> *parts[] = {&place.ostan, &place.city, &place.bakhsh, &place.dehestan, &place.rosta,
                                       &place.cod};
    for (int i = 0; i <= level; ++i)
        *parts[i] = typedText(boxes[i]);
    try {
        const Db &db = dm().main();
        if (level == 5) {
            const std::optional<Village> found = firstVillage(db, place);
            if (!found)
                return;
            khanevar->setText(found->khanevar);
            zarib->setText(found->zarib);
            x->setText(found->x);
            y->setText(found->y);
            jamiyat->setText(found->jamiyat);
            zaribmantaghe->setText(found->zaribMantaghe);
            zaribdori->setText(found->zaribDori);
            return;
        }
        QComboBox *lower[] = {city, bakhsh, dehestan, rosta, cod};
        for (int i = level + 1; i < 5; ++i)
            setChoices(lower[i], {});
        const QStringList next = villageChoices(db, VillageLevel(level + 1), place);
        setChoices(lower[level], next);
        if (level == 4 && next.size() == 1)
            cod->setCurrentIndex(0);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void abadiha_ins::ostanChanged() { levelChanged(0); }
void abadiha_ins::cityChanged() { levelChanged(1); }
void abadiha_ins::bakhshChanged() { levelChanged(2); }
void abadiha_ins::dehestanChanged() { levelChanged(3); }
void abadiha_ins::rostaChanged() { levelChanged(4); }
void abadiha_ins::codChanged() { levelChanged(5); }

void abadiha_ins::save(const std::function<std::optional<QString>()> &write, const QString &done)
{
    std::optional<QString> refusal;
    try {
        refusal = write();
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    if (!refusal)
        return;
    if (!refusal->isEmpty()) {
        ui().message(*refusal);
        return;
    }
    ui().message(done);
    emit saved();
    accept();
}

void abadiha_ins::insertVillage()
{
    save([this] { return registerVillage(dm().main(), typed(), session().karbar); }, QStringLiteral("ثبت شد"));
}

void abadiha_ins::updateVillage()
{
    save(
        [this]() -> std::optional<QString> {
            const Db &db = dm().main();
            QString refusal;
            if (!guard_.save(
                    db, [&] { refusal = editVillage(db, editedId_, typed(), session().karbar); },
                    [this](const Row &) {
                        Village stored;
                        stored.id = editedId_;
                        startEdit(stored);
                    }))
                return std::nullopt;
            return refusal;
        },
        QStringLiteral("ويرايش انجام شد"));
}

void abadiha_ins::refreshCoordinates()
{
    try {
        refreshVillageCoordinates(dm().main());
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void abadiha_ins::exportCoordinates()
{
    try {
        exportList(villageCoordinateRows(dm().main()), villageExportHeadings());
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

}  // namespace bv
