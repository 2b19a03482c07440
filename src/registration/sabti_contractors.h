#pragma once
// Registration contractors: the search of their window, the display name a job
// keeps, registering, editing and deleting. No widgets.
#include "conditions.h"
#include "db.h"

#include <QMap>
#include <optional>

namespace bv::sabt {

inline const QString naturalPerson = QStringLiteral("حقيقي");
inline const QString legalPerson = QStringLiteral("حقوقي");

// The 33 columns of `sabti_peyman` after `id`, in table order.
const QStringList &contractorColumns();

// "fname lname" for a natural person, the company for a legal one; nullopt for
// another kind, whose choice leaves the job's contractor text as it was.
std::optional<QString> contractorDisplayName(const Row &contractor);

struct ContractorFilter {
    QString kind;                    // "حقيقي", "حقوقي", or empty for both
    std::optional<QString> lname;    // family name contains
    std::optional<QString> company;  // company contains
};
Conditions contractorConditions(const Dialect &dialect, const ContractorFilter &filter);
// The list's statement for the conditions' values, in registration order.
QString contractorListSql(const Conditions &where);
ResultSet searchContractors(const Db &db, const ContractorFilter &filter);

// Texts by column, normalised by the boxes that typed them.
using ContractorTexts = QMap<QString, QString>;

// Same first name, family name and company as another contractor.
bool contractorExists(const Db &db, const ContractorTexts &texts);
inline const QString duplicateContractorMessage =
    QStringLiteral("خطا! شهرستان و روستا و نام پيمانکار و شماره قرارداد تکراري است");

// Each writes its log row for `user` in the same transaction. Throws DbError.
qint64 insertContractor(const Db &db, const ContractorTexts &texts, const QString &user);
void updateContractor(const Db &db, qint64 id, const ContractorTexts &texts, const QString &user);
// False, with nothing written, when the row was already gone.
bool deleteContractor(const Db &db, qint64 id, const QString &lname, const QString &user);

// Registration jobs that point to the contractor.
int jobsOfContractor(const Db &db, qint64 id);

}  // namespace bv::sabt
