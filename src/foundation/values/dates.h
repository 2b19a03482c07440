#pragma once
// Jalali dates. The system stores and prints dates as 10-character Jalali strings
// "YYYY/MM/DD" that compare as text; the only date it computes is today's.
#include <QDate>
#include <QString>
#include <cstdint>

namespace bv {

// An unset date as stored: the empty mask of a date box.
inline const QString emptyDateMask = QStringLiteral("    /  /  ");

struct TJalaliDate {
    std::uint16_t GYear = 0;
    std::uint16_t GMonth = 0;
    std::uint16_t GDay = 0;
    std::uint16_t JYear = 0;
    std::uint16_t JMonth = 0;
    std::uint16_t JDay = 0;

    // Today's date from the clock of the user interface (replaceable in tests).
    void Today();
    // Sets the Gregorian fields and converts.
    void SetGregorian(const QDate &date);
    bool GregorianLeap() const;
    bool JalaliLeap() const;
    int DayOfYear() const;
    // Fills the Jalali fields from the Gregorian ones, on the real calendar.
    void Convert();
    QString AsText() const;
};

// The Jalali date string of a Gregorian date; empty for an invalid date.
QString jalaliText(const QDate &date);
// Today's Jalali date string.
QString jalaliToday();
// The Gregorian date of a Jalali date string; invalid when the text is not one.
QDate gregorianOf(const QString &jalali);
// True for a complete, existing Jalali date "YYYY/MM/DD": ASCII digits in every
// place and a day the calendar has.
bool isJalaliDate(const QString &text);

// What a date box holds in its stored form: nothing typed (the empty mask or an
// empty text), a complete existing date, or anything else (half typed, a 31st
// of Mehr, a 30th of Esfand outside leap years).
enum class DateEntry { Blank, Valid, Invalid };
DateEntry dateEntry(const QString &stored);
// The eight-digit form of the consultant windows: "14030705", no separators;
// nothing typed is eight spaces.
inline const QString emptyCompactDate = QStringLiteral("        ");
DateEntry compactDateEntry(const QString &stored);
// "1403/07/05" -> "14030705"; anything else unchanged.
QString compactDate(const QString &jalali);
// The refusal shown when the date box `field` holds an invalid entry.
QString invalidDateMessage(const QString &field);

}  // namespace bv
