#include "sample_credits.h"

#include "money.h"
#include "passwords.h"
#include "sample.h"

#include <QMap>
#include <random>
#include <tuple>

namespace bv::sample {

namespace {
const QByteArray pdf("%PDF-1.4\n%%EOF\n");

struct Key {
    QString city, year, source;
    friend bool operator<(const Key &a, const Key &b)
    {
        return std::tie(a.city, a.year, a.source) < std::tie(b.city, b.year, b.source);
    }
};

// Sums of `amount` by county, four-digit year and source.
void addSums(const Db &db, const QString &sql, QMap<Key, Money> &sums)
{
    for (const QVariantList &r : db.select(sql).rows) {
        const QString year = r[1].toString().trimmed();
        if (year.size() != 4 || r[0].toString().isEmpty())
            continue;
        Money &sum = sums[{r[0].toString(), year, r[2].toString()}];
        sum = sum + Money::fromVariant(r[3]);
    }
}
}  // namespace

void fillCredits(const Db &db, quint32 seed)
{
    std::mt19937 r(seed + 27);
    QMap<Key, Money> surveying, studies;
    addSums(db, QStringLiteral("SELECT city, tamin_sal, tamin_loc, SUM(pardakhti) FROM naghshe "
                               "GROUP BY city, tamin_sal, tamin_loc"), surveying);
    // Study contracts are in million rials; the register holds rials.
    addSums(db, QStringLiteral("SELECT city, etebar_sal, tamin_loc, SUM(prot_mablagh) * 1000000 FROM borvinat "
                               "GROUP BY city, etebar_sal, tamin_loc"), studies);
    QMap<Key, Money> keys = surveying;
    for (auto it = studies.begin(); it != studies.end(); ++it)
        keys.insert(it.key(), Money());
    // One plan code per year and source, the same for every county.
    QMap<QString, QString> codes;
    Statement insert = db.statement(QStringLiteral(
        "INSERT INTO etebarat (tamin_sal, tamin_loc, tarh_cod, city, mablagh, mablagh_naghshe, mablagh_fani) "
        "VALUES (?, ?, ?, ?, ?, ?, ?)"));
    for (auto it = keys.begin(); it != keys.end(); ++it) {
        const Key &k = it.key();
        QString &code = codes[k.year + QLatin1Char('|') + k.source];
        if (code.isEmpty())
            code = QStringLiteral("%1-%2").arg(k.year).arg(301 + codes.size() * 7);
        // A little more than was spent, in whole millions.
        const auto credit = [&](Money spent) {
            const Money margin = Money::fromWhole(qint64(r() % 40 + 5) * 1000000);
            return spent.times(Decimal::fromScaled(115, 2)).dividedBy(1000000).rounded(0).times(1000000) + margin;
        };
        const Money naghshe = credit(surveying.value(k)), fani = credit(studies.value(k));
        insert.run({k.year, k.source, code, k.city, (naghshe + fani).toSql(), naghshe.toSql(), fani.toSql()});
    }

    Statement surveyFile =
        db.statement(QStringLiteral("INSERT INTO naghshe_pic (naghshe_id, cmt, pictyp, pic) VALUES (?, ?, ?, ?)"));
    for (const QVariantList &p : db.select(QStringLiteral("SELECT id FROM naghshe WHERE id % 9 = 0")).rows)
        surveyFile.run({p[0], QStringLiteral("فايل pdf"), QStringLiteral(".pdf"), pdf});
    Statement studyFile =
        db.statement(QStringLiteral("INSERT INTO borvinat_pic (borvinat_id, cmt, pictyp, pic) VALUES (?, ?, ?, ?)"));
    for (const QVariantList &s : db.select(QStringLiteral("SELECT id FROM borvinat WHERE id % 6 = 0")).rows)
        studyFile.run({s[0], QStringLiteral("تصوير قرارداد"), QStringLiteral(".pdf"), pdf});
    for (const QVariantList &s : db.select(QStringLiteral("SELECT id FROM borvinat WHERE id % 10 = 0")).rows)
        studyFile.run({s[0], QStringLiteral("تصوير طرح پيشنهادي-pdf"), QStringLiteral(".pdf"), pdf});

    // A county's own clerk: a city-level user sees the counties containing the user name.
    const QString county = db.scalar(QStringLiteral("SELECT MIN(city) FROM abadiha")).toString();
    if (county.isEmpty())
        return;
    const qint64 clerk = db.insert(QStringLiteral("INSERT INTO users (us, ps, ver, lev, nam, status) VALUES (?, ?, ?, ?, ?, ?)"),
                                   {county, hashPassword(adminPassword), QStringLiteral("1"), QStringLiteral("city"),
                                    QStringLiteral("کارشناس ") + county, QStringLiteral("فعال")});
    for (const char *page : {"rep", "etebarat", "naghshe", "borvinat"})
        db.exec(QStringLiteral("INSERT INTO dastrasi (prs_id, page_name, darj, virayesh, hazf, namayesh) "
                               "VALUES (?, ?, 0, 0, 0, 1)"),
                {clerk, QString::fromLatin1(page)});
    db.exec(QStringLiteral("INSERT INTO dastrasi2 (user_id, cmt) VALUES (?, ?)"), {clerk, county});
}

}  // namespace bv::sample
