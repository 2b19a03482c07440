#include "naghshe_pic__src.h"

#include "attachments.h"
#include "browsergrid.h"
#include "dm.h"
#include "filters.h"
#include "interaction.h"
#include "lookuplists.h"
#include "widgets.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace bv {

namespace {
const Headings gridHeadings = {
    {"cmt", QStringLiteral("شرح ضميمه")}, {"pictyp", QStringLiteral("فرمت")},
    {"city", QStringLiteral("شهرستان")},  {"bakhsh", QStringLiteral("بخش")},
    {"dehestan", QStringLiteral("دهستان")}, {"rosta", QStringLiteral("روستا")},
};

QComboBox *choiceBox(QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setEditable(true);
    return box;
}

}  // namespace

naghshe_pic__src::naghshe_pic__src(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("naghshe_pic__src"));
    setWindowTitle(QStringLiteral("جستجو در ضمائم نقشه برداري"));
    warning = new QLabel(QStringLiteral("تذکر بسيار مهم:حتما فيلترهايي از بالا را انتخاب نماييد، در غير اينصورت بدليل حجم داده ها ممکن است پروسه جستجو و ذخيره سازي بسيار طول بکشد و سيستم شما براي مدتي از کار بيافتد"), this);
    warning->setWordWrap(true);
    warning->setStyleSheet(QStringLiteral("color: red"));
    cmt = choiceBox(this);
    city = choiceBox(this);
    rosta = choiceBox(this);
    peymankar = new QLineEdit(this);
    prot_no = new QLineEdit(this);
    tamin_sal = new QLineEdit(this);
    CheckBox1 = new FilterCheck(QStringLiteral("شرح مستند"), {cmt}, this);
    CheckBox2 = new FilterCheck(QStringLiteral("شهرستان"), {city}, this);
    CheckBox3 = new FilterCheck(QStringLiteral("روستا"), {rosta}, this);
    CheckBox4 = new FilterCheck(QStringLiteral("پيمانکار"), {peymankar}, this);
    CheckBox5 = new FilterCheck(QStringLiteral("شماره قرارداد"), {prot_no}, this);
    CheckBox7 = new FilterCheck(QStringLiteral("سال تامين اعتبار"), {tamin_sal}, this);
    BitBtn1 = new QPushButton(QStringLiteral("جستجو"), this);
    BitBtn2 = new QPushButton(QStringLiteral("ذخيره همه ضمائم ليست بالا"), this);
    cnt = new QLabel(QStringLiteral("0"), this);
    DBGrid1 = new BrowserGrid(this);
    DBGrid1->setHeadings(gridHeadings);
    DBGrid1->setHiddenColumns({QStringLiteral("id"), QStringLiteral("naghshe_id")});
    DBGrid1->setContextMenuPolicy(Qt::ActionsContextMenu);
    N1 = new QAction(QStringLiteral("ذخيره ضميمه"), DBGrid1);
    DBGrid1->addAction(N1);

    auto *filtersBox = new QGridLayout;
    int column = 0;
    for (auto [check, input] : {std::pair<FilterCheck *, QWidget *>{CheckBox1, cmt}, {CheckBox2, city},
                                {CheckBox3, rosta}, {CheckBox4, peymankar}, {CheckBox5, prot_no},
                                {CheckBox7, tamin_sal}}) {
        filtersBox->addWidget(check, 0, column);
        filtersBox->addWidget(input, 1, column++);
    }
    filtersBox->addWidget(BitBtn1, 1, column);
    auto *count = new QHBoxLayout;
    count->addWidget(new QLabel(QStringLiteral("تعداد:"), this));
    count->addWidget(cnt);
    count->addStretch();
    count->addWidget(BitBtn2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(warning);
    layout->addLayout(filtersBox);
    layout->addLayout(count);
    layout->addWidget(DBGrid1);

    connect(BitBtn1, &QPushButton::clicked, this, &naghshe_pic__src::search);
    connect(BitBtn2, &QPushButton::clicked, this, &naghshe_pic__src::saveAll);
    connect(DBGrid1, &QAbstractItemView::clicked, this, [this] { saveCurrent(false); });
    connect(N1, &QAction::triggered, this, [this] { saveCurrent(true); });
}

void naghshe_pic__src::open()
{
    cnt->setText(QStringLiteral("0"));
    for (QComboBox *box : {cmt, city, rosta})
        box->setEditText(QString());
    for (QLineEdit *edit : {peymankar, prot_no, tamin_sal})
        edit->clear();
    fillChoices();
    ui().execDialog(*this);
}

void naghshe_pic__src::fillChoices()
{
    try {
        const Db &db = dm().main();
        const std::pair<QComboBox *, QStringList> choices[] = {
            {cmt, lookupItemsSorted(db, QStringLiteral("شرح ضمائم نقشه برداري"))},
            {city, survey::placeChoices(db, survey::Place::County)},
            {rosta, survey::placeChoices(db, survey::Place::Village)},
        };
        for (const auto &[box, items] : choices) {
            box->blockSignals(true);
            box->clear();
            box->addItems(items);
            box->setCurrentIndex(-1);
            box->setEditText(QString());
            box->blockSignals(false);
        }
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

survey::AttachmentFilters naghshe_pic__src::filters() const
{
    return {CheckBox1->entry(), CheckBox2->entry(), CheckBox3->entry(),
            CheckBox4->entry(), CheckBox5->entry(), CheckBox7->entry()};
}

void naghshe_pic__src::search()
{
    try {
        const Db &db = dm().main();
        searched_ = filters();
        const Conditions c = survey::attachmentConditions(db.dialect(), searched_, session());
        const int count = survey::countAttachments(db, c);
        cnt->setText(QString::number(count));
        ResultSet rows = survey::searchAttachments(db, c, firstScreenRows);
        DBGrid1->setFirstScreen(std::move(rows), count, [c] { return survey::searchAttachments(dm().main(), c); });
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void naghshe_pic__src::saveCurrent(bool listed)
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    const Row row = DBGrid1->currentRow();
    try {
        const Db &db = dm().main();
        const std::optional<StoredAttachment> file = fetchAttachment(db, attachment::naghshe_pic(), id.toLongLong());
        if (!file)
            return;
        const QString score = survey::projectScore(db, row.value(QStringLiteral("naghshe_id")).toLongLong());
        const QString name = listed ? survey::listedFileName(row.value(QStringLiteral("city")).toString(),
                                                             row.value(QStringLiteral("rosta")).toString(),
                                                             file->description, score)
                                    : survey::clickedFileName(file->description, score);
        const QString path = saveAttachmentAs(*file, name);
        if (!path.isEmpty() && !listed && CheckBox1->isChecked())
            openAttachmentFile(path);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void naghshe_pic__src::saveAll()
{
    const QString prefix = ui().saveFileName(QStringLiteral("ذخيره همه ضمائم"), QStringLiteral("Z"));
    if (prefix.isEmpty())
        return;
    DBGrid1->completeRows();
    const SaveAllReport report = survey::saveAllAttachments(dm().main(), DBGrid1->shownRows(), prefix);
    ui().message(saveAllMessage(report), report.failed > 0 ? MessageKind::Warning : MessageKind::Plain);
}

}  // namespace bv
