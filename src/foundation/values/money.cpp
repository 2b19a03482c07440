#include "money.h"

#include "text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace bv {

namespace {
using Int = __int128;

constexpr Int maxInt = Int((~static_cast<unsigned __int128>(0)) >> 1);
constexpr std::int64_t maxUnits = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t minUnits = std::numeric_limits<std::int64_t>::min();

constexpr std::array<Int, Decimal::MaxDecimals + 1> powersOfTen = [] {
    std::array<Int, Decimal::MaxDecimals + 1> p{};
    p[0] = 1;
    for (size_t i = 1; i < p.size(); ++i)
        p[i] = p[i - 1] * 10;
    return p;
}();

[[noreturn]] void overflow()
{
    throw NumberError(NumberError::Kind::Overflow);
}

Int powerOfTen(int n)
{
    if (n < 0 || n > Decimal::MaxDecimals)
        overflow();
    return powersOfTen[size_t(n)];
}

// Products and sums that stay within ±maxInt (the negative limit is left out,
// so every value can be negated).
Int checkedMul(Int a, Int b)
{
    Int r = 0;
    if (__builtin_mul_overflow(a, b, &r) || r < -maxInt)
        overflow();
    return r;
}

Int checkedAdd(Int a, Int b)
{
    Int r = 0;
    if (__builtin_add_overflow(a, b, &r) || r < -maxInt)
        overflow();
    return r;
}

// n ÷ d to the nearest integer, halves to the even neighbour; d is not 0.
Int divideHalfEven(Int n, Int d)
{
    Int q = n / d;
    const Int r = n % d;
    if (r != 0) {
        const Int remainder = r < 0 ? -r : r;
        const Int divisor = d < 0 ? -d : d;
        const Int rest = divisor - remainder;
        if (remainder > rest || (remainder == rest && q % 2 != 0))
            q += (n < 0) != (d < 0) ? -1 : 1;
    }
    return q;
}

// The digits of a magnitude.
QString digitsOf(Int magnitude)
{
    if (magnitude == 0)
        return QStringLiteral("0");
    char buffer[48];
    int at = int(sizeof buffer);
    while (magnitude > 0) {
        buffer[--at] = char('0' + int(magnitude % 10));
        magnitude /= 10;
    }
    return QString::fromLatin1(buffer + at, int(sizeof buffer) - at);
}

// A number text, already in ASCII and trimmed: sign, whole part (grouped in
// threes when allowed), fraction. The mantissa and decimals, or the fault.
struct Scanned {
    Int mantissa = 0;
    int decimals = 0;
    NumberReading::Fault fault = NumberReading::Fault::None;
};

Scanned scan(QStringView t, Grouping grouping)
{
    Scanned out;
    if (t.isEmpty()) {
        out.fault = NumberReading::Fault::Empty;
        return out;
    }
    qsizetype pos = 0;
    bool negative = false;
    if (t[0] == QLatin1Char('-') || t[0] == QLatin1Char('+')) {
        negative = t[0] == QLatin1Char('-');
        pos = 1;
    }
    const qsizetype dot = t.indexOf(QLatin1Char('.'), pos);
    const QStringView whole = t.mid(pos, dot < 0 ? -1 : dot - pos);
    const QStringView fraction = dot < 0 ? QStringView() : t.mid(dot + 1);
    if (whole.contains(QLatin1Char(',')) || fraction.contains(QLatin1Char(','))) {
        if (grouping == Grouping::Refused) {
            out.fault = NumberReading::Fault::Comma;
            return out;
        }
        if (fraction.contains(QLatin1Char(','))) {
            out.fault = NumberReading::Fault::Unreadable;
            return out;
        }
    }
    QString wholeDigits;
    if (whole.contains(QLatin1Char(','))) {
        const QList<QStringView> groups = whole.split(QLatin1Char(','));
        for (qsizetype i = 0; i < groups.size(); ++i) {
            const qsizetype n = groups[i].size();
            if (i == 0 ? (n < 1 || n > 3) : n != 3) {
                out.fault = NumberReading::Fault::Unreadable;
                return out;
            }
            wholeDigits += groups[i];
        }
    } else {
        wholeDigits = whole.toString();
    }
    QStringView fractionDigits = fraction;
    while (fractionDigits.endsWith(QLatin1Char('0')))
        fractionDigits.chop(1);
    if (wholeDigits.isEmpty() && fraction.isEmpty()) {
        out.fault = NumberReading::Fault::Unreadable;
        return out;
    }
    for (QStringView part : {QStringView(wholeDigits), fraction})
        for (QChar c : part)
            if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
                out.fault = NumberReading::Fault::Unreadable;
                return out;
            }
    if (fractionDigits.size() > Decimal::MaxDecimals) {
        out.fault = NumberReading::Fault::OutOfRange;
        return out;
    }
    try {
        for (QStringView part : {QStringView(wholeDigits), fractionDigits})
            for (QChar c : part)
                out.mantissa = checkedAdd(checkedMul(out.mantissa, 10), c.unicode() - '0');
    } catch (const NumberError &) {
        out.fault = NumberReading::Fault::OutOfRange;
        return out;
    }
    if (negative)
        out.mantissa = -out.mantissa;
    out.decimals = int(fractionDigits.size());
    return out;
}
}  // namespace

// --- NumberError ---------------------------------------------------------------

namespace {
QString numberErrorText(NumberError::Kind kind)
{
    return kind == NumberError::Kind::Overflow ? QStringLiteral("حاصل محاسبه بيش از حد مجاز است")
                                               : QStringLiteral("تقسيم بر صفر ممکن نيست");
}
}  // namespace

// what() carries the Persian text too, so the error net shows it as it is.
NumberError::NumberError(Kind kind) : std::runtime_error(numberErrorText(kind).toStdString()), kind_(kind) {}

QString NumberError::text() const
{
    return numberErrorText(kind_);
}

// --- Decimal -------------------------------------------------------------------

Decimal::Decimal(Int mantissa, int scale) : mantissa_(mantissa), scale_(scale)
{
    while (scale_ > 0 && mantissa_ % 10 == 0) {
        mantissa_ /= 10;
        --scale_;
    }
    if (mantissa_ == 0)
        scale_ = 0;
    if (scale_ > MaxDecimals)
        overflow();
}

Decimal::Decimal(Money amount) : Decimal(Int(amount.units()), 4) {}

Decimal Decimal::fromScaled(std::int64_t mantissa, int decimals)
{
    if (decimals < 0)
        return Decimal(checkedMul(mantissa, powerOfTen(-decimals)), 0);
    return Decimal(Int(mantissa), decimals);
}

Decimal Decimal::fromVariant(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return {};
    QString text;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::Long:
        return Decimal(Int(value.toLongLong()), 0);
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::UShort:
    case QMetaType::ULong:
        return Decimal(Int(value.toULongLong()), 0);
    case QMetaType::Double:
    case QMetaType::Float: {
        const double v = value.toDouble();
        if (!std::isfinite(v))
            return {};
        // A float column holds the nearest double of what was stored; its 15
        // significant digits give that decimal back.
        text = QString::number(v, 'e', 14);
        break;
    }
    default:
        text = asciiDigits(value.toString()).trimmed();
        break;
    }
    // Plain or grouped text, with an exponent when a driver writes one.
    qsizetype e = text.indexOf(QLatin1Char('e'), 0, Qt::CaseInsensitive);
    int exponent = 0;
    if (e >= 0) {
        bool ok = false;
        exponent = text.mid(e + 1).toInt(&ok);
        if (!ok || exponent < -2 * MaxDecimals || exponent > MaxDecimals)
            return {};
        text.truncate(e);
    }
    const Scanned s = scan(text, Grouping::Allowed);
    if (s.fault != NumberReading::Fault::None)
        return {};
    try {
        const int decimals = s.decimals - exponent;
        if (decimals < 0)
            return Decimal(checkedMul(s.mantissa, powerOfTen(-decimals)), 0);
        if (decimals > MaxDecimals) {
            const int excess = decimals - MaxDecimals;
            return excess > MaxDecimals ? Decimal()
                                        : Decimal(divideHalfEven(s.mantissa, powerOfTen(excess)), MaxDecimals);
        }
        return Decimal(s.mantissa, decimals);
    } catch (const NumberError &) {
        return {};
    }
}

namespace {
// The mantissa of `d` written with `scale` decimals (scale ≥ d's decimals).
Int alignedMantissa(Int mantissa, int decimals, int scale)
{
    return scale == decimals ? mantissa : checkedMul(mantissa, powerOfTen(scale - decimals));
}
}  // namespace

Decimal operator+(const Decimal &a, const Decimal &b)
{
    const int scale = std::max(a.scale_, b.scale_);
    return Decimal(checkedAdd(alignedMantissa(a.mantissa_, a.scale_, scale), alignedMantissa(b.mantissa_, b.scale_, scale)),
                   scale);
}

Decimal operator-(const Decimal &a, const Decimal &b)
{
    return a + (-b);
}

Decimal operator*(const Decimal &a, const Decimal &b)
{
    return Decimal(checkedMul(a.mantissa_, b.mantissa_), a.scale_ + b.scale_);
}

Decimal Decimal::operator-() const
{
    Decimal d = *this;
    d.mantissa_ = -d.mantissa_;
    return d;
}

Decimal Decimal::dividedBy(const Decimal &divisor, int decimals) const
{
    if (divisor.isZero())
        throw NumberError(NumberError::Kind::DivisionByZero);
    decimals = std::clamp(decimals, 0, MaxDecimals);
    // this ÷ divisor × 10^decimals = m × 10^(divisor's decimals + decimals − ours) ÷ divisor's m
    const int shift = divisor.scale_ + decimals - scale_;
    const Int numerator = shift >= 0 ? checkedMul(mantissa_, powerOfTen(shift)) : mantissa_;
    const Int denominator = shift >= 0 ? divisor.mantissa_ : checkedMul(divisor.mantissa_, powerOfTen(-shift));
    return Decimal(divideHalfEven(numerator, denominator), decimals);
}

Decimal Decimal::rounded(int decimals) const
{
    decimals = std::clamp(decimals, 0, MaxDecimals);
    if (scale_ <= decimals)
        return *this;
    return Decimal(divideHalfEven(mantissa_, powerOfTen(scale_ - decimals)), decimals);
}

Money Decimal::toMoney() const
{
    const Decimal r = rounded(4);
    const Int units = checkedMul(r.mantissa_, powerOfTen(4 - r.scale_));
    if (units > maxUnits || units < minUnits)
        overflow();
    return Money::fromUnits(std::int64_t(units));
}

std::optional<std::int64_t> Decimal::wholeValue() const
{
    if (scale_ != 0 || mantissa_ > maxUnits || mantissa_ < minUnits)
        return std::nullopt;
    return std::int64_t(mantissa_);
}

QString Decimal::plain() const
{
    QString digits = digitsOf(mantissa_ < 0 ? -mantissa_ : mantissa_);
    if (scale_ > 0) {
        if (digits.size() <= scale_)
            digits = QString(scale_ - digits.size() + 1, QLatin1Char('0')) + digits;
        digits.insert(digits.size() - scale_, QLatin1Char('.'));
    }
    return mantissa_ < 0 ? QLatin1Char('-') + digits : digits;
}

QString Decimal::grouped() const
{
    QString text = plain();
    const qsizetype start = text.startsWith(QLatin1Char('-')) ? 1 : 0;
    qsizetype dot = text.indexOf(QLatin1Char('.'));
    if (dot < 0)
        dot = text.size();
    return text.left(start) + groupDigits(text.mid(start, dot - start)) + text.mid(dot);
}

QVariant Decimal::toSql() const
{
    if (const std::optional<std::int64_t> whole = wholeValue())
        return QVariant(qlonglong(*whole));
    return QVariant(plain());
}

std::strong_ordering operator<=>(const Decimal &a, const Decimal &b)
{
    const int signA = a.mantissa_ < 0 ? -1 : a.mantissa_ > 0;
    const int signB = b.mantissa_ < 0 ? -1 : b.mantissa_ > 0;
    if (signA != signB || signA == 0)
        return signA <=> signB;
    const int scale = std::max(a.scale_, b.scale_);
    try {
        const Int x = alignedMantissa(a.mantissa_, a.scale_, scale);
        const Int y = alignedMantissa(b.mantissa_, b.scale_, scale);
        return x < y ? std::strong_ordering::less : x > y ? std::strong_ordering::greater : std::strong_ordering::equal;
    } catch (const NumberError &) {
        // The one that cannot be aligned is the larger in magnitude.
        const bool aLarger = a.scale_ < scale;
        return (aLarger == (signA > 0)) ? std::strong_ordering::greater : std::strong_ordering::less;
    }
}

Decimal ratio(const Decimal &a, const Decimal &b, int decimals)
{
    return a.dividedBy(b, decimals);
}

Decimal percentage(const Decimal &part, const Decimal &whole, int decimals)
{
    if (whole.isZero())
        return {};
    return (part * 100).dividedBy(whole, decimals);
}

// --- Money ---------------------------------------------------------------------

Money Money::fromWhole(std::int64_t whole)
{
    if (whole > maxUnits / Scale || whole < minUnits / Scale)
        overflow();
    return Money(whole * Scale);
}

std::optional<Money> Money::parse(const QString &text)
{
    const NumberReading r = readNumber(text, Grouping::Allowed);
    if (r.fault == NumberReading::Fault::Empty)
        return Money();
    if (!r.ok())
        return std::nullopt;
    try {
        return r.value.toMoney();
    } catch (const NumberError &) {
        return std::nullopt;
    }
}

Money Money::fromVariant(const QVariant &value)
{
    return Decimal::fromVariant(value).toMoney();
}

Money Money::operator+(Money other) const
{
    std::int64_t r = 0;
    if (__builtin_add_overflow(units_, other.units_, &r))
        overflow();
    return Money(r);
}

Money Money::operator-(Money other) const
{
    std::int64_t r = 0;
    if (__builtin_sub_overflow(units_, other.units_, &r))
        overflow();
    return Money(r);
}

Money Money::operator-() const
{
    if (units_ == minUnits)
        overflow();
    return Money(-units_);
}

Money Money::times(const Decimal &factor) const
{
    return (Decimal(*this) * factor).toMoney();
}

Money Money::dividedBy(const Decimal &divisor) const
{
    return Decimal(*this).dividedBy(divisor, 4).toMoney();
}

Money Money::percent(const Decimal &rate) const
{
    return (Decimal(*this) * rate).dividedBy(100, 4).toMoney();
}

Money Money::rounded(int decimals) const
{
    return Decimal(*this).rounded(decimals).toMoney();
}

QString Money::plain() const
{
    return Decimal(*this).plain();
}

QString Money::grouped() const
{
    return Decimal(*this).grouped();
}

QVariant Money::toSql() const
{
    return Decimal(*this).toSql();
}

// --- Reading typed numbers -------------------------------------------------------

QString NumberReading::message(const QString &field) const
{
    switch (fault) {
    case Fault::None: return {};
    case Fault::Empty: return QStringLiteral("مقدار «%1» وارد نشده است").arg(field);
    case Fault::Unreadable: return QStringLiteral("مقدار «%1» عدد معتبر نيست").arg(field);
    case Fault::Comma:
        return QStringLiteral("در «%1» ويرگول پذيرفته نيست؛ اعشار را با نقطه بنويسيد").arg(field);
    case Fault::OutOfRange: return QStringLiteral("مقدار «%1» بيش از حد مجاز است").arg(field);
    }
    return {};
}

NumberReading readNumber(const QString &typed, Grouping grouping)
{
    const Scanned s = scan(asciiDigits(typed).trimmed(), grouping);
    NumberReading out;
    out.fault = s.fault;
    if (s.fault == NumberReading::Fault::None)
        out.value = Decimal(s.mantissa, s.decimals);
    return out;
}

QString groupDigits(const QString &digits)
{
    const qsizetype n = digits.size();
    if (n <= 3)
        return digits;
    QString out;
    out.reserve(n + n / 3);
    const qsizetype head = n - 3 * ((n + 2) / 3 - 1);
    out += digits.left(head);
    for (qsizetype i = head; i < n; i += 3)
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

}  // namespace bv
