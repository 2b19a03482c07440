#pragma once
// The office around the sample projects: staff accounts of several levels with
// their counties and page rights, messages between them, the phone book, and
// projects whose files are complete, so that every window of `./dev run` shows
// how a working office looks.
#include "db.h"
#include "sample.h"

namespace bv::sample {

// The password of every sample staff account.
inline const QString staffPassword = QStringLiteral("borvinat");

// A staff account of the sample office: who may log in, where, to see what.
struct StaffAccount {
    QString us, nam, lev, semat, status;
    QStringList counties;  // the county scope
};
const std::vector<StaffAccount> &staffAccounts();

// Adds the office to a database `fill` has filled with `size`.
void fillOffice(const Db &db, const Size &size);

}  // namespace bv::sample
