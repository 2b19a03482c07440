#include "lookupedit.h"

#include "conditions.h"
#include "text.h"

#include <QSqlQuery>

namespace bv {

const QStringList &lookupTitles()
{
    static const QStringList titles = {
        QStringLiteral("ادارات استعلام"),
        QStringLiteral("ادارات جلسات"),
        QStringLiteral("انواع طرح"),
        QStringLiteral("انواع وضعيت"),
        QStringLiteral("برنامه هاي دستگاه هاي اجرايي"),
        QStringLiteral("دستگاه هاي اجرايي"),
        QStringLiteral("رپيس امور حقوقي"),
        QStringLiteral("رپيس امور مالي"),
        QStringLiteral("رمز حذف"),
        QStringLiteral("شاخص ها"),
        QStringLiteral("شرح ضمائم پيمانکاران"),
        QStringLiteral("شرح ضمائم ثبتي"),
        QStringLiteral("شرح ضمائم مشاوران"),
        QStringLiteral("شرح ضمائم مطالعات"),
        QStringLiteral("شرح ضمائم نقشه برداري"),
        QStringLiteral("ضريب تعديل"),
        QStringLiteral("طرف هاي مکاتبه ثبتي"),
        QStringLiteral("عنوان پست معاون عمران روستايي"),
        QStringLiteral("کارشناس آرشيو فني"),
        QStringLiteral("کارشناس جي آي اس"),
        QStringLiteral("کارشناس عامل چهارم"),
        QStringLiteral("کارشناس مسئول امور پيمان ها"),
        QStringLiteral("کارشناس مسئول فني و مطالعات"),
        QStringLiteral("کارشناس نقشه برداري"),
        QStringLiteral("گروه کاربري"),
        QStringLiteral("مبلغ تجهيز"),
        QStringLiteral("مبلغ تجهيز کارگاه ثبتي"),
        QStringLiteral("مبلغ جي پي اس"),
        QStringLiteral("مبلغ هر قطعه نقشه برداريPPK"),
        QStringLiteral("مبلغ هر قطعه نقشه برداريRTK"),
        QStringLiteral("مبلغ هر هکتار نقشه برداريPPK"),
        QStringLiteral("مبلغ هر هکتار نقشه برداريRTK"),
        QStringLiteral("محل تامين اعتبار"),
        QStringLiteral("مدير کل"),
        QStringLiteral("مدير کل زلمرکان استان"),
        QStringLiteral("معاون پشتيباني"),
        QStringLiteral("معاون ذيحسابي"),
        QStringLiteral("معاون عمران روستايي"),
        QStringLiteral("مقياس"),
        QStringLiteral("موضوع پيام"),
        QStringLiteral("نوع طرح ثبتي"),
        QStringLiteral("وضعيت پرداخت"),
    };
    return titles;
}

namespace {
const QString columns = QStringLiteral("SELECT id, component, cmt FROM setting");
}

ResultSet lookupRowsLike(const Db &db, const QString &title)
{
    Conditions where(db.dialect());
    where.contains(QStringLiteral("component"), title);
    return db.select(columns + where.where() + QStringLiteral(" ORDER BY ") + db.dialect().persianOrder(QStringLiteral("cmt"))
                         + QStringLiteral(", id"),
                     where.values());
}

ResultSet lookupRows(const Db &db, bool byTitle)
{
    return db.select(columns + QStringLiteral(" ORDER BY ")
                     + (byTitle ? db.dialect().persianOrder(QStringLiteral("component")) + QStringLiteral(", id")
                                : QStringLiteral("id")));
}

LookupAdd addLookupItem(const Db &db, const QString &title, const QString &item)
{
    const QString typed = normalizeYeh(item);
    if (title.isEmpty() || typed.trimmed().isEmpty())
        return LookupAdd::Empty;
    LookupAdd result = LookupAdd::Added;
    db.transaction([&] {
        if (db.scalar(QStringLiteral("SELECT COUNT(*) FROM setting WHERE component = ? AND cmt = ?"), {title, typed}).toInt()
            > 0) {
            result = LookupAdd::Duplicate;
            return;
        }
        db.exec(QStringLiteral("INSERT INTO setting (component, cmt) VALUES (?, ?)"), {title, typed});
    });
    return result;
}

int removeLookupItem(const Db &db, const QString &title, const QString &item)
{
    return db.exec(QStringLiteral("DELETE FROM setting WHERE component = ? AND cmt = ?"), {title, item})
        .numRowsAffected();
}

}  // namespace bv
