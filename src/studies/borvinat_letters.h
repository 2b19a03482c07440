#pragma once
// The letters, minutes, payment statements and hand-over forms printed from
// the studies browser: the arithmetic and date choices they make, and each
// document filled from the study chosen, ready to preview. No widgets.
#include "borvinat_search.h"
#include "db.h"
#include "document.h"

#include <optional>

namespace bv::studies {

// ---- Plain rules ----

// The fee offered in rials: million rials × 1,000,000, to the nearest rial.
QString offeredAmount(const QVariant &millionRials);
// Amount × percentage ÷ 100 to a whole rial, halves to even; "?" when either
// cannot be read as a number.
QString amountDue(const QString &amount, const QString &percentage);
// The percentage as printed: two decimals when `twoDecimals`, else plain; the
// typed text when it is no number.
QString percentageShown(const QString &percentage, bool twoDecimals);
// What a payment statement writes to the study's `status`.
QString statusText(const QString &stage, const QString &percentage);
// The first of the fourth, third, approval and first committee dates that is
// set; the empty date when none is.
QString latestCommitteeDate(const Row &study);
// The study column holding the date of meeting 1 to 4; nullopt for any other
// meeting, whose date is asked for.
std::optional<QString> meetingDateColumn(int meeting);

// ---- The documents ----

// What the browser hands its letters: the study chosen and the last search.
struct StudyLetterSource {
    Row study;
    BorvinatSearchState search;
};

// "صورت وضعيت" (`finalStage` false) and "صورت وضعيت قطعي حقيقي": both write the
// study's `status` before the document is shown.
report::Document paymentStatement(const Db &db, const StudyLetterSource &source, bool finalStage);
report::Document depositRelease(const Db &db, const StudyLetterSource &source);          // "استرداد سپرده حسن انجام کار"
report::Document extensionLetter(const Db &db, const StudyLetterSource &source);         // "نامه تمديد قرارداد"
report::Document contractNotification(const Db &db, const StudyLetterSource &source);    // "ابلاغ قرارداد مشاورين ..."
report::Document agencyIntroduction(const Db &db, const StudyLetterSource &source);      // "معرفي نامه مشاور به ادارات"
report::Document baseMapLetter(const Db &db, const StudyLetterSource &source);           // "ارسال نقشه به مشاور"
report::Document threePartInquiry(const Db &db, const StudyLetterSource &source);        // "فرم استعلام 3 بخشي"
report::Document libraryIntroduction(const Db &db, const StudyLetterSource &source);     // "معرفي به کتابخانه (A5)"
// "صورتجلسه کميته فني", or with `county` "صورتجلسه فني شهرستان".
report::Document technicalMinutes(const Db &db, const StudyLetterSource &source, bool county);
report::Document approvalMinutes(const Db &db, const StudyLetterSource &source);         // "صورتجلسه کميته تصويب"
// "ابلاغ استانداري" (`m_frm_ostandari2`), "ابلاغ فرمانداري" (`m_frm_ostandari3`)
// and "ابلاغ فرمانداري جديد" (`m_frm_farmandari`).
report::Document approvedPlanNotice(const Db &db, const StudyLetterSource &source, const QString &templateName);
// "فرم تحويل سي دي به تهران-قديم" (`newForm` false) and "-جديد".
report::Document cdHandover(const Db &db, const StudyLetterSource &source, bool newForm);

// ---- Written by the payment statements ----

// The status as the statement writes it; a text longer than the column stops
// the statement with a message, before anything is written.
void writeStatus(const Db &db, qint64 id, const QString &status);
inline constexpr int statusColumnLength = 100;
QString statusTooLongMessage(const QString &status);

}  // namespace bv::studies
