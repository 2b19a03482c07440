#pragma once
// A database with villages, studies contractors and the lookup lists of the
// consultant windows, on each engine.
#include "admin_fixture.h"
#include "moshaveran_job.h"
#include "sample.h"

namespace bv::test {

class ConsultantsTest : public AdminTest {
protected:
    void SetUp() override
    {
        AdminTest::SetUp();
        if (IsSkipped())
            return;
        sample::Size size;
        size.counties = 2;
        size.villagesPerCounty = 4;
        size.contractors = size.registrationContractors = 0;
        size.projects = size.studies = size.registrations = size.contracts = 0;
        sample::fill(db(), nullptr, size);
        db().exec("DELETE FROM peymankaran");
        db().exec("DELETE FROM moshaveran");
        db().exec("DELETE FROM moshaveran_estelam");
        addConsultant(QStringLiteral("حقيقي"), QStringLiteral("رضا"), QStringLiteral("کريمي"), {});
        addConsultant(QStringLiteral("حقوقي"), {}, {}, QStringLiteral("مهندسين مشاور آبادگران"));
        villages = db().rows("SELECT * FROM abadiha ORDER BY id");
        session() = Session{"admin", "ostan", 1, {}};
    }

    void addConsultant(const QString &typ, const QString &fname, const QString &lname, const QString &company)
    {
        db().exec("INSERT INTO peymankaran (typ, fname, lname, comp_name) VALUES (?, ?, ?, ?)",
                  {typ, fname, lname, company});
    }

    // A job on village `v` with every step answered "بلي" and approved.
    consultants::JobTexts job(int v, const QString &consultant = QStringLiteral("کريمي رضا"),
                              const QString &contractDate = QStringLiteral("14020115"))
    {
        consultants::JobTexts t;
        for (const char *c : {"city", "bakhsh", "dehestan", "rosta", "cod"})
            t[c] = villages[size_t(v)][c].toString();
        t["harim"] = consultants::no;
        t["moshaver"] = consultant;
        t["moshaver_dat1"] = contractDate;
        t["moshaver_dat2"] = "14030115";
        t["tahvil_map"] = consultants::yes;
        t["amel4_no"] = "4/120";
        t["amel4_dat"] = "14020201";
        t["amel4_name"] = QStringLiteral("جواد موسوي");
        for (const consultants::Step &s : consultants::steps()) {
            t[s.column] = consultants::yes;
            if (s.hasDate)
                t[s.dateColumn()] = "14020301";
            t[s.approvalColumn()] = consultants::approved;
        }
        t["nazar_cmt"] = QStringLiteral("بدون اشکال");
        return t;
    }

    Row stored(qint64 id) { return consultants::jobRow(db(), id); }
    QStringList offices(qint64 id)
    {
        QStringList out;
        for (const Row &r : db().rows("SELECT edare FROM moshaveran_estelam WHERE moshaveran_id = ? ORDER BY edare", {id}))
            out << r["edare"].toString();
        return out;
    }

    std::vector<Row> villages;
};

}  // namespace bv::test
