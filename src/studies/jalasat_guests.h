#pragma once
// The guests of a study's meetings, the search over every study's meetings and
// the attendance sheet. No widgets.
#include "conditions.h"
#include "db.h"
#include "document.h"

#include <optional>

namespace bv::studies {

inline const QString officesList = QStringLiteral("ادارات جلسات");
inline const QString guestRepeatedMessage = QStringLiteral("خطا! تکراريست");

// A guest as typed.
struct Guest {
    QString dat, org, shakhs, jalase_no, title;
};

// The study's stored row; empty when it is gone.
Row studyRow(const Db &db, qint64 study);

ResultSet guests(const Db &db, qint64 study);
// The number of named guests over every meeting of the study; empty text
// when the study has no guests.
QString attendance(const Db &db, qint64 study);

// Adds the guest unless the study has the same office and expert already;
// attendance 1 when an expert is named. False when refused.
bool addGuest(const Db &db, qint64 study, const Guest &guest);
// Adds the guest once for every office not yet holding the expert, in one
// transaction; returns how many were added.
int addEveryOffice(const Db &db, qint64 study, const QStringList &offices, const Guest &guest);
// False when another clerk had already deleted the row.
bool deleteGuest(const Db &db, qint64 id);
// Returns how many rows it deleted.
int deleteAllGuests(const Db &db, qint64 study);

// The entry after `index` of a list of `count`: from none to the first, none
// after the last (-1).
int nextEntry(int index, int count);

// The search's filters; nullopt when off.
struct MeetingFilters {
    std::optional<std::pair<QString, QString>> dates;
    std::optional<QString> org, shakhs, city, rosta;
};
Conditions meetingConditions(const Dialect &dialect, const MeetingFilters &filters);
// The statements of the search, for the conditions' values.
QString meetingListSql(const Conditions &conditions);
QString meetingCountSql(const Conditions &conditions);
// Every study's guests with the study's place, newest meeting first.
ResultSet meetingList(const Db &db, const MeetingFilters &filters);
int meetingCount(const Db &db, const MeetingFilters &filters);

// The attendance sheet of `rows`, headed by the meeting's number and date and
// the village particulars of `place` (a study row or a found row).
report::Document attendanceSheet(const ResultSet &rows, const Row &place, const QString &jalase_no,
                                 const QString &dat);

}  // namespace bv::studies
