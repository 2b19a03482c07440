#include "creditsreport.h"

#include "contractor_kinds.h"
#include "fillsteps.h"

namespace bv::reporting {

namespace {
Conditions creditConditions(const Dialect &dialect, const CreditsSource &s, const Session &user)
{
    Conditions c(dialect);
    addCountyScope(c, user);
    if (s.counties)
        c.containsAny(QStringLiteral("city"), *s.counties);
    if (s.sources)
        c.containsAny(QStringLiteral("tamin_loc"), *s.sources);
    if (s.year)
        c.contains(QStringLiteral("tamin_sal"), *s.year);
    return c;
}

report::Document fill(const Db &db, const CreditsSource &source, const Conditions &projects, const Session &user)
{
    const CreditsFigures f = creditsFigures(db, source, projects, user);
    report::Document doc = report::Document::load(QStringLiteral("etebarat_rep"));
    doc.setLabel(QStringLiteral("rep_typ"), source.rep_typ);
    doc.setLabel(QStringLiteral("dat"), report::today());
    doc.setLabel(QStringLiteral("tamin_sal"), source.year.value_or(QString()));
    doc.setLabel(QStringLiteral("tarh_cod"), f.planCode);
    doc.setLabel(QStringLiteral("mablagh_sum"), f.statementSum.grouped());
    doc.setLabel(QStringLiteral("mablagh2_sum"), f.taxSum.grouped());
    doc.setLabel(QStringLiteral("sorat_kol"), f.taxSum.grouped());
    doc.setLabel(QStringLiteral("takhsisi_sum"), f.allocated ? f.allocated->grouped() : notOneCountyText);
    doc.setLabel(QStringLiteral("mande"), f.balance ? f.balance->grouped() : notOneCountyText);
    doc.setRows(f.rows);
    return doc;
}
}  // namespace

Money withTax(Money amount, const QString &contractorKind)
{
    return contractorKind == legalPerson ? amount.times(Decimal::fromScaled(121, 2)) : amount;
}

CreditsFigures creditsFigures(const Db &db, const CreditsSource &s, const Conditions &projects, const Session &user)
{
    const Dialect &d = db.dialect();
    CreditsFigures f;
    // The project conditions name unqualified columns, so they stay inside the
    // project table's own select; contractors are joined outside it.
    const ResultSet found = db.select(
        QStringLiteral("SELECT p.city, p.bakhsh, p.dehestan, p.rosta, p.%1 AS prot_no, p.%2 AS prot_dat1, "
                       "p.prot_mablagh, p.%3 AS amount, c.typ, c.fname, c.lname, c.comp_name "
                       "FROM (SELECT * FROM %4 WHERE %5) p LEFT JOIN %6 c ON p.peymankar_id = c.id "
                       "ORDER BY CASE WHEN c.typ IS NULL THEN 1 ELSE 0 END, %7, %8, %9, p.id")
            .arg(s.protNoColumn, s.protDatColumn, s.amountColumn, s.projects, projects.sql(), s.contractors,
                 d.persianOrder(QStringLiteral("c.typ")), d.persianOrder(QStringLiteral("p.city")),
                 d.persianOrder(QStringLiteral("p.rosta"))),
        projects.values());
    f.rows.columns = {QStringLiteral("city"), QStringLiteral("bakhsh"), QStringLiteral("dehestan"),
                      QStringLiteral("rosta"), QStringLiteral("peymankar2"), QStringLiteral("prot_no"),
                      QStringLiteral("prot_dat1"), QStringLiteral("prot_mablagh"),
                      QStringLiteral("pardakhti_haghighi"), QStringLiteral("pardakhti_hoghoghi")};
    for (int r = 0; r < found.size(); ++r) {
        Row contractor;
        for (const char *column : {"typ", "fname", "lname", "comp_name"})
            contractor.insert(QString::fromLatin1(column), found.value(r, QString::fromLatin1(column)));
        const Money amount = Money::fromVariant(found.value(r, QStringLiteral("amount")));
        const Money taxed = withTax(amount, contractor.value(QStringLiteral("typ")).toString());
        f.statementSum = f.statementSum + amount;
        f.taxSum = f.taxSum + taxed;
        f.rows.rows.push_back({found.value(r, QStringLiteral("city")), found.value(r, QStringLiteral("bakhsh")),
                               found.value(r, QStringLiteral("dehestan")), found.value(r, QStringLiteral("rosta")),
                               contractorDisplayName(contractor).value_or(QString()),
                               found.value(r, QStringLiteral("prot_no")), found.value(r, QStringLiteral("prot_dat1")),
                               found.value(r, QStringLiteral("prot_mablagh")), amount.plain(), taxed.plain()});
    }

    const Conditions credits = creditConditions(d, s, user);
    f.planCode = db.select(d.firstRows(QStringLiteral("SELECT tarh_cod FROM etebarat WHERE ") + credits.sql()
                                           + QStringLiteral(" ORDER BY id"),
                                       1),
                           credits.values())
                     .value(0, QStringLiteral("tarh_cod"))
                     .toString();
    // A credit belongs to one county: with none chosen, or several, there is no balance to show.
    if (s.counties && s.counties->size() <= 1) {
        f.allocated = Money::fromVariant(
            db.scalar(QStringLiteral("SELECT SUM(%1) FROM etebarat WHERE ").arg(s.creditColumn) + credits.sql(),
                      credits.values()));
        f.balance = *f.allocated - f.taxSum;
    }
    return f;
}

CreditsSource surveyCredits(const survey::NaghsheFilters &filters)
{
    return {QStringLiteral("نقشه برداري"), QStringLiteral("naghshe"), QStringLiteral("peymankar"),
            QStringLiteral("pardakhti"), QStringLiteral("prot_no"), QStringLiteral("prot_dat1"),
            QStringLiteral("mablagh_naghshe"), filters.city, filters.tamin_loc, filters.tamin_sal};
}

CreditsSource studiesCredits(const studies::BorvinatFilters &filters)
{
    return {QStringLiteral("مطالعات"), QStringLiteral("borvinat"), QStringLiteral("peymankaran"),
            QStringLiteral("prot_mablagh"), QStringLiteral("moshaver_prot_no"), QStringLiteral("tarh_prot_dat"),
            QStringLiteral("mablagh_fani"), filters.city, std::nullopt, filters.etebar_sal};
}

report::Document surveyCreditsReport(const Db &db, const survey::NaghsheFilters &filters, const Session &user)
{
    // The system spreadsheet's conditions already keep to the user's counties.
    return fill(db, surveyCredits(filters), survey::systemExportConditions(db.dialect(), filters, user), user);
}

report::Document studiesCreditsReport(const Db &db, const studies::BorvinatFilters &filters, const Session &user)
{
    studies::BorvinatFilters f;
    f.city = filters.city;
    f.etebar_sal = filters.etebar_sal;
    return fill(db, studiesCredits(filters), studies::borvinatConditions(db.dialect(), f, user), user);
}

}  // namespace bv::reporting
