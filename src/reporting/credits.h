#pragma once
// The credits register: one row per plan code, credit year and county with the
// allocated amount and its split between surveying and studies. No widgets.
#include "db.h"
#include "listtext.h"
#include "money.h"

#include <optional>

namespace bv::reporting {

struct CreditEntry {
    QString tamin_sal, tamin_loc, tarh_cod, city;
    Money mablagh, mablagh_naghshe, mablagh_fani;
};

// The studies share: allocated minus surveying; nullopt when surveying is
// above the allocation (the share box takes no negative amount).
std::optional<Money> studiesShare(Money allocated, Money surveying);

inline const QString surveyingAboveAllocationMessage =
    QStringLiteral("مبلغ نقشه برداري بيش از مبلغ تخصيصي است");
inline const QString duplicateMessage = QStringLiteral("خطا! تکراريست");
inline const QString registeredMessage = QStringLiteral("ثبت شد");
inline const QString deletedMessage = QStringLiteral("حذف شد");

enum class CreditOutcome { Registered, Duplicate, SurveyingAboveAllocation };

// Refuses a plan code, year and county already registered, and a split whose
// surveying part is above the allocation; otherwise inserts the row.
CreditOutcome registerCredit(const Db &db, const CreditEntry &entry);
void deleteCredit(const Db &db, qint64 id);

// The register's rows in the grid's column order, oldest first.
ResultSet creditList(const Db &db);
const Headings &creditGridHeadings();
const Headings &creditExportHeadings();
inline const QStringList creditMoneyColumns = {QStringLiteral("mablagh"), QStringLiteral("mablagh_naghshe"),
                                               QStringLiteral("mablagh_fani")};

// The entry after `current` in `items`; the first when `current` is the last
// or not listed.
QString nextItem(const QStringList &items, const QString &current);

}  // namespace bv::reporting
