#include "credits.h"

namespace bv::reporting {

std::optional<Money> studiesShare(Money allocated, Money surveying)
{
    if (surveying > allocated)
        return std::nullopt;
    return allocated - surveying;
}

CreditOutcome registerCredit(const Db &db, const CreditEntry &e)
{
    if (e.mablagh_naghshe > e.mablagh || e.mablagh_fani.isNegative())
        return CreditOutcome::SurveyingAboveAllocation;
    CreditOutcome outcome = CreditOutcome::Registered;
    db.transaction([&] {
        if (db.scalar(QStringLiteral("SELECT COUNT(*) FROM etebarat WHERE tarh_cod = ? AND tamin_sal = ? AND city = ?"),
                      {e.tarh_cod, e.tamin_sal, e.city})
                .toInt()
            > 0) {
            outcome = CreditOutcome::Duplicate;
            return;
        }
        db.exec(QStringLiteral("INSERT INTO etebarat (tamin_sal, tamin_loc, tarh_cod, city, mablagh, mablagh_naghshe, "
                               "mablagh_fani) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                {e.tamin_sal, e.tamin_loc, e.tarh_cod, e.city, e.mablagh.toSql(), e.mablagh_naghshe.toSql(),
                 e.mablagh_fani.toSql()});
    });
    return outcome;
}

void deleteCredit(const Db &db, qint64 id)
{
    db.exec(QStringLiteral("DELETE FROM etebarat WHERE id = ?"), {id});
}

ResultSet creditList(const Db &db)
{
    return db.select(QStringLiteral("SELECT id, tamin_sal, tamin_loc, tarh_cod, city, mablagh, mablagh_naghshe, "
                                    "mablagh_fani FROM etebarat ORDER BY id"));
}

const Headings &creditGridHeadings()
{
    static const Headings h = {
        {"tamin_sal", QStringLiteral("سال تامين")},
        {"tamin_loc", QStringLiteral("محل تامين")},
        {"tarh_cod", QStringLiteral("کد طرح")},
        {"city", QStringLiteral("شهرستان")},
        {"mablagh", QStringLiteral("مبلغ تخصيصي")},
        {"mablagh_naghshe", QStringLiteral("مبلغ نقشه برداري")},
        {"mablagh_fani", QStringLiteral("مبلغ مطالعات")},
    };
    return h;
}

const Headings &creditExportHeadings()
{
    static const Headings h = [] {
        Headings e = creditGridHeadings();
        e.insert(QStringLiteral("id"), QStringLiteral("شناسه"));
        return e;
    }();
    return h;
}

QString nextItem(const QStringList &items, const QString &current)
{
    if (items.isEmpty())
        return {};
    const qsizetype at = items.indexOf(current);
    return at < 0 || at + 1 >= items.size() ? items.front() : items[at + 1];
}

}  // namespace bv::reporting
