#pragma once
// Surveying contractors: the search of the browser and the picker, the display
// name, registering, editing and deleting. No widgets.
#include "conditions.h"
#include "db.h"

#include <optional>

namespace bv::survey {

inline const QString naturalPerson = QStringLiteral("حقيقي");
inline const QString legalPerson = QStringLiteral("حقوقي");

// The columns of a contractor in the entry window's order.
const QStringList &contractorColumns();

// The name a project and the documents give a contractor: "fname lname" for a
// natural person, the company name for a legal one; nullopt for another kind.
std::optional<QString> contractorDisplayName(const Row &contractor);

struct ContractorFilter {
    QString kind;                     // "حقيقي", "حقوقي", or empty for both
    std::optional<QString> lname;     // family name contains
    std::optional<QString> compName;  // company name contains
};
Conditions contractorConditions(const Dialect &dialect, const ContractorFilter &filter);
int countContractors(const Db &db, const ContractorFilter &filter);
// The browser's list, with the attachment count of each contractor.
ResultSet browseContractors(const Db &db, const ContractorFilter &filter);
// The picker's list.
ResultSet pickContractors(const Db &db, const ContractorFilter &filter);

// The browser's row colour: true (lime green) for a natural person with 3 or
// more attachments or a legal person with 5 or more.
bool contractorComplete(const QString &kind, int attachments);

// Typed texts by column.
using ContractorTexts = QMap<QString, QString>;
// Same family name, given name and company name as another contractor.
bool contractorExists(const Db &db, const ContractorTexts &texts);
inline const QString duplicateContractorMessage = QStringLiteral("خطا! نام و نام خانوادگي و نام شرکت تکراريست");
qint64 insertContractor(const Db &db, const ContractorTexts &texts, const QString &user);
void updateContractor(const Db &db, qint64 id, const ContractorTexts &texts, const QString &user);
// Projects that name the contractor.
int projectsOfContractor(const Db &db, qint64 id);
void deleteContractor(const Db &db, qint64 id, const QString &lname, const QString &user);

}  // namespace bv::survey
