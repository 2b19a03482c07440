#pragma once
// The phone book: search, register and delete of `phone` rows.
#include "db.h"

namespace bv {

// The column a search looks in.
enum class PhoneField { Name, Tel, Cmt };

// Rows whose field contains `text`, whichever kaf or yeh either side was
// written with; rows without a name are never listed. By name.
ResultSet searchPhones(const Db &db, PhoneField field, const QString &text);
int countPhones(const Db &db, PhoneField field, const QString &text);

enum class PhoneAdd { Added, EmptyName, Duplicate };

// Registers a row unless the name is empty or already registered.
PhoneAdd addPhone(const Db &db, const QString &name, const QString &tel, const QString &cmt);
void removePhone(const Db &db, qint64 id);

}  // namespace bv
