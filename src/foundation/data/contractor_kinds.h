#pragma once
// What the contractor tables of every subsystem share: the two kinds, the name
// a record shows, the search of their lists and the row colour by attachments.
// The tables differ; each caller names its own. No widgets.
#include "conditions.h"
#include "db.h"

#include <optional>

namespace bv {

inline const QString naturalPerson = QStringLiteral("حقيقي");
inline const QString legalPerson = QStringLiteral("حقوقي");

inline bool isNaturalPerson(const Row &contractor)
{
    return contractor.value(QStringLiteral("typ")).toString() == naturalPerson;
}

// A contractor table and the table of its attachments (whose `peymankar_id`
// points to the contractor).
struct ContractorTables {
    QString contractors;
    QString attachments;
};

// The name a record and the documents give a contractor: "fname lname" for a
// natural person, the company name for a legal one; nullopt for another kind.
std::optional<QString> contractorDisplayName(const Row &contractor);

struct ContractorFilter {
    QString kind;                     // "حقيقي", "حقوقي", or empty for both
    std::optional<QString> lname;     // family name contains
    std::optional<QString> compName;  // company name contains
};
Conditions contractorConditions(const Dialect &dialect, const QString &table, const ContractorFilter &filter);
int countContractors(const Db &db, const ContractorTables &tables, const ContractorFilter &filter);
// The statements of the two lists for the conditions' values.
QString browseContractorsSql(const Db &db, const ContractorTables &tables, const Conditions &where);
QString pickContractorsSql(const Db &db, const ContractorTables &tables, const Conditions &where);
// The browser's list by family name, with the attachment count of each contractor.
ResultSet browseContractors(const Db &db, const ContractorTables &tables, const ContractorFilter &filter);
// The picker's list by family name.
ResultSet pickContractors(const Db &db, const ContractorTables &tables, const ContractorFilter &filter);

// The browser's row colour: true (lime green) for a natural person with 3 or
// more attachments or a legal person with 5 or more.
bool contractorComplete(const QString &kind, int attachments);

}  // namespace bv
