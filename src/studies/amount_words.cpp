#include "amount_words.h"

#include <array>

namespace bv::study {

namespace {
// Each word carries a space on both sides; the words for 4, 14, 40 and 400
// end in a zero-width non-joiner so that the following space does not join.
const std::array<const char16_t *, 20> units = {
    u" صفر ",
    u" يک ",
    u" دو ",
    u" سه ",
    u" چهار\u200c ",
    u" پنج ",
    u" شش ",
    u" هفت ",
    u" هشت ",
    u" نه ",
    u" ده ",
    u" يازده ",
    u" دوازده ",
    u" سيزده ",
    u" چهارده\u200c ",
    u" پانزده ",
    u" شانزده ",
    u" هفده ",
    u" هجده ",
    u" نوزده "};
const std::array<const char16_t *, 8> tens = {  // 20, 30 … 90
    u" بيست ",
    u" سي ",
    u" چهل\u200c ",
    u" پنجاه ",
    u" شصت ",
    u" هفتاد ",
    u" هشتاد ",
    u" نود "};
const std::array<const char16_t *, 9> hundreds = {  // 100 … 900
    u" صد ",
    u" دويست ",
    u" سيصد ",
    u" چهارصد\u200c ",
    u" پانصد ",
    u" ششصد ",
    u" هفتصد ",
    u" هشتصد ",
    u" نهصد "};
const std::array<const char16_t *, 4> groupNames = {u"", u"هزار", u"ميليون", u"ميليارد"};
const QString inner = QStringLiteral("و");
const QString between = QStringLiteral(" و ");
const QString currency = QStringLiteral("ريال");
}  // namespace

QString Get1nd(int n)
{
    return n >= 0 && n < 20 ? QString::fromUtf16(units[n]) : QString();
}

QString Get2nd(int n)
{
    return n >= 2 && n <= 9 ? QString::fromUtf16(tens[n - 2]) : QString();
}

QString Get3nd(int n)
{
    return n >= 1 && n <= 9 ? QString::fromUtf16(hundreds[n - 1]) : QString();
}

QString GetTree(int n)
{
    if (n < 0 || n > 999)
        return {};
    QString s;
    const int r = n % 100;
    if (r >= 20) {
        if (n % 10 > 0)
            s = Get1nd(n % 10);
        s = Get2nd(r / 10) + (s.isEmpty() ? QString() : inner + s);
    } else if (r > 0) {
        s = Get1nd(r);
    }
    if (n / 100 > 0)
        s = Get3nd(n / 100) + (s.isEmpty() ? QString() : inner + s);
    if (n == 0)
        s = Get1nd(0);
    return s;
}

std::optional<QString> GetNum(std::int64_t n)
{
    if (n >= spelledLimit)
        return std::nullopt;
    QString s;
    // A negative amount has no positive group and spells as the currency alone.
    for (std::size_t i = 0; n > 0; ++i) {
        const int g = static_cast<int>(n % 1000);
        n /= 1000;
        if (g > 0) {
            if (!s.isEmpty())
                s = between + s;
            s = GetTree(g) + QString::fromUtf16(groupNames[i]) + s;
        }
    }
    return s + QLatin1Char(' ') + currency;
}

}  // namespace bv::study
