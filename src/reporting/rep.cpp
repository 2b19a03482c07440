#include "rep.h"

#include "browsergrid.h"
#include "dm.h"
#include "filters.h"
#include "interaction.h"
#include "naghshe_search.h"
#include "villages.h"
#include "widgets.h"
#include "yearedit.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace bv {

using namespace reporting;

namespace {
const QString contractPicture = QStringLiteral("تصوير قرارداد");
const QString mapPicture = QStringLiteral("فايل pdf");
const QString proposalPicture = QStringLiteral("تصوير طرح پيشنهادي-pdf");
const QSet<QString> moneyColumns = {QStringLiteral("prot_mablagh"), QStringLiteral("pardakhti"),
                                    QStringLiteral("por_price"), QStringLiteral("khali_price"),
                                    QStringLiteral("tajhiz_mablagh"), QStringLiteral("jarime"),
                                    QStringLiteral("prot_mablagh_binofoz")};

QAction *menuItem(BrowserGrid *grid, const QString &caption)
{
    auto *a = new QAction(caption, grid);
    grid->addAction(a);
    return a;
}
}  // namespace

rep::rep(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("rep"));
    setWindowTitle(QStringLiteral("گزارشات"));
    setLayoutDirection(Qt::RightToLeft);

    city = new QComboBox(this);
    city->setEditable(true);
    rosta = new QComboBox(this);
    rosta->setEditable(true);
    tamin_sal = yearEdit(this);
    peymankar = new QLineEdit(this);
    bakhsh = new QLineEdit(this);
    prot_no = new QLineEdit(this);
    dehestan = new QLineEdit(this);
    CheckBox1 = new FilterCheck(QStringLiteral("شهرستان"), {city}, this);
    CheckBox2 = new FilterList(QStringLiteral("روستا"), rosta, QStringLiteral("حذف روستا"), this);
    CheckBox7 = new FilterCheck(QStringLiteral("سال تامين اعتبار"), {tamin_sal}, this);
    CheckBox5 = new FilterCheck(QStringLiteral("مشاور"), {peymankar}, this);
    CheckBox3 = new FilterCheck(QStringLiteral("بخش"), {bakhsh}, this);
    CheckBox6 = new FilterCheck(QStringLiteral("شماره قرارداد"), {prot_no}, this);
    CheckBox4 = new FilterCheck(QStringLiteral("دهستان"), {dehestan}, this);
    BitBtn1 = new QPushButton(QStringLiteral("جستجو"), this);
    cnt = new QLabel(QStringLiteral("0"), this);
    cnt2 = new QLabel(QStringLiteral("0"), this);

    DBGrid1 = new BrowserGrid(this);
    DBGrid1->setHeadings(survey::comprehensiveHeadings());
    DBGrid2 = new BrowserGrid(this);
    DBGrid2->setHeadings(repStudiesHeadings());
    for (BrowserGrid *g : {DBGrid1, DBGrid2}) {
        g->setMoneyColumns(moneyColumns);
        g->setContextMenuPolicy(Qt::ActionsContextMenu);
        // A title click sorts the whole list, not the first screen.
        connect(g->horizontalHeader(), &QHeaderView::sectionPressed, this, &rep::completeLists);
    }
    N1 = menuItem(DBGrid1, contractPicture);
    N2 = menuItem(DBGrid1, QStringLiteral("تصوير نقشه"));
    N3 = menuItem(DBGrid1, QStringLiteral("خروجي اکسل"));
    N4 = menuItem(DBGrid2, contractPicture);
    N5 = menuItem(DBGrid2, QStringLiteral("تصوير طرح پيشنهادي"));
    N6 = menuItem(DBGrid2, QStringLiteral("خروجي اکسل"));

    auto *filtersBox = new QGridLayout;
    int col = 0;
    auto place = [&](QWidget *check, QWidget *input) {
        filtersBox->addWidget(check, 0, col);
        filtersBox->addWidget(input, 1, col++);
    };
    place(CheckBox1, city);
    auto *addRow = new QHBoxLayout;
    addRow->addWidget(CheckBox2->add);
    addRow->addWidget(CheckBox2->show);
    filtersBox->addWidget(CheckBox2->check, 0, col);
    filtersBox->addWidget(rosta, 1, col);
    filtersBox->addLayout(addRow, 2, col);
    filtersBox->addWidget(CheckBox2->list, 3, col++);
    place(CheckBox7, tamin_sal);
    place(CheckBox5, peymankar);
    place(CheckBox3, bakhsh);
    place(CheckBox6, prot_no);
    place(CheckBox4, dehestan);
    filtersBox->addWidget(BitBtn1, 1, col);

    auto counted = [this](const QString &caption, QLabel *count) {
        auto *row = new QHBoxLayout;
        row->addWidget(new QLabel(caption, this));
        row->addWidget(count);
        row->addStretch();
        return row;
    };
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filtersBox);
    layout->addWidget(
        new QLabel(QStringLiteral("توجه: براي مشاهده تصوير قرارداد هر روستا بر روي آن کليک راست نماييد"), this));
    layout->addLayout(counted(QStringLiteral("نقشه برداري:"), cnt));
    layout->addWidget(DBGrid1);
    layout->addLayout(counted(QStringLiteral("مطالعات:"), cnt2));
    layout->addWidget(DBGrid2);

    connect(BitBtn1, &QPushButton::clicked, this, &rep::search);
    connect(N1, &QAction::triggered, this, [this] { viewFile(RepList::Survey, contractPicture); });
    connect(N2, &QAction::triggered, this, [this] { viewFile(RepList::Survey, mapPicture); });
    connect(N3, &QAction::triggered, this, [this] { exportList(RepList::Survey); });
    connect(N4, &QAction::triggered, this, [this] { viewFile(RepList::Studies, contractPicture); });
    connect(N5, &QAction::triggered, this, [this] { viewFile(RepList::Studies, proposalPicture); });
    connect(N6, &QAction::triggered, this, [this] { exportList(RepList::Studies); });
}

void rep::prepare()
{
    for (FilterCheck *check : {CheckBox1, CheckBox7, CheckBox5, CheckBox3, CheckBox6, CheckBox4, CheckBox2->check})
        check->setChecked(false);
    for (QLineEdit *e : {tamin_sal, peymankar, bakhsh, prot_no, dehestan})
        e->clear();
    try {
        refillChoices(city, villageChoices(dm().main(), VillageLevel::County));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
    search();
}

RepFilters rep::filters() const
{
    RepFilters f;
    f.city = CheckBox1->entry();
    f.rosta = CheckBox2->entries();
    f.tamin_sal = CheckBox7->entry();
    f.peymankar = CheckBox5->entry();
    f.bakhsh = CheckBox3->entry();
    f.prot_no = CheckBox6->entry();
    f.dehestan = CheckBox4->entry();
    return f;
}

void rep::search()
{
    try {
        const RepFilters f = filters();
        RepResult r = repSearch(dm().main(), f, session(), firstScreenRows);
        last_ = f;
        pending_ = r.survey.size() < r.surveyCount || r.studies.size() < r.studiesCount;
        cnt->setText(QString::number(r.surveyCount));
        cnt2->setText(QString::number(r.studiesCount));
        DBGrid1->setRows(std::move(r.survey));
        DBGrid2->setRows(std::move(r.studies));
        if (pending_)
            QTimer::singleShot(0, this, &rep::completeLists);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void rep::completeLists()
{
    if (!pending_)
        return;
    pending_ = false;
    try {
        const Db &db = dm().main();
        // The first screens are the heads of the whole lists, so the current rows keep their places.
        for (auto [grid, list] : {std::pair{DBGrid1, RepList::Survey}, std::pair{DBGrid2, RepList::Studies}}) {
            const QModelIndex at = grid->currentIndex();
            grid->setRows(repList(db, list, last_, session()));
            if (at.isValid())
                grid->setCurrentIndex(grid->model()->index(at.row(), at.column()));
        }
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void rep::viewFile(RepList list, const QString &description)
{
    const BrowserGrid *grid = list == RepList::Survey ? DBGrid1 : DBGrid2;
    const QVariant id = grid->currentId();
    if (!id.isValid())
        return;
    const AttachmentTable &table =
        list == RepList::Survey ? attachment::naghshe_pic() : attachment::borvinat_pic();
    try {
        switch (viewFirstAttachment(dm().main(), table, id.toLongLong(), description)) {
        case ViewOutcome::Missing: ui().message(missingMessage); break;
        case ViewOutcome::Failed: ui().message(impossibleMessage, MessageKind::Error); break;
        case ViewOutcome::Opened: break;
        }
    } catch (const DbError &) {
        ui().message(impossibleMessage, MessageKind::Error);
    }
}

void rep::exportList(RepList list)
{
    completeLists();
    if (list == RepList::Survey)
        DBGrid1->exportList(survey::comprehensiveHeadings());
    else
        DBGrid2->exportList(repStudiesHeadings());
}

}  // namespace bv
