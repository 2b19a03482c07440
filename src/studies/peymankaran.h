#pragma once
// Studies contractors (table `peymankaran`): reading what the entry window
// typed, the duplicate check by kind, registering, editing and deleting with
// their log rows, and the login accounts made for them. Their search, display
// name and row colour are the shared ones of contractor_kinds.h. No widgets.
#include "contractor_kinds.h"
#include "db.h"
#include "session.h"
#include "typed_row.h"

namespace bv::study {

inline const ContractorTables contractorTables{QStringLiteral("peymankaran"), QStringLiteral("peymankaran_pic")};

// The 27 columns after `id`, in table order.
const QStringList &contractorColumns();

// The values bound for contractorColumns(); `error` names the first field
// that cannot be stored (a grade that is not a whole number).
RowValues readContractor(const TypedTexts &typed);

// A natural person with the same family and given name (a company's
// representative included), or a company with the same company name. Another
// kind has no duplicates.
bool contractorExists(const Db &db, const TypedTexts &typed);
inline const QString duplicateContractorMessage = QStringLiteral("خطا! نام تکراريست");

// Each writes its log row for `user` in the same transaction. Throws DbError.
qint64 insertContractor(const Db &db, const TypedTexts &typed, const RowValues &values, const QString &user);
void updateContractor(const Db &db, qint64 id, const TypedTexts &typed, const RowValues &values, const QString &user);
// False, with nothing written, when the row was already gone.
bool deleteContractor(const Db &db, qint64 id, const QString &lname, const QString &user);

// Studies that point to the contractor.
int studiesOfContractor(const Db &db, qint64 id);

// The login account name of a contractor: "lname fname" (family name first)
// for a natural person, the company name for a legal one; nullopt for another
// kind or a blank name.
std::optional<QString> accountName(const Row &contractor);
// Only administrators make contractor accounts.
bool mayCreateAccounts(const Session &user);
// Makes an account for every contractor whose account name is not taken:
// password the hash of the national code, level "city", and rights to insert
// and view on "zamaem_m" and "moshaveran" replacing any rows of those pages;
// each account with its rights in one transaction. Returns the accounts made.
int createContractorAccounts(const Db &db);

}  // namespace bv::study
