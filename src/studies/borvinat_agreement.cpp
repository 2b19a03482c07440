#include "borvinat_agreement.h"

#include "amount_words.h"

namespace bv::studies {

Conditions agreementConditions(const Dialect &dialect, const BorvinatFilters &f)
{
    Conditions c(dialect);
    if (f.city)
        c.containsAny(QStringLiteral("city"), *f.city);
    if (f.rosta)
        c.containsAny(QStringLiteral("rosta"), *f.rosta);
    const std::pair<const char *, const std::optional<QString> *> texts[] = {
        {"etebar_sal", &f.etebar_sal},
        {"moshaver_prot_no", &f.moshaver_prot_no},
        {"tarh_moshaver_name", &f.tarh_moshaver_name},
        {"tarh_typ", &f.tarh_typ},
    };
    for (const auto &[column, text] : texts)
        if (*text)
            c.contains(QString::fromLatin1(column), **text);
    return c;
}

AgreementFee agreementFee(const Db &db, const BorvinatFilters &filters)
{
    // The studies alone: joining villages by a shared code tail would count a
    // study once per such village.
    const Conditions c = agreementConditions(db.dialect(), filters);
    const ResultSet r = db.select(
        QStringLiteral("SELECT SUM(prot_mablagh), SUM(prot_mablagh_binofoz) FROM borvinat WHERE ") + c.sql(), c.values());
    const QVariantList &row = r.rows.front();
    AgreementFee fee;
    if (!row[0].isNull())
        fee.withInfluence = Money::fromVariant(row[0]);
    if (!row[1].isNull())
        fee.withoutInfluence = Money::fromVariant(row[1]);
    return fee;
}

Money millionRials(Money amount)
{
    return amount.times(Decimal(1000000));
}

FeeText feeText(Money rials)
{
    const Money whole = rials.rounded(0);
    FeeText t;
    t.digits = whole.grouped();
    if (const std::optional<QString> words = study::GetNum(whole.units() / Money::Scale)) {
        t.words = *words;
        t.spelled = true;
    }
    return t;
}

}  // namespace bv::studies
