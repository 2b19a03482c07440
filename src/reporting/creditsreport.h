#pragma once
// The credits report: the payments of the projects a browser found, set
// against the credit of the same county and year. No widgets.
#include "borvinat_search.h"
#include "document.h"
#include "naghshe_search.h"

namespace bv::reporting {

// What the report needs of a browser's search: the projects' conditions
// (within the user's counties) and the filters that select the credit rows.
struct CreditsSource {
    QString rep_typ;                  // "نقشه برداري" or "مطالعات"
    QString projects;                 // project table
    QString contractors;              // contractor table
    QString amountColumn;             // statement amount
    QString protNoColumn, protDatColumn;
    QString creditColumn;             // the etebarat column of this kind
    std::optional<QStringList> counties, sources;
    std::optional<QString> year;
};

struct CreditsFigures {
    ResultSet rows;            // the detail rows as the template shows them
    Money statementSum;        // the statement column's total
    Money taxSum;              // the tax column's total
    QString planCode;
    std::optional<Money> allocated, balance;  // nullopt: not one county
};

// `projectConditions` are unqualified conditions on the project table.
CreditsFigures creditsFigures(const Db &db, const CreditsSource &source, const Conditions &projectConditions,
                              const Session &user);

// The amount with value-added tax where the contractor is a legal person.
Money withTax(Money amount, const QString &contractorKind);

CreditsSource surveyCredits(const survey::NaghsheFilters &filters);
CreditsSource studiesCredits(const studies::BorvinatFilters &filters);

// The filled report of a browser's last search.
report::Document surveyCreditsReport(const Db &db, const survey::NaghsheFilters &filters, const Session &user);
report::Document studiesCreditsReport(const Db &db, const studies::BorvinatFilters &filters, const Session &user);

inline const QString notOneCountyText = QStringLiteral("- - -");

}  // namespace bv::reporting
