#include "listtext.h"

#include "money.h"

#include <QCollator>
#include <QDateTime>
#include <QLocale>

namespace bv {

QString headingOf(const Headings &headings, const QString &column)
{
    return headings.value(column, column);
}

QString cellText(const QVariant &value, bool money)
{
    if (value.isNull())
        return {};
    if (money)
        return Decimal::fromVariant(value).grouped();
    switch (value.typeId()) {
    case QMetaType::QDateTime:
        return QLocale::c().toString(value.toDateTime(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case QMetaType::QDate:
        return QLocale::c().toString(value.toDate(), QStringLiteral("yyyy-MM-dd"));
    case QMetaType::Double:
    case QMetaType::Float:
        return Decimal::fromVariant(value).plain();
    default:
        return value.toString().trimmed();
    }
}

namespace {
const QCollator &persianCollator()
{
    static const QCollator collator = [] {
        QCollator c{QLocale(QLocale::Persian, QLocale::Iran)};
        c.setNumericMode(true);
        return c;
    }();
    return collator;
}
}  // namespace

SortKey::SortKey(const QVariant &value)
{
    if (value.isNull())
        return;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        number_ = Decimal::fromVariant(value);
        kind_ = Kind::Number;
        return;
    case QMetaType::QString: {
        // Engines hand some numbers (PostgreSQL numeric, say) over as text.
        const NumberReading r = readNumber(value.toString(), Grouping::Allowed);
        if (r.ok()) {
            number_ = r.value;
            kind_ = Kind::Number;
            return;
        }
        break;
    }
    default:
        break;
    }
    const QString text = cellText(value);
    if (text.isEmpty())
        return;
    kind_ = Kind::Text;
    text_ = persianCollator().sortKey(text);
}

int SortKey::compare(const SortKey &a, const SortKey &b)
{
    if (a.kind_ != b.kind_)
        return a.kind_ < b.kind_ ? -1 : 1;
    switch (a.kind_) {
    case Kind::Empty: return 0;
    case Kind::Number: return a.number_ < b.number_ ? -1 : a.number_ > b.number_ ? 1 : 0;
    case Kind::Text: return a.text_->compare(*b.text_);
    }
    return 0;
}

}  // namespace bv
