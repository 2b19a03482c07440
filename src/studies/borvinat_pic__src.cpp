#include "borvinat_pic__src.h"

#include "borvinat_search.h"
#include "browsergrid.h"
#include "dm.h"
#include "filters.h"
#include "interaction.h"
#include "lookuplists.h"
#include "widgets.h"

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
const Headings &headings()
{
    static const Headings h = [] {
        Headings out = studies::gridHeadings();
        out.insert(QStringLiteral("cmt"), QStringLiteral("شرح ضميمه"));
        out.insert(QStringLiteral("pictyp"), QStringLiteral("فرمت"));
        return out;
    }();
    return h;
}

QComboBox *typedBox(QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setEditable(true);
    return box;
}
}  // namespace

borvinat_pic__src::borvinat_pic__src(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("borvinat_pic__src"));
    setWindowTitle(QStringLiteral("جستجو در ضمائم مطالعات"));
    setLayoutDirection(Qt::RightToLeft);
    warning = new QLabel(QStringLiteral("تذکر بسيار مهم:حتما فيلترهايي از بالا را انتخاب نماييد، در غير اينصورت بدليل حجم داده ها ممکن است پروسه جستجو و ذخيره سازي بسيار طول بکشد و سيستم شما براي مدتي از کار بيافتد"), this);
    warning->setWordWrap(true);
    warning->setStyleSheet(QStringLiteral("color: red"));
    cmt = typedBox(this);
    city = typedBox(this);
    rosta = typedBox(this);
    tarh_moshaver_name = new QLineEdit(this);
    prot_no = new QLineEdit(this);
    tamin_sal = new QLineEdit(this);
    CheckBox1 = new FilterCheck(QStringLiteral("شرح مستند"), {cmt}, this);
    CheckBox2 = new FilterCheck(QStringLiteral("شهرستان"), {city}, this);
    CheckBox3 = new FilterCheck(QStringLiteral("روستا"), {rosta}, this);
    CheckBox4 = new FilterCheck(QStringLiteral("نام مشاور تهيه طرح"), {tarh_moshaver_name}, this);
    CheckBox5 = new FilterCheck(QStringLiteral("شماره قرارداد"), {prot_no}, this);
    CheckBox7 = new FilterCheck(QStringLiteral("سال تامين اعتبار"), {tamin_sal}, this);
    BitBtn1 = new QPushButton(QStringLiteral("جستجو"), this);
    BitBtn2 = new QPushButton(QStringLiteral("ذخيره همه ضمائم ليست بالا"), this);
    cnt = new QLabel(QStringLiteral("0"), this);
    DBGrid1 = new BrowserGrid(this);
    DBGrid1->setHeadings(headings());
    DBGrid1->setHiddenColumns({QStringLiteral("id"), QStringLiteral("borvinat_id"), QStringLiteral("arzyabi_emtiyaz")});

    auto *filtersBox = new QGridLayout;
    int column = 0;
    for (auto [check, input] : {std::pair<FilterCheck *, QWidget *>{CheckBox1, cmt}, {CheckBox2, city},
                                {CheckBox3, rosta}, {CheckBox4, tarh_moshaver_name}, {CheckBox5, prot_no},
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

    connect(BitBtn1, &QPushButton::clicked, this, &borvinat_pic__src::search);
    connect(BitBtn2, &QPushButton::clicked, this, &borvinat_pic__src::saveAll);
}

void borvinat_pic__src::open()
{
    cnt->setText(QStringLiteral("0"));
    try {
        refillChoices(cmt, lookupItemsSorted(dm().main(), QStringLiteral("شرح ضمائم مطالعات")));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
    for (QComboBox *box : {cmt, city, rosta})
        box->setEditText(QString());
    for (QLineEdit *edit : {tarh_moshaver_name, prot_no, tamin_sal})
        edit->clear();
    ui().execDialog(*this);
}

studies::PicFilters borvinat_pic__src::filters() const
{
    return {CheckBox1->entry(), CheckBox2->entry(), CheckBox3->entry(),
            CheckBox4->entry(), CheckBox5->entry(), CheckBox7->entry()};
}

void borvinat_pic__src::search()
{
    try {
        const Db &db = dm().main();
        searched_ = filters();
        const Conditions c = studies::picConditions(db.dialect(), searched_);
        const int count = studies::countPics(db, c);
        cnt->setText(QString::number(count));
        ResultSet rows = studies::searchPics(db, c, firstScreenRows);
        DBGrid1->setFirstScreen(std::move(rows), count, [c] { return studies::searchPics(dm().main(), c); });
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void borvinat_pic__src::saveAll()
{
    const QString prefix = ui().saveFileName(QStringLiteral("ذخيره همه ضمائم ليست بالا"), QStringLiteral("Z"));
    if (prefix.isEmpty())
        return;
    DBGrid1->completeRows();
    const SaveAllReport report = studies::saveAllPics(dm().main(), DBGrid1->shownRows(), prefix);
    ui().message(saveAllMessage(report), report.failed > 0 ? MessageKind::Warning : MessageKind::Plain);
}

}  // namespace bv
