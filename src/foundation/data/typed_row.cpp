#include "typed_row.h"

#include "money.h"
#include "schema_tables.h"
#include "text.h"

namespace bv {

namespace {
schema::ColType columnType(const QString &table, const QString &column)
{
    if (const schema::Table *t = schema::findTable(table.toUtf8().constData()))
        for (const schema::Column &c : t->columns)
            if (column.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
                return c.type;
    return schema::ColType::NVarChar;
}

// A typed measure: "/" was the point of older values.
NumberReading measure(QString text)
{
    return readNumber(text.replace(QLatin1Char('/'), QLatin1Char('.')), Grouping::Refused);
}
}  // namespace

RowValues readTypedRow(const QString &table, const QStringList &columns, const TypedTexts &typed,
                       const QMap<QString, QString> &labels, EmptyNumber empty)
{
    RowValues out;
    const QVariant emptyValue = empty == EmptyNumber::Zero ? QVariant(0) : QVariant();
    for (const QString &column : columns) {
        const QString text = typed.value(column);
        const QString label = labels.value(column, column);
        switch (columnType(table, column)) {
        case schema::ColType::Int:
        case schema::ColType::BigInt: {
            const NumberReading r = readNumber(text, Grouping::Allowed);
            if (r.fault == NumberReading::Fault::Empty) {
                out.values << emptyValue;
                break;
            }
            const std::optional<std::int64_t> n = r.ok() ? r.value.wholeValue() : std::nullopt;
            if (!n) {
                out.error = QStringLiteral("مقدار «%1» عدد صحيح نيست").arg(label);
                return out;
            }
            out.values << QVariant(qlonglong(*n));
            break;
        }
        case schema::ColType::Float:
        case schema::ColType::Real: {
            const NumberReading r = measure(text);
            if (r.fault == NumberReading::Fault::Empty) {
                out.values << emptyValue;
            } else if (!r.ok()) {
                out.error = r.fault == NumberReading::Fault::Comma
                    ? r.message(label)
                    : QStringLiteral("مقدار «%1» عدد معتبر نيست").arg(label);
                return out;
            } else {
                out.values << r.value.toSql();
            }
            break;
        }
        case schema::ColType::Money: {
            if (text.trimmed().isEmpty() && empty == EmptyNumber::Null) {
                out.values << QVariant();
                break;
            }
            const std::optional<Money> m = Money::parse(text);
            if (!m) {
                out.error = QStringLiteral("مقدار «%1» مبلغ معتبر نيست").arg(label);
                return out;
            }
            out.values << m->toSql();
            break;
        }
        default:
            out.values << QVariant(normalizeYeh(text));
            break;
        }
    }
    return out;
}

QString storedColumnText(const QString &table, const QString &column, const QVariant &value)
{
    switch (columnType(table, column)) {
    case schema::ColType::Money: return Money::fromVariant(value).plain();
    case schema::ColType::Float:
    case schema::ColType::Real: {
        if (value.isNull())
            return {};
        if (value.typeId() == QMetaType::QString) {
            const NumberReading r = measure(value.toString());
            return r.ok() ? r.value.plain() : Decimal().plain();
        }
        return Decimal::fromVariant(value).plain();
    }
    default: return value.toString();
    }
}

}  // namespace bv
