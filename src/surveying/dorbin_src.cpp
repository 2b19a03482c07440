#include "dorbin_src.h"

#include "attachments.h"
#include "browsergrid.h"
#include "dm.h"
#include "dorbin_ins.h"
#include "dorbin_savabegh.h"
#include "filters.h"
#include "interaction.h"
#include "rowguard.h"
#include "naghshe_pic_search.h"
#include "windows.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace bv {

namespace {
const Headings cameraHeadings = {
    {"city", QStringLiteral("شهرستان")},        {"typ", QStringLiteral("نوع دوربين")},
    {"cod", QStringLiteral("کد اموال")},        {"prs", QStringLiteral("تحويل گيرنده")},
    {"cmt", QStringLiteral("ساير توضيحات")},
};
const Headings eventHeadings = {
    {"dat", QStringLiteral("تاريخ")}, {"cmt", QStringLiteral("توضيحات")}, {"pictyp", QStringLiteral("نوع ضميمه")}};
}  // namespace

dorbin_src::dorbin_src(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dorbin_src"));
    setWindowTitle(QStringLiteral("دوربين هاي نقشه برداري"));
    city = new QComboBox(this);
    city->setEditable(true);
    typ = new QLineEdit(this);
    CheckBox1 = new FilterCheck(QStringLiteral("شهرستان"), {city}, this);
    CheckBox2 = new FilterCheck(QStringLiteral("مدل دوربين"), {typ}, this);
    BitBtn1 = new QPushButton(QStringLiteral("جستجو"), this);
    cnt = new QLabel(QStringLiteral("0"), this);
    DBGrid1 = new BrowserGrid(this);
    DBGrid1->setHeadings(cameraHeadings);
    DBGrid1->setHiddenColumns({QStringLiteral("id")});
    DBGrid2 = new BrowserGrid(this);
    DBGrid2->setHeadings(eventHeadings);
    DBGrid2->setHiddenColumns({QStringLiteral("id"), QStringLiteral("dorbin_id")});
    DBGrid2->setContextMenuPolicy(Qt::ActionsContextMenu);
    N7 = new QAction(QStringLiteral("حذف"), DBGrid2);
    DBGrid2->addAction(N7);
    sharh = new QPlainTextEdit(this);
    sharh->setReadOnly(true);

    auto *bar = new QMenuBar(this);
    N1 = bar->addAction(QStringLiteral("ثبت"));
    N2 = bar->addAction(QStringLiteral("ويرايش"));
    N3 = bar->addAction(QStringLiteral("حذف"));
    N4 = bar->addAction(QStringLiteral("سوابق"));
    N5 = bar->addAction(QStringLiteral("گزارش"));
    N6 = bar->addAction(QStringLiteral("بستن"));

    auto *top = new QHBoxLayout;
    top->addWidget(CheckBox1);
    top->addWidget(city);
    top->addWidget(CheckBox2);
    top->addWidget(typ);
    top->addWidget(BitBtn1);
    top->addWidget(new QLabel(QStringLiteral("تعداد:"), this));
    top->addWidget(cnt);
    top->addStretch();
    auto *events = new QHBoxLayout;
    events->addWidget(DBGrid2, 2);
    events->addWidget(sharh, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(bar);
    layout->addLayout(top);
    layout->addWidget(DBGrid1, 2);
    layout->addWidget(new QLabel(QStringLiteral("سوابق"), this));
    layout->addLayout(events, 1);

    connect(BitBtn1, &QPushButton::clicked, this, &dorbin_src::search);
    connect(typ, &QLineEdit::returnPressed, this, &dorbin_src::search);
    connect(DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &dorbin_src::listEvents);
    connect(DBGrid2->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &dorbin_src::showEventText);
    connect(DBGrid2, &QAbstractItemView::clicked, this, &dorbin_src::openEvent);
    connect(N1, &QAction::triggered, this, &dorbin_src::newCamera);
    connect(N2, &QAction::triggered, this, &dorbin_src::editCamera);
    connect(N3, &QAction::triggered, this, &dorbin_src::deleteCamera);
    connect(N4, &QAction::triggered, this, &dorbin_src::history);
    connect(N6, &QAction::triggered, this, &QDialog::reject);
    connect(N7, &QAction::triggered, this, &dorbin_src::deleteEvent);
    connect(&windows::get<dorbin_ins>(), &dorbin_ins::saved, this, &dorbin_src::search);
    connect(&windows::get<dorbin_savabegh>(), &dorbin_savabegh::saved, this, &dorbin_src::listEvents);
}

void dorbin_src::applyRights(const PageRights &rights)
{
    N1->setEnabled(rights.insert);
    N2->setEnabled(rights.edit);
    N3->setEnabled(rights.remove);
    N4->setEnabled(rights.view);
    N5->setEnabled(rights.view);
}

bool dorbin_src::open(const QSize &browser)
{
    try {
        const std::optional<PageRights> rights = pageRights(dm().main(), session().prsId, QStringLiteral("dorbin"));
        if (rights)
            applyRights(*rights);
        if (!rights || !rights->view) {
            ui().message(noAccessMessage);
            return false;
        }
        city->clear();
        city->addItems(survey::placeChoices(dm().main(), survey::Place::County));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return false;
    }
    resize(browser.width() - 30, browser.height() - 50);
    cnt->setText(QStringLiteral("0"));
    city->setEditText(QString());
    typ->clear();
    search();
    ui().execDialog(*this);
    return true;
}

survey::CameraFilters dorbin_src::filters() const
{
    return {CheckBox1->entry(), CheckBox2->entry()};
}

void dorbin_src::search()
{
    try {
        const Db &db = dm().main();
        searched_ = filters();
        const Conditions c = survey::cameraConditions(db.dialect(), searched_, session());
        const int count = survey::countCameras(db, c);
        cnt->setText(QString::number(count));
        ResultSet rows = survey::listCameras(db, c, firstScreenRows);
        DBGrid1->setFirstScreen(std::move(rows), count, [c] { return survey::listCameras(dm().main(), c); });
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
    listEvents();
}

void dorbin_src::listEvents()
{
    const QVariant id = DBGrid1->currentId();
    try {
        DBGrid2->setRows(id.isValid() ? survey::cameraEvents(dm().main(), id.toLongLong()) : ResultSet());
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
    showEventText();
}

void dorbin_src::showEventText()
{
    const QVariant id = DBGrid2->currentId();
    try {
        sharh->setPlainText(id.isValid() ? survey::eventText(dm().main(), id.toLongLong()) : QString());
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void dorbin_src::newCamera()
{
    dorbin_ins &entry = windows::get<dorbin_ins>();
    entry.startNew();
    ui().execDialog(entry);
}

void dorbin_src::editCamera()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    dorbin_ins &entry = windows::get<dorbin_ins>();
    entry.startEdit(id.toLongLong(), DBGrid1->currentRow());
    ui().execDialog(entry);
}

void dorbin_src::deleteCamera()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    try {
        const Db &db = dm().main();
        if (confirmDeletePassword(db)) {
            const int events = survey::eventsOfCamera(db, id.toLongLong());
            if (ui().question(
                    QStringLiteral("%1 سابقه نيز با اين دوربين حذف مي شود. آيا دوربين حذف شود؟").arg(events))) {
                reportDelete(survey::deleteCamera(
                    db, id.toLongLong(), DBGrid1->currentValue(QStringLiteral("cod")).toString(), session().karbar));
            }
        }
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
    search();
}

void dorbin_src::history()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    windows::get<dorbin_savabegh>().open(id.toLongLong());
    listEvents();
}

void dorbin_src::openEvent()
{
    const QVariant id = DBGrid2->currentId();
    if (!id.isValid())
        return;
    try {
        const std::optional<StoredAttachment> file = survey::eventDocument(dm().main(), id.toLongLong());
        if (!file) {
            ui().message(survey::noDocumentMessage);
            return;
        }
        const QString path = writeViewingCopy(*file);
        if (!path.isEmpty())
            openAttachmentFile(path);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void dorbin_src::deleteEvent()
{
    const QVariant id = DBGrid2->currentId();
    if (!id.isValid() || !ui().question(QStringLiteral("آيا اين سابقه حذف شود؟")))
        return;
    try {
        survey::deleteEvent(dm().main(), id.toLongLong());
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
    listEvents();
}

}  // namespace bv
