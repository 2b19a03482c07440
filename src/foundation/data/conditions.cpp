#include "conditions.h"

#include "dates.h"

#include <QRegularExpression>
#include <stdexcept>

namespace bv {

namespace {
// Column names come from the code; anything else is a programming error, never
// a text to splice into a statement.
const QString &checked(const QString &column)
{
    static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*(\\.[A-Za-z_][A-Za-z0-9_]*)?$"));
    if (!identifier.match(column).hasMatch())
        throw std::invalid_argument("not a column name: " + column.toStdString());
    return column;
}

QString opText(Conditions::Op op)
{
    switch (op) {
    case Conditions::Op::Equal: return QStringLiteral("=");
    case Conditions::Op::NotEqual: return QStringLiteral("<>");
    case Conditions::Op::Less: return QStringLiteral("<");
    case Conditions::Op::LessOrEqual: return QStringLiteral("<=");
    case Conditions::Op::Greater: return QStringLiteral(">");
    case Conditions::Op::GreaterOrEqual: return QStringLiteral(">=");
    }
    return {};
}
}  // namespace

Conditions &Conditions::compare(const QString &column, Op op, const QVariant &value)
{
    terms_ << checked(column) + opText(op) + QLatin1Char('?');
    values_ << value;
    return *this;
}

Conditions &Conditions::range(const QString &column, const QVariant &from, const QVariant &to)
{
    compare(column, Op::GreaterOrEqual, from);
    return compare(column, Op::LessOrEqual, to);
}

Conditions &Conditions::contains(const QString &column, const QString &text)
{
    terms_ << checked(column) + QStringLiteral(" like ?");
    values_ << QString(QLatin1Char('%') + text + QLatin1Char('%'));
    return *this;
}

Conditions &Conditions::containsAny(const QString &column, const QStringList &entries)
{
    QStringList any{dialect_.matchNothing()};
    for (const QString &entry : entries) {
        any << checked(column) + QStringLiteral(" like ?");
        values_ << QString(QLatin1Char('%') + entry + QLatin1Char('%'));
    }
    terms_ << QLatin1Char('(') + any.join(QStringLiteral(" or ")) + QLatin1Char(')');
    return *this;
}

QString Conditions::anyOfSql(const QString &column, const QStringList &values, QVariantList &bound) const
{
    if (values.isEmpty())
        return dialect_.matchNothing();
    // The column stays bare so that an index on it serves the comparison.
    QStringList marks;
    bool empty = false;
    for (const QString &value : values) {
        marks << QStringLiteral("?");
        // A null text would be bound as NULL, which no value equals.
        bound << (value.isNull() ? QStringLiteral("") : value);
        empty = empty || value.isEmpty();
    }
    QString sql = checked(column) + QStringLiteral(" IN (") + marks.join(QLatin1Char(',')) + QLatin1Char(')');
    // Parenthesised, so that it stays one term beside AND.
    if (empty)
        sql = QLatin1Char('(') + sql + QStringLiteral(" OR ") + column + QStringLiteral(" IS NULL)");
    return sql;
}

Conditions &Conditions::overdue(const QString &endColumn, const QString &handoverColumn, const QString &today)
{
    // The empty mask would sort before any date and count as long past.
    compare(endColumn, Op::Less, today);
    compare(endColumn, Op::Greater, QStringLiteral(""));
    compare(endColumn, Op::NotEqual, emptyDateMask);
    return anyOf(handoverColumn, {QStringLiteral(""), emptyDateMask});
}

Conditions &Conditions::anyOf(const QString &column, const QStringList &values)
{
    terms_ << anyOfSql(column, values, values_);
    return *this;
}

Conditions &Conditions::fixed(const QString &sql, const QVariantList &values)
{
    terms_ << QLatin1Char('(') + sql + QLatin1Char(')');
    values_ << values;
    return *this;
}

QString Conditions::sql() const
{
    return terms_.isEmpty() ? QStringLiteral("1=1") : terms_.join(QStringLiteral(" and "));
}

}  // namespace bv
