#include "etebarat.h"

#include "browsergrid.h"
#include "credits.h"
#include "dm.h"
#include "interaction.h"
#include "lookuplists.h"
#include "monedit.h"
#include "villages.h"
#include "widgets.h"
#include "yearedit.h"

#include <QAction>
#include <QComboBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace bv {

using namespace reporting;

etebarat::etebarat(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("etebarat"));
    setWindowTitle(QStringLiteral("اعتبارات"));
    setLayoutDirection(Qt::RightToLeft);

    tamin_sal = yearEdit(this);
    tamin_loc = new QComboBox(this);
    tarh_cod = new QLineEdit(this);
    city = new QComboBox(this);
    mablagh = new MonEdit(this);
    mablagh_naghshe = new MonEdit(this);
    mablagh_fani = new MonEdit(this);
    ins_btn = new QPushButton(QStringLiteral("ثبت"), this);

    DBGrid1 = new BrowserGrid(this);
    DBGrid1->setHeadings(creditGridHeadings());
    DBGrid1->setHiddenColumns({QStringLiteral("id")});
    DBGrid1->setMoneyColumns(QSet<QString>(creditMoneyColumns.begin(), creditMoneyColumns.end()));
    DBGrid1->setContextMenuPolicy(Qt::ActionsContextMenu);
    N1 = new QAction(QStringLiteral("اکسل"), DBGrid1);
    N2 = new QAction(QStringLiteral("حذف"), DBGrid1);
    DBGrid1->addActions({N1, N2});

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("سال اعتبار"), tamin_sal);
    form->addRow(QStringLiteral("محل تامين"), tamin_loc);
    form->addRow(QStringLiteral("کد طرح"), tarh_cod);
    form->addRow(QStringLiteral("شهرستان"), city);
    form->addRow(QStringLiteral("مبلغ تخصيصي"), mablagh);
    form->addRow(QStringLiteral("مبلغ نقشه برداري"), mablagh_naghshe);
    form->addRow(QStringLiteral("مبلغ مطالعات"), mablagh_fani);
    form->addRow(ins_btn);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(DBGrid1);

    for (QWidget *w : QList<QWidget *>{tamin_sal, tamin_loc, tarh_cod, city, mablagh, mablagh_naghshe, mablagh_fani})
        w->installEventFilter(this);
    connect(ins_btn, &QPushButton::clicked, this, &etebarat::registerCredit);
    connect(N1, &QAction::triggered, this, &etebarat::exportList);
    connect(N2, &QAction::triggered, this, &etebarat::deleteCredit);
}

bool etebarat::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            const QList<QWidget *> chain{tamin_sal, tamin_loc, tarh_cod, city, mablagh, mablagh_naghshe};
            const qsizetype at = chain.indexOf(static_cast<QWidget *>(watched));
            if (watched == mablagh_naghshe) {
                computeShare();
                mablagh_fani->setFocus();
            } else if (watched == mablagh_fani) {
                if (ins_btn->isEnabled())
                    registerCredit();
            } else if (at >= 0) {
                chain[at + 1]->setFocus();
            }
            return at >= 0 || watched == mablagh_fani;
        }
    } else if ((event->type() == QEvent::FocusOut && watched == mablagh_naghshe)
               || (event->type() == QEvent::FocusIn && watched == mablagh_fani)) {
        computeShare();
    }
    return QDialog::eventFilter(watched, event);
}

void etebarat::applyRights(const PageRights &rights)
{
    ins_btn->setEnabled(rights.insert);
    N2->setEnabled(rights.remove);
}

void etebarat::prepare()
{
    try {
        const Db &db = dm().main();
        const QString source = typedText(tamin_loc), county = typedText(city);
        tamin_loc->clear();
        tamin_loc->addItems(lookupItemsSorted(db, QStringLiteral("محل تامين اعتبار")));
        showStoredValue(tamin_loc, source);
        city->clear();
        city->addItems(villageChoices(db, VillageLevel::County));
        showStoredValue(city, county);
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
    reread();
}

void etebarat::reread()
{
    try {
        DBGrid1->setRows(creditList(dm().main()));
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
    }
}

void etebarat::computeShare()
{
    const std::pair<Money, Money> split{mablagh->money(), mablagh_naghshe->money()};
    if (const std::optional<Money> share = studiesShare(split.first, split.second)) {
        mablagh_fani->setMoney(*share);
        refused_.reset();
    } else if (refused_ != split) {
        refused_ = split;
        ui().message(surveyingAboveAllocationMessage, MessageKind::Warning);
    }
}

void etebarat::registerCredit()
{
    const CreditEntry entry{typedText(tamin_sal),      typedText(tamin_loc),     typedText(tarh_cod),
                            typedText(city),           mablagh->money(),         mablagh_naghshe->money(),
                            mablagh_fani->money()};
    try {
        switch (reporting::registerCredit(dm().main(), entry)) {
        case CreditOutcome::Duplicate: ui().message(duplicateMessage, MessageKind::Warning); return;
        case CreditOutcome::SurveyingAboveAllocation:
            ui().message(surveyingAboveAllocationMessage, MessageKind::Warning);
            return;
        case CreditOutcome::Registered: break;
        }
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    reread();
    ui().message(registeredMessage);
    QStringList counties;
    for (int i = 0; i < city->count(); ++i)
        counties << city->itemText(i);
    showStoredValue(city, nextItem(counties, entry.city));
    mablagh->setFocus();
}

void etebarat::deleteCredit()
{
    const Row row = DBGrid1->currentRow();
    if (row.isEmpty())
        return;
    // The inputs get the row back first, so that a deletion by mistake is one register away.
    tamin_sal->setText(row.value(QStringLiteral("tamin_sal")).toString());
    showStoredValue(tamin_loc, row.value(QStringLiteral("tamin_loc")).toString());
    tarh_cod->setText(row.value(QStringLiteral("tarh_cod")).toString());
    showStoredValue(city, row.value(QStringLiteral("city")).toString());
    mablagh->setMoney(Money::fromVariant(row.value(QStringLiteral("mablagh"))));
    mablagh_naghshe->setMoney(Money::fromVariant(row.value(QStringLiteral("mablagh_naghshe"))));
    mablagh_fani->setMoney(Money::fromVariant(row.value(QStringLiteral("mablagh_fani"))));
    try {
        reporting::deleteCredit(dm().main(), row.value(QStringLiteral("id")).toLongLong());
    } catch (const DbError &e) {
        ui().message(e.text(), MessageKind::Error);
        return;
    }
    reread();
    ui().message(deletedMessage);
}

void etebarat::exportList()
{
    DBGrid1->exportList(creditExportHeadings());
}

}  // namespace bv
