#include "abadiha.h"

#include "abadiha_ins.h"
#include "browsergrid.h"
#include "dm.h"
#include "filters.h"
#include "interaction.h"
#include "rowguard.h"
#include "main_window.h"
#include "text.h"
#include "windows.h"
#include "xlsxexport.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace bv {

namespace {
const Headings gridHeadings = {
    {QStringLiteral("ostan"), QStringLiteral("استان")},
    {QStringLiteral("city"), QStringLiteral("شهرستان")},
    {QStringLiteral("bakhsh"), QStringLiteral("بخش")},
    {QStringLiteral("dehestan"), QStringLiteral("دهستان")},
    {QStringLiteral("rosta"), QStringLiteral("روستا")},
    {QStringLiteral("cod"), QStringLiteral("کد آبادي")},
    {QStringLiteral("khanevar"), QStringLiteral("خانوار")},
    {QStringLiteral("jamiyat"), QStringLiteral("جمعيت")},
    {QStringLiteral("zarib"), QStringLiteral("ضريب منطقه")},
    {QStringLiteral("x"), QStringLiteral("طول جغرافيايي (X)")},
    {QStringLiteral("y"), QStringLiteral("عرض جغرافيايي (Y)")},
    {QStringLiteral("zaribmantaghe"), QStringLiteral("ضريب استان")},
    {QStringLiteral("zaribdori"), QStringLiteral("ضريب دوري")},
};

}  // namespace

abadiha::abadiha(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("abadiha"));
    setWindowTitle(QStringLiteral("آبادي ها"));

    ostan = new QComboBox(this);
    ostan->setEditable(true);
    ostan->setInsertPolicy(QComboBox::NoInsert);
    cod = new QLineEdit(this);
    city = new QLineEdit(this);
    rosta = new QLineEdit(this);
    CheckBox4 = new FilterCheck(QStringLiteral("استان"), {ostan}, this);
    CheckBox3 = new FilterCheck(QStringLiteral("کد آبادي"), {cod}, this);
    CheckBox1 = new FilterCheck(QStringLiteral("شهرستان"), {city}, this);
    CheckBox2 = new FilterCheck(QStringLiteral("روستا"), {rosta}, this);
    BitBtn1 = new QPushButton(QStringLiteral("جستجو"), this);
    cnt = new QLabel(QStringLiteral("0"), this);
    Excel_btn = new QPushButton(this);
    Excel_btn->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    Excel_btn->setToolTip(QStringLiteral("اکسل"));

    DBGrid1 = new BrowserGrid(this);
    DBGrid1->setHeadings(gridHeadings);
    DBGrid1->setHiddenColumns({QStringLiteral("id")});
    DBGrid1->setContextMenuPolicy(Qt::ActionsContextMenu);
    N2 = new QAction(QStringLiteral("ثبت"), DBGrid1);
    N3 = new QAction(QStringLiteral("ويرايش"), DBGrid1);
    N1 = new QAction(QStringLiteral("حذف"), DBGrid1);
    N5 = new QMenu(QStringLiteral("تغيير نام دسته جمعي"), DBGrid1);
    N13 = N5->addAction(QStringLiteral("تغيير نام شهرستان"));
    DBGrid1->addActions({N2, N3, N1, N5->menuAction()});

    // The import area.
    DBGrid2 = new BrowserGrid(this);
    cnt2 = new QLabel(QStringLiteral("0"), this);
    ProgressBar1 = new QProgressBar(this);
    BitBtn2 = new QPushButton(QStringLiteral("Browse Excel..."), this);
    ins_btn = new QPushButton(QStringLiteral("جايگزيني اکسل با وضع موجود"), this);
    auto *note = new QLabel(QStringLiteral("تذکر: فايل اکسل مي بايست دقيقا داراي 13 ستون به ترتيب فوق باشد"), this);
    note->setStyleSheet(QStringLiteral("color: red;"));

    auto *filters = new QGridLayout;
    int column = 0;
    for (auto [check, input] : std::initializer_list<std::pair<QWidget *, QWidget *>>{
             {CheckBox4, ostan}, {CheckBox3, cod}, {CheckBox1, city}, {CheckBox2, rosta}}) {
        filters->addWidget(check, 0, column);
        filters->addWidget(input, 1, column++);
    }
    filters->addWidget(BitBtn1, 1, column++);
    filters->addWidget(new QLabel(QStringLiteral("تعداد:"), this), 1, column++);
    filters->addWidget(cnt, 1, column++);
    filters->addWidget(Excel_btn, 1, column);

    auto *importRow = new QHBoxLayout;
    importRow->addWidget(BitBtn2);
    importRow->addWidget(ins_btn);
    importRow->addWidget(cnt2);
    importRow->addWidget(ProgressBar1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(DBGrid1, 3);
    layout->addWidget(note);
    layout->addLayout(importRow);
    layout->addWidget(DBGrid2, 1);

    connect(BitBtn1, &QPushButton::clicked, this, &abadiha::search);
    for (QLineEdit *edit : {city, rosta, cod})
        connect(edit, &QLineEdit::returnPressed, this, &abadiha::search);
    connect(N2, &QAction::triggered, this, &abadiha::newVillage);
    connect(N3, &QAction::triggered, this, &abadiha::editCurrentVillage);
    connect(N1, &QAction::triggered, this, &abadiha::deleteCurrentVillage);
    connect(N13, &QAction::triggered, this, &abadiha::renameListedCounty);
    connect(Excel_btn, &QPushButton::clicked, this, &abadiha::exportList);
    connect(BitBtn2, &QPushButton::clicked, this, &abadiha::browseExcel);
    connect(ins_btn, &QPushButton::clicked, this, &abadiha::replaceFromSheet);
    connect(DBGrid1, &QAbstractItemView::doubleClicked, this, &abadiha::rowDoubleClicked);
    connect(&windows::get<abadiha_ins>(), &abadiha_ins::saved, this, &abadiha::search);
}

void abadiha::applyRights(const PageRights &rights)
{
    N2->setEnabled(rights.insert);
    ins_btn->setVisible(rights.insert);
    N3->setEnabled(rights.edit);
    // Renaming every listed village is an edit.
    N13->setEnabled(rights.edit);
    N1->setEnabled(rights.remove);
}

void abadiha::prepare()
{
    for (QLineEdit *edit : {cod, city, rosta})
        edit->clear();
    ostan->setEditText(QString());
    cnt2->setText(QStringLiteral("0"));
    search();
    if (windows::exists<bv::main>())
        resize(width(), std::max(200, windows::get<bv::main>().height() - 50));
}

void abadiha::search()
{
    const VillageFilters filters{CheckBox4->entry(), CheckBox3->entry(), CheckBox1->entry(), CheckBox2->entry()};
    try {
        const Db &db = dm().main();
        cnt->setText(QString::number(countVillages(db, filters)));
        DBGrid1->setRows(searchVillages(db, filters));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

Village abadiha::currentVillage() const
{
    QStringList values;
    for (const QString &column : villageColumns())
        values << cellText(DBGrid1->currentValue(column));
    return Village::fromValues(values, DBGrid1->currentId().toLongLong());
}

void abadiha::newVillage()
{
    abadiha_ins &entry = windows::get<abadiha_ins>();
    entry.startNew();
    ui().execDialog(entry);
}

void abadiha::editCurrentVillage()
{
    if (!DBGrid1->currentId().isValid())
        return;
    abadiha_ins &entry = windows::get<abadiha_ins>();
    entry.startEdit(currentVillage());
    ui().execDialog(entry);
}

void abadiha::deleteCurrentVillage()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    try {
        const Db &db = dm().main();
        if (confirmDeletePassword(db)) {
            reportDelete(removeVillage(db, id.toLongLong(), session().karbar));
        }
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
    search();
}

void abadiha::renameListedCounty()
{
    if (!ui().question(cnt->text() + QStringLiteral("اين تعداد شهرستان شامل اين تغيير مي شوند، آيا از اين عمل مطمئن هستيد؟")))
        return;
    const std::optional<QString> typed =
        ui().input(QStringLiteral("Shahrestan Name:"), QStringLiteral("نام جديد شهرستان را وارد نماييد"), QStringLiteral("?"));
    // A cancelled box, an empty name or the untouched "?" renames nothing.
    const QString name = typed ? normalizeInput(*typed) : QString();
    if (name.isEmpty() || name == QLatin1String("?"))
        return;
    const QString error = villageFieldError(QStringLiteral("city"), name);
    if (!error.isEmpty()) {
        ui().message(error);
        return;
    }
    QList<qint64> ids;
    const ResultSet listed = DBGrid1->shownRows();
    for (int r = 0; r < listed.size(); ++r)
        ids << listed.value(r, QStringLiteral("id")).toLongLong();
    int changed = 0;
    try {
        changed = renameCounty(dm().main(), ids, name);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    search();
    ui().message(changedCountMessage(changed));
}

void abadiha::exportList()
{
    bv::exportList(villageExportRows(DBGrid1->shownRows()), villageExportHeadings());
}

void abadiha::browseExcel()
{
    sheet_.reset();
    DBGrid2->setRows({});
    cnt2->setText(QStringLiteral("0"));
    const QString path = ui().openFileName(QStringLiteral("Browse Excel..."),
                                           QStringLiteral("Excel 2003 (*.xls);;Excel 2007 (*.xlsx);;All Files(*.*)"));
    if (path.isEmpty())
        return;
    sheet_ = readSheet(path, QStringLiteral("Sheet1"));
    if (!sheet_) {
        ui().message(sheetReadError, MessageKind::Error);
        return;
    }
    ResultSet shown;
    shown.columns = sheet_->columns;
    for (const QStringList &row : sheet_->rows) {
        QVariantList values;
        for (const QString &cell : row)
            values << cell;
        shown.rows.push_back(std::move(values));
    }
    DBGrid2->setRows(std::move(shown));
    for (int c = 0; c < sheet_->columns.size(); ++c)
        DBGrid2->setColumnWidth(c, 100);
    cnt2->setText(QString::number(sheet_->rows.size()));
    ProgressBar1->reset();
}

void abadiha::replaceFromSheet()
{
    const bool confirmed = ui().question(
        QStringLiteral("اين عمل ممکن است دقايقي بطول انجامد و اطلاعات قبلي حذف و اطلاعات اکسل جايگزين مي گردد. آيا براي ادامه عمليات اطمينان داريد؟"));
    if (!sheet_ || sheet_->columns.size() != villageColumns().size()) {
        ui().message(columnCountError, MessageKind::Error);
        return;
    }
    if (!confirmed)
        return;
    ProgressBar1->setRange(0, std::max<int>(1, int(sheet_->rows.size())));
    ProgressBar1->setValue(0);
    const QString error = replaceVillages(dm().main(), *sheet_, [this](int done) {
        if (done % 500 == 0)
            ProgressBar1->setValue(done);
    });
    if (!error.isEmpty()) {
        ProgressBar1->reset();
        ui().message(error, MessageKind::Error);
        return;
    }
    ProgressBar1->setValue(ProgressBar1->maximum());
    search();
    ui().message(QStringLiteral("انتقال انجام شد"));
}

std::optional<Village> abadiha::pick(bool emptyFilters)
{
    if (emptyFilters)
        for (QLineEdit *edit : {cod, city, rosta})
            edit->clear();
    try {
        applyRights(pageRights(dm().main(), session().prsId, QStringLiteral("abadiha")).value_or(PageRights{}));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return std::nullopt;
    }
    search();
    picking_ = true;
    picked_.reset();
    ui().execDialog(*this);
    picking_ = false;
    return std::exchange(picked_, std::nullopt);
}

void abadiha::rowDoubleClicked()
{
    if (!picking_ || !DBGrid1->currentId().isValid())
        return;
    picked_ = currentVillage();
    accept();
}

std::optional<Village> pickVillage(bool emptyFilters)
{
    return windows::get<abadiha>().pick(emptyFilters);
}

}  // namespace bv
