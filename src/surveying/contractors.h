#pragma once
// Surveying contractors: registering, editing and deleting; their search and
// display name are the shared ones of contractor_kinds.h. No widgets.
#include "contractor_kinds.h"
#include "db.h"

#include <optional>

namespace bv::survey {

using bv::legalPerson;
using bv::naturalPerson;

// The surveying contractors and their attachments.
inline const ContractorTables contractorTables{QStringLiteral("peymankar"), QStringLiteral("peymankar_pic")};

// The columns of a contractor in the entry window's order.
const QStringList &contractorColumns();

// Typed texts by column.
using ContractorTexts = QMap<QString, QString>;
// Same family name, given name and company name as another contractor.
bool contractorExists(const Db &db, const ContractorTexts &texts);
inline const QString duplicateContractorMessage = QStringLiteral("خطا! نام و نام خانوادگي و نام شرکت تکراريست");
qint64 insertContractor(const Db &db, const ContractorTexts &texts, const QString &user);
void updateContractor(const Db &db, qint64 id, const ContractorTexts &texts, const QString &user);
// Projects that name the contractor.
int projectsOfContractor(const Db &db, qint64 id);
// False, with nothing written, when the row was already gone.
bool deleteContractor(const Db &db, qint64 id, const QString &lname, const QString &user);

}  // namespace bv::survey
