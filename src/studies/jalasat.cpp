#include "jalasat.h"

#include "browsergrid.h"
#include "dateedit.h"
#include "dm.h"
#include "fillsteps.h"
#include "interaction.h"
#include "jalasat_guests.h"
#include "listtext.h"
#include "lookuplists.h"
#include "rowguard.h"
#include "widgets.h"

#include <QAction>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace bv {

namespace {
const Headings gridHeadings = {
    {"jalase_no", QStringLiteral("شماره جلسه")}, {"title", QStringLiteral("عنوان جلسه")},
    {"dat", QStringLiteral("تاريخ جلسه")},       {"org", QStringLiteral("نام اداره")},
    {"shakhs", QStringLiteral("کارشناس")},       {"hozor", QStringLiteral("حضور")},
};
}  // namespace

jalasat::jalasat(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("jalasat"));
    setWindowTitle(QStringLiteral("ميهمانان جلسه"));
    setLayoutDirection(Qt::RightToLeft);
    auto *dates = new QFormLayout;
    auto dateLabel = [&](const QString &caption) {
        auto *l = new QLabel(this);
        dates->addRow(caption, l);
        return l;
    };
    jalase_tasvib_dat = dateLabel(QStringLiteral("تاريخ جلسه کميته تصويب(کارگروه مسکن و شهرسازي سابق)"));
    komitefani_dat1 = dateLabel(QStringLiteral("تاريخ کميته فني شماره1"));
    tarh_tasvib_dat = dateLabel(QStringLiteral("تاريخ کميته فني شماره2"));
    komitefani_dat3 = dateLabel(QStringLiteral("تاريخ کميته فني شماره3"));
    komitefani_dat4 = dateLabel(QStringLiteral("تاريخ کميته فني شماره4"));

    jalase_no = new QComboBox(this);
    jalase_no->addItems({"1", "2", "3", "4"});
    title = new QComboBox(this);
    title->addItems({QStringLiteral("کميته فني"), QStringLiteral("کميته تصويب")});
    org = new QComboBox(this);
    for (QComboBox *c : {jalase_no, title, org}) {
        c->setEditable(true);
        // Enter moves on; it never adds what was typed to the list.
        c->setInsertPolicy(QComboBox::NoInsert);
        c->installEventFilter(this);
    }
    dat = new JalaliDateEdit(this);
    dat->setCaption(QStringLiteral("تاريخ جلسه"));
    shakhs = new QLineEdit(this);
    BitBtn1 = new QPushButton(QStringLiteral("+"), this);
    BitBtn1->setToolTip(QStringLiteral("ثبت"));
    BitBtn3 = new QPushButton(QStringLiteral("++"), this);
    BitBtn3->setToolTip(QStringLiteral("ثبت همه ادارات"));
    BitBtn2 = new QPushButton(QStringLiteral("چاپ"), this);
    hozor_sum = new QLabel(this);
    DBGrid1 = new BrowserGrid(this);
    DBGrid1->setHeadings(gridHeadings);
    DBGrid1->setHiddenColumns({QStringLiteral("id"), QStringLiteral("borvinat_id")});
    DBGrid1->setContextMenuPolicy(Qt::ActionsContextMenu);
    N1 = new QAction(QStringLiteral("حذف"), DBGrid1);
    N2 = new QAction(QStringLiteral("حذف همه"), DBGrid1);
    DBGrid1->addActions({N1, N2});

    auto *inputs = new QFormLayout;
    inputs->addRow(QStringLiteral("شماره جلسه"), jalase_no);
    inputs->addRow(QStringLiteral("عنوان جلسه"), title);
    inputs->addRow(QStringLiteral("تاريخ جلسه"), dat);
    auto *officeRow = new QHBoxLayout;
    officeRow->addWidget(org, 1);
    officeRow->addWidget(BitBtn3);
    inputs->addRow(QStringLiteral("نام اداره"), officeRow);
    auto *expertRow = new QHBoxLayout;
    expertRow->addWidget(shakhs, 1);
    expertRow->addWidget(BitBtn1);
    inputs->addRow(QStringLiteral("نام کارشناس"), expertRow);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QStringLiteral("حضور"), this));
    bottom->addWidget(hozor_sum);
    bottom->addStretch();
    bottom->addWidget(BitBtn2);
    auto *top = new QHBoxLayout;
    top->addLayout(inputs);
    top->addLayout(dates);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(DBGrid1);
    layout->addLayout(bottom);

    connect(dat, &QLineEdit::returnPressed, org, qOverload<>(&QWidget::setFocus));
    connect(shakhs, &QLineEdit::returnPressed, this, &jalasat::addOne);
    connect(BitBtn1, &QPushButton::clicked, this, &jalasat::addOne);
    connect(BitBtn3, &QPushButton::clicked, this, &jalasat::addEveryOffice);
    connect(BitBtn2, &QPushButton::clicked, this, &jalasat::printSheet);
    connect(N1, &QAction::triggered, this, &jalasat::deleteOne);
    connect(N2, &QAction::triggered, this, &jalasat::deleteAll);
}

bool jalasat::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == jalase_no)
                title->setFocus();
            else if (watched == title)
                dat->setFocus();
            else
                shakhs->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void jalasat::prepare(qint64 study)
{
    study_ = study;
    try {
        const Db &db = dm().main();
        place_ = studies::studyRow(db, study);
        refillChoices(org, lookupItemsSorted(db, studies::officesList));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
    for (const auto &[label, column] : std::vector<std::pair<QLabel *, const char *>>{
             {jalase_tasvib_dat, "jalase_tasvib_dat"},
             {komitefani_dat1, "komitefani_dat1"},
             {tarh_tasvib_dat, "tarh_tasvib_dat"},
             {komitefani_dat3, "komitefani_dat3"},
             {komitefani_dat4, "komitefani_dat4"}})
        label->setText(place_.value(QString::fromLatin1(column)).toString());
    for (QComboBox *c : {org, jalase_no, title}) {
        c->setCurrentIndex(-1);
        c->setCurrentText(QString());
    }
    shakhs->clear();
    refresh();
    jalase_no->setFocus();
}

void jalasat::refresh()
{
    try {
        const Db &db = dm().main();
        DBGrid1->setRows(studies::guests(db, study_));
        hozor_sum->setText(studies::attendance(db, study_));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

bool jalasat::addOne()
{
    if (!acceptDates({dat}))
        return false;
    const studies::Guest guest{typedText(dat), typedText(org), typedText(shakhs), typedText(jalase_no),
                               typedText(title)};
    try {
        if (!studies::addGuest(dm().main(), study_, guest)) {
            ui().message(studies::guestRepeatedMessage);
            return false;
        }
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return false;
    }
    refresh();
    shakhs->clear();
    shakhs->setFocus();
    const int next = studies::nextEntry(org->currentIndex(), org->count());
    org->setCurrentIndex(next);
    if (next < 0)
        org->setCurrentText(QString());
    return true;
}

void jalasat::addEveryOffice()
{
    if (!acceptDates({dat}))
        return;
    QStringList offices;
    for (int i = 0; i < org->count(); ++i)
        offices << org->itemText(i);
    const studies::Guest guest{typedText(dat), QString(), typedText(shakhs), typedText(jalase_no), typedText(title)};
    try {
        studies::addEveryOffice(dm().main(), study_, offices, guest);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
    org->setCurrentIndex(org->count() - 1);
    refresh();
}

void jalasat::deleteOne()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    showStoredValue(org, DBGrid1->currentValue(QStringLiteral("org")).toString());
    shakhs->setText(DBGrid1->currentValue(QStringLiteral("shakhs")).toString());
    bool found = false;
    try {
        found = studies::deleteGuest(dm().main(), id.toLongLong());
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    reportDelete(found);
    refresh();
}

void jalasat::deleteAll()
{
    if (DBGrid1->rowCount() == 0 || !ui().question(QStringLiteral("همه ميهمانان جلسات اين طرح حذف شوند؟")))
        return;
    int deleted = 0;
    try {
        deleted = studies::deleteAllGuests(dm().main(), study_);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    reportDelete(deleted > 0);
    refresh();
}

void jalasat::printSheet()
{
    report::runFill([&] {
        report::Document doc = studies::attendanceSheet(DBGrid1->shownRows(), place_, typedText(jalase_no),
                                                        DBGrid1->currentValue(QStringLiteral("dat")).toString());
        doc.preview();
    });
}

}  // namespace bv
