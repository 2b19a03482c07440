#include "sample_study_sides.h"

#include "lookuplists.h"

#include <random>

namespace bv::sample {

namespace {
const QStringList agencies = {QStringLiteral("آب و فاضلاب روستايي"), QStringLiteral("شرکت گاز"),
                              QStringLiteral("بنياد مسکن"), QStringLiteral("اداره برق")};
const QStringList programmeNames = {QStringLiteral("آبرساني"), QStringLiteral("بهسازي معابر"),
                                    QStringLiteral("گازرساني"), QStringLiteral("ساخت مدرسه")};
const QStringList documentNames = {QStringLiteral("استانداري"), QStringLiteral("برنامه و بودجه"),
                                   QStringLiteral("دفتر مرکزي")};
}  // namespace

void fillStudySides(const Db &db, quint32 seed)
{
    std::mt19937 engine(seed + 20);
    auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine); };
    const QStringList indicators = lookupItems(db, QStringLiteral("شاخص ها"));
    const QStringList descriptions = lookupItems(db, QStringLiteral("شرح ضمائم مطالعات"));
    Statement programme = db.statement(QStringLiteral("INSERT INTO barnameha (borvinat_id, cmt, org) VALUES (?, ?, ?)"));
    Statement indicator =
        db.statement(QStringLiteral("INSERT INTO shakhes (borvinat_id, cmt, mojod, ofogh) VALUES (?, ?, ?, ?)"));
    Statement file =
        db.statement(QStringLiteral("INSERT INTO borvinat_pic (borvinat_id, cmt, pictyp, pic) VALUES (?, ?, ?, ?)"));
    const ResultSet studies = db.select(QStringLiteral("SELECT id, rosta FROM borvinat ORDER BY id"));
    for (const QVariantList &study : studies.rows) {
        const qint64 id = study[0].toLongLong();
        for (int p = between(0, 2); p > 0; --p)
            programme.run({id, programmeNames[between(0, 3)], agencies[between(0, 3)]});
        if (between(1, 10) <= 4)
            for (const QString &name : indicators) {
                const int present = between(5, 400);
                indicator.run({id, name, present, present + between(0, 120)});
            }
        // About half without attachments, most of the rest with a few, some with many.
        const int roll = between(1, 20);
        const int files = roll <= 10 ? 0 : roll <= 17 ? between(1, 4) : between(5, 8);
        for (int f = 0; f < files; ++f)
            file.run({id, descriptions.isEmpty() ? QStringLiteral("ضميمه") : descriptions[f % descriptions.size()],
                      QStringLiteral(".txt"), (study[1].toString() + QStringLiteral(" ") + QString::number(f)).toUtf8()});
    }
    for (const QString &name : documentNames)
        db.exec(QStringLiteral("INSERT INTO borvinat_mostanadat (cmt, pictyp, pic) VALUES (?, '.txt', ?)"),
                {name, name.toUtf8()});
}

}  // namespace bv::sample
