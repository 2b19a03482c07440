#include "money.h"

#include "text.h"

#include <cmath>
#include <limits>

namespace bv {

namespace {
constexpr std::int64_t maxUnits = std::numeric_limits<std::int64_t>::max();

QString withoutGrouping(const QString &text)
{
    QString t = asciiDigits(text).trimmed();
    t.remove(QLatin1Char(','));
    t.remove(QLatin1Char(' '));
    return t;
}
}  // namespace

std::optional<Money> Money::parse(const QString &text)
{
    const QString t = withoutGrouping(text);
    if (t.isEmpty())
        return Money();
    int pos = 0;
    bool negative = false;
    if (t[0] == QLatin1Char('-') || t[0] == QLatin1Char('+')) {
        negative = t[0] == QLatin1Char('-');
        pos = 1;
    }
    std::int64_t whole = 0;
    int wholeDigits = 0;
    for (; pos < t.size() && t[pos].isDigit(); ++pos, ++wholeDigits) {
        const int d = t[pos].digitValue();
        if (whole > (maxUnits / Scale - d) / 10)
            return std::nullopt;
        whole = whole * 10 + d;
    }
    std::int64_t fraction = 0;
    int fractionDigits = 0;
    if (pos < t.size() && t[pos] == QLatin1Char('.')) {
        ++pos;
        for (; pos < t.size() && t[pos].isDigit(); ++pos, ++fractionDigits) {
            if (fractionDigits < 4)
                fraction = fraction * 10 + t[pos].digitValue();
        }
    }
    if (pos != t.size() || (wholeDigits == 0 && fractionDigits == 0))
        return std::nullopt;
    for (int i = std::min(fractionDigits, 4); i < 4; ++i)
        fraction *= 10;
    const std::int64_t units = whole * Scale + fraction;
    return Money(negative ? -units : units);
}

Money Money::fromVariant(const QVariant &value)
{
    if (value.isNull() || !value.isValid())
        return Money();
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return fromWhole(value.toLongLong());
    case QMetaType::Double: {
        const double v = value.toDouble() * Scale;
        return Money(static_cast<std::int64_t>(v < 0 ? v - 0.5 : v + 0.5));
    }
    default:
        return parse(value.toString()).value_or(Money());
    }
}

std::int64_t Money::rounded() const
{
    const std::int64_t half = Scale / 2;
    return units_ >= 0 ? (units_ + half) / Scale : -((-units_ + half) / Scale);
}

QString Money::plain() const
{
    const std::uint64_t magnitude = units_ < 0 ? std::uint64_t(-(units_ + 1)) + 1 : std::uint64_t(units_);
    QString text = QString::number(magnitude / Scale);
    std::uint64_t fraction = magnitude % Scale;
    if (fraction != 0) {
        QString digits = QString::number(fraction).rightJustified(4, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        text += QLatin1Char('.') + digits;
    }
    return units_ < 0 ? QLatin1Char('-') + text : text;
}

QString Money::grouped() const
{
    QString text = plain();
    QString sign;
    if (text.startsWith(QLatin1Char('-'))) {
        sign = QStringLiteral("-");
        text.remove(0, 1);
    }
    const int dot = text.indexOf(QLatin1Char('.'));
    const QString whole = dot < 0 ? text : text.left(dot);
    const QString fraction = dot < 0 ? QString() : text.mid(dot);
    return sign + groupDigits(whole) + fraction;
}

QVariant Money::toSql() const
{
    if (units_ % Scale == 0)
        return QVariant(qlonglong(units_ / Scale));
    return QVariant(plain());
}

QString groupDigits(const QString &digits)
{
    const int n = digits.size();
    if (n <= 3)
        return digits;
    QString out;
    out.reserve(n + n / 3);
    const int head = n - 3 * ((n + 2) / 3 - 1);
    out += digits.left(head);
    for (int i = head; i < n; i += 3)
        out += QLatin1Char(',') + digits.mid(i, 3);
    return out;
}

QString digitsOnly(const QString &text)
{
    const QString ascii = asciiDigits(text);
    QString out;
    for (QChar c : ascii)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            out += c;
    return out;
}

std::optional<double> parseNumber(const QString &text)
{
    const QString t = withoutGrouping(text);
    if (t.isEmpty())
        return 0.0;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<std::int64_t> parseInteger(const QString &text)
{
    const QString t = withoutGrouping(text);
    if (t.isEmpty())
        return 0;
    bool ok = false;
    const qlonglong v = t.toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return v;
}

}  // namespace bv
