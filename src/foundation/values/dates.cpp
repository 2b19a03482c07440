#include "dates.h"

#include "interaction.h"

#include <QCalendar>

namespace bv {

namespace {
const QCalendar &jalali()
{
    static const QCalendar calendar(QCalendar::System::Jalali);
    return calendar;
}

QString twoDigits(int n)
{
    return QString::number(n).rightJustified(2, QChar('0'));
}
}  // namespace

void TJalaliDate::Today()
{
    SetGregorian(ui().today());
}

void TJalaliDate::SetGregorian(const QDate &date)
{
    GYear = static_cast<std::uint16_t>(date.year());
    GMonth = static_cast<std::uint16_t>(date.month());
    GDay = static_cast<std::uint16_t>(date.day());
    Convert();
}

bool TJalaliDate::GregorianLeap() const
{
    return QDate::isLeapYear(GYear);
}

bool TJalaliDate::JalaliLeap() const
{
    return jalali().isLeapYear(JYear);
}

int TJalaliDate::DayOfYear() const
{
    return QDate(GYear, GMonth, GDay).dayOfYear();
}

void TJalaliDate::Convert()
{
    const QCalendar::YearMonthDay parts = jalali().partsFromDate(QDate(GYear, GMonth, GDay));
    JYear = static_cast<std::uint16_t>(parts.year);
    JMonth = static_cast<std::uint16_t>(parts.month);
    JDay = static_cast<std::uint16_t>(parts.day);
}

QString TJalaliDate::AsText() const
{
    return QString::number(JYear).left(4) + QLatin1Char('/') + twoDigits(JMonth) + QLatin1Char('/')
        + twoDigits(JDay);
}

QString jalaliText(const QDate &date)
{
    if (!date.isValid())
        return {};
    TJalaliDate d;
    d.SetGregorian(date);
    return d.AsText();
}

QString jalaliToday()
{
    TJalaliDate d;
    d.Today();
    return d.AsText();
}

QDate gregorianOf(const QString &text)
{
    if (text.size() != 10 || text[4] != QLatin1Char('/') || text[7] != QLatin1Char('/'))
        return {};
    // toInt() would take "1 " for 1, so a half-typed month would pass.
    for (int i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (text[i] < QLatin1Char('0') || text[i] > QLatin1Char('9'))
            return {};
    const int y = text.left(4).toInt();
    const int m = text.mid(5, 2).toInt();
    const int d = text.mid(8, 2).toInt();
    if (!jalali().isDateValid(y, m, d))
        return {};
    return jalali().dateFromParts(y, m, d);
}

bool isJalaliDate(const QString &text)
{
    return gregorianOf(text).isValid();
}

DateEntry dateEntry(const QString &stored)
{
    if (stored.trimmed().remove(QLatin1Char('/')).trimmed().isEmpty())
        return DateEntry::Blank;
    return isJalaliDate(stored) ? DateEntry::Valid : DateEntry::Invalid;
}

DateEntry compactDateEntry(const QString &stored)
{
    if (stored.trimmed().isEmpty())
        return DateEntry::Blank;
    if (stored.size() != 8)
        return DateEntry::Invalid;
    return dateEntry(stored.left(4) + QLatin1Char('/') + stored.mid(4, 2) + QLatin1Char('/') + stored.mid(6, 2));
}

QString compactDate(const QString &jalali)
{
    if (jalali.size() != 10 || jalali[4] != QLatin1Char('/') || jalali[7] != QLatin1Char('/'))
        return jalali;
    return jalali.left(4) + jalali.mid(5, 2) + jalali.mid(8, 2);
}

QString invalidDateMessage(const QString &field)
{
    return QStringLiteral("تاريخ «%1» ناقص يا نادرست است؛ تاريخ را کامل (سال/ماه/روز) وارد کنيد يا خالي بگذاريد")
        .arg(field);
}

}  // namespace bv
