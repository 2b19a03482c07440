#pragma once
// The WHERE clause of a browser search, built once from its filters with bound
// values, so that the count and the list of a browser always agree.
#include "dialect.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

namespace bv {

class Conditions {
public:
    enum class Op { Equal, NotEqual, Less, LessOrEqual, Greater, GreaterOrEqual };

    explicit Conditions(const Dialect &dialect) : dialect_(dialect) {}

    // column <op> value.
    Conditions &compare(const QString &column, Op op, const QVariant &value);
    // Inclusive range: column >= from and column <= to.
    Conditions &range(const QString &column, const QVariant &from, const QVariant &to);
    // column like "%text%".
    Conditions &contains(const QString &column, const QString &text);
    // ( column contains any entry ); an empty list matches nothing.
    Conditions &containsAny(const QString &column, const QStringList &entries);
    // A text column equal to one of `values` as stored, a NULL counting as the
    // empty text; an empty list matches nothing.
    Conditions &anyOf(const QString &column, const QStringList &values);
    // The SQL of anyOf(), for conditions that combine it with others. Under
    // NOT, a NULL column is neither in nor out unless "" is among the values.
    QString anyOfSql(const QString &column, const QStringList &values, QVariantList &bound) const;
    // A contract past `endColumn` on `today` (Jalali texts) with no handover in
    // `handoverColumn`; an unset date (empty or the empty mask) counts as none.
    Conditions &overdue(const QString &endColumn, const QString &handoverColumn, const QString &today);
    // A fixed condition written in the code (a subquery, say) with its values.
    Conditions &fixed(const QString &sql, const QVariantList &values = {});

    // The conditions joined by " and "; "1=1" when there are none.
    QString sql() const;
    // " where " + sql(), ready to follow a FROM clause.
    QString where() const { return QStringLiteral(" where ") + sql(); }
    const QVariantList &values() const { return values_; }

private:
    const Dialect &dialect_;
    QStringList terms_;
    QVariantList values_;
};

}  // namespace bv
