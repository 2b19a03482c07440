#include "peymankaran_list.h"

#include "browsergrid.h"
#include "contractor_filters.h"
#include "interaction.h"
#include "peymankaran.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace bv {

peymankaran_list::peymankaran_list(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("peymankaran_list"));
    setWindowTitle(QStringLiteral("ليست پيمانکاران مطالعات"));
    filters = new ContractorFilters(study::contractorTables, this);
    filters->setKindSearches(false);
    src_btn = new QPushButton(QStringLiteral("جستجو"), this);
    cnt = new QLabel(QStringLiteral("0"), this);
    DBGrid1 = new BrowserGrid(this);
    DBGrid1->setHeadings(contractorPickHeadings());
    DBGrid1->setHiddenColumns({QStringLiteral("id"), QStringLiteral("degree_dat"), QStringLiteral("comp_rotbe"),
                               QStringLiteral("comp_etebar_dat"), QStringLiteral("comp_eghtesadi_cod"),
                               QStringLiteral("taminejtemaei")});
    auto *top = new QHBoxLayout;
    top->addWidget(filters);
    top->addWidget(src_btn);
    top->addWidget(new QLabel(QStringLiteral("تعداد:"), this));
    top->addWidget(cnt);
    top->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(new QLabel(
        QStringLiteral("* براي انتخاب پيمانکار مورد نظر کافيست روي آن دوبار کليک نماييد"), this));
    layout->addWidget(DBGrid1);
    connect(filters, &ContractorFilters::searchRequested, this, &peymankaran_list::search);
    connect(src_btn, &QPushButton::clicked, this, &peymankaran_list::search);
    connect(DBGrid1, &QAbstractItemView::doubleClicked, this, &peymankaran_list::pickCurrent);
}

std::optional<PickedStudyContractor> peymankaran_list::pick()
{
    picked_.reset();
    filters->lname->clear();
    filters->comp_name->clear();
    search();
    ui().execDialog(*this);
    return picked_;
}

void peymankaran_list::search()
{
    filters->search(cnt, DBGrid1, &pickContractors);
}

void peymankaran_list::pickCurrent()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    const Row row = DBGrid1->currentRow();
    picked_ = PickedStudyContractor{id.toLongLong(), contractorDisplayName(row), row};
    accept();
}

}  // namespace bv
