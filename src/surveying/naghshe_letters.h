#pragma once
// The statements, settlements and contract letters printed from the survey
// browser: their arithmetic on exact amounts, the choices by credit source,
// the pieces every contract letter shares (the contractor row, the party word,
// the joined filter lists), each document filled and ready to preview, and
// the dates and percentages written back after a print on paper. No widgets.
#include "db.h"
#include "document.h"
#include "fillsteps.h"
#include "naghshe_search.h"

#include <optional>

namespace bv::survey {

// ---- Shared by the contract letters and the agreement pages ----

using report::joinedList;

// The contractor row of a project (by `peymankar_id`); an empty row when the
// project has none or the row is gone.
Row contractorRow(const Db &db, const Row &project);

// How a letter names the contractor: a natural person as "پيمانکار" with the
// given and family names, anyone else as `legalWord` with the company name.
struct Party {
    QString word;
    QString name;
    bool natural = false;
};
Party contractorParty(const Row &contractor, const QString &legalWord = QStringLiteral("مشاور"));

// ---- Arithmetic of the statements (texts in, printed texts out) ----

// The figures of a statement as printed.
struct StatementFigures {
    QString masahat_por, por_price, zarib_kochaki;
    QString masahat_khali, khali_price;
    QString zarib_mantaghe, zarib_sobat;
};
// The three computed lines; each "0" when one of its figures cannot be read.
struct StatementLines {
    QString por_pardakhti;    // built-up area × price × smallness
    QString khali_pardakhti;  // open area × price
    QString por_khali;        // (the two printed lines) × regional × difficulty
};
StatementLines statementLines(const StatementFigures &figures);

// The change of the contract in percent: fee × 100 ÷ contract − 100, rounded
// to four and then to two decimals, halves to even. "0" for a contract of 0
// or a figure that cannot be read.
QString contractChange(const QString &fee, const QString &contract);
// The delay penalty: fee − fee × (100 − percent) ÷ 100 on four decimals.
QString delayPenalty(const QString &fee, const QString &percent);
// The temporary statement's amount: percent of the contract to the nearest
// whole amount, halves to even; "0" when the percent is no number.
QString temporaryAmount(const QString &percent, const QString &contract);
// The absorption statement's amount: the printed lines plus the equipment.
QString absorptionAmount(const QString &porKhali, const QString &equipment);

// The increase the last search's totals show: fees ÷ contracts − 1, in
// percent. Above 1 the question offers its first four characters (never
// ending in "."), otherwise "فاقد افزايش"; nullopt when the contracts total
// is 0 and there is no increase to tell.
std::optional<QString> increaseOffer(const NaghsheTotals &totals);
inline const QString noIncrease = QStringLiteral("فاقد افزايش");

// ---- Choices by credit source ----

// The accounting office a letter goes to: "ذيحسابي" for "استاني" and "ملي",
// "حسابداري" for "دهياري" and "ماده11"; nullopt for any other source.
std::optional<QString> accountingOffice(const QString &source);
// The copy recipient of the settlement letter, by contained text in order.
QString copyRecipient(const QString &source);
// The deputies and the credit line of the overtime notice; nullopt for a
// source that is none of the four.
struct OvertimeOffice {
    QString deputy;
    QString mahal;
};
std::optional<OvertimeOffice> overtimeOffice(const QString &source);

// ---- The documents ----

// What the browser hands its letters.
struct LetterSource {
    Row project;                 // the current project
    ResultSet listed;            // every listed project, in list order
    NaghsheSearchState search;   // the filters and totals of the last search
};

// The message shown before the preview of the final, absorption and free statements.
QString changeMessage(const QString &percent);

report::Document temporaryStatement(const Db &db, const LetterSource &source);   // "صورت وضعيت موقت"
report::Document finalStatement(const Db &db, const LetterSource &source);       // "صورت وضعيت قطعي"
report::Document absorptionStatement(const Db &db, const LetterSource &source);  // "صورت وضعيت جذبي"
report::Document freeStatement(const Db &db, const LetterSource &source);        // "صورت وضعيت آزاد"
report::Document coverSheet(const Db &db, const LetterSource &source);           // "روکش صورت وضعيت"
// Warns of every listed project whose letter date is set and fills from the
// last listed one; printed on paper, the projects whose date is still blank
// get today.
report::Document goodPerformanceLetter(const Db &db, const LetterSource &source);  // "حسن انجام کار"
report::Document settlementLetter(const Db &db, const LetterSource &source);       // "تسويه حساب"
report::Document councilSettlement(const Db &db, const LetterSource &source);      // "تسويه حساب با دهياري"
// `initial`: "تحويل اوليه", else "تحويل قطعي".
report::Document handoverLetter(const Db &db, const LetterSource &source, bool initial);
// Printed on paper, the project records the letter's date.
report::Document extensionLetter(const Db &db, const LetterSource &source);  // "تمديد قرارداد"
// Printed on paper, the project records the increase and the letter's date.
report::Document contractAffairsLetter(const Db &db, const LetterSource &source);   // "امور پيمان ها"
report::Document overtimeNotice(const Db &db, const LetterSource &source);          // "ابلاغ اضافه کاري"
report::Document operationsDescription(const Db &db, const LetterSource &source);   // "شرح عمليات"
report::Document terminationLetter(const Db &db, const LetterSource &source);       // "خاتمه قرارداد"

// ---- Written back after a print on paper ----

// The letter's date for those of `ids` whose `hosn_paper_dat` is still the
// blank date, in one transaction.
void stampGoodPerformance(const Db &db, const QList<qint64> &ids, const QString &date);
// `tamdid_dat` of the project.
void recordExtension(const Db &db, qint64 id, const QString &date);
// `darsad_inc` ← percent + "*" + date; false, writing nothing, when the text
// does not fit its column.
bool recordIncrease(const Db &db, qint64 id, const QString &percent, const QString &date);
inline constexpr int increaseColumnLength = 50;
QString increaseTooLongMessage(const QString &text);

}  // namespace bv::survey
