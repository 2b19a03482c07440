#include "peymankar_list.h"

#include "browsergrid.h"
#include "contractor_filters.h"
#include "contractors.h"
#include "dm.h"
#include "interaction.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace bv {

peymankar_list::peymankar_list(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("peymankar_list"));
    setWindowTitle(QStringLiteral("ليست پيمانکاران"));
    filters = new ContractorFilters(survey::contractorTables, this);
    src_btn = new QPushButton(QStringLiteral("جستجو"), this);
    cnt = new QLabel(QStringLiteral("0"), this);
    DBGrid1 = new BrowserGrid(this);
    DBGrid1->setHeadings(contractorPickHeadings());
    DBGrid1->setHiddenColumns({QStringLiteral("id"), QStringLiteral("tamin_shahr"), QStringLiteral("tamin_shobe"),
                               QStringLiteral("eghtesadi_cod")});
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
    connect(filters, &ContractorFilters::searchRequested, this, &peymankar_list::search);
    connect(src_btn, &QPushButton::clicked, this, &peymankar_list::search);
    connect(DBGrid1, &QAbstractItemView::doubleClicked, this, &peymankar_list::pickCurrent);
}

std::optional<PickedContractor> peymankar_list::pick()
{
    picked_.reset();
    filters->lname->clear();
    filters->comp_name->clear();
    search();
    ui().execDialog(*this);
    return picked_;
}

void peymankar_list::search()
{
    filters->search(cnt, DBGrid1, &pickContractors);
}

void peymankar_list::pickCurrent()
{
    const QVariant id = DBGrid1->currentId();
    if (!id.isValid())
        return;
    Row row;
    for (const char *c : {"typ", "fname", "lname", "comp_name"})
        row[QLatin1String(c)] = DBGrid1->currentValue(QLatin1String(c));
    picked_ = PickedContractor{id.toLongLong(), contractorDisplayName(row)};
    accept();
}

}  // namespace bv
