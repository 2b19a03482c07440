#include "dorbin_ins.h"

#include "dm.h"
#include "interaction.h"
#include "naghshe_pic_search.h"
#include "session.h"
#include "widgets.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace bv {

dorbin_ins::dorbin_ins(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dorbin_ins"));
    setWindowTitle(QStringLiteral("ثبت/ويرايش دوربين"));
    city = new QComboBox(this);
    city->setEditable(true);
    typ = new QLineEdit(this);
    cod = new QLineEdit(this);
    prs = new QLineEdit(this);
    cmt = new QLineEdit(this);
    ins_btn = new QPushButton(QStringLiteral("ثبت"), this);
    edit_btn = new QPushButton(QStringLiteral("ويرايش"), this);
    auto *form = new QFormLayout(this);
    form->addRow(QStringLiteral("نام شهرستان"), city);
    form->addRow(QStringLiteral("نوع دوربين"), typ);
    form->addRow(QStringLiteral("کد اموال"), cod);
    form->addRow(QStringLiteral("تحويل گيرنده"), prs);
    form->addRow(QStringLiteral("ساير توضيحات"), cmt);
    for (auto [field, column] : {std::pair<QWidget *, const char *>{city, "city"}, {typ, "typ"}, {cod, "cod"},
                                 {prs, "prs"}, {cmt, "cmt"}})
        guard_.setLabel(QLatin1String(column), static_cast<QLabel *>(form->labelForField(field))->text());
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(ins_btn);
    buttons->addWidget(edit_btn);
    form->addRow(buttons);
    connect(ins_btn, &QPushButton::clicked, this, &dorbin_ins::insert);
    connect(edit_btn, &QPushButton::clicked, this, &dorbin_ins::edit);
}

void dorbin_ins::fillCounties()
{
    try {
        city->clear();
        city->addItems(survey::placeChoices(dm().main(), survey::Place::County));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void dorbin_ins::startNew()
{
    editedId_ = 0;
    fillCounties();
    showStoredValue(city, QString());
    for (QLineEdit *e : {typ, cod, prs, cmt})
        e->clear();
    ins_btn->setVisible(true);
    edit_btn->setVisible(false);
}

void dorbin_ins::startEdit(qint64 id, const Row &listed)
{
    editedId_ = id;
    const Row camera = guard_.loadOver(dm().main(), id, listed);
    fillCounties();
    showStoredValue(city, camera.value(QStringLiteral("city")).toString());
    for (auto [edit, column] : {std::pair{typ, "typ"}, {cod, "cod"}, {prs, "prs"}, {cmt, "cmt"}})
        edit->setText(camera.value(QString::fromLatin1(column)).toString());
    ins_btn->setVisible(false);
    edit_btn->setVisible(true);
}

survey::CameraEntry dorbin_ins::typed() const
{
    return {typedText(city), typedText(typ), typedText(cod), typedText(prs), typedText(cmt)};
}

bool dorbin_ins::insert()
{
    const survey::CameraEntry entry = typed();
    try {
        const Db &db = dm().main();
        if (survey::cameraExists(db, entry)) {
            ui().message(survey::duplicateCameraMessage);
            return false;
        }
        survey::insertCamera(db, entry, session().karbar);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return false;
    }
    ui().message(QStringLiteral("ثبت شد"));
    emit saved();
    accept();
    return true;
}

bool dorbin_ins::edit()
{
    if (editedId_ == 0)
        return false;
    try {
        const Db &db = dm().main();
        if (!guard_.save(
                db, [&] { survey::updateCamera(db, editedId_, typed(), session().karbar); },
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
