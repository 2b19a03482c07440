#pragma once
// The survey agreement printed page by page from the browser, the three-part
// inquiry, the consultant selection minutes, the notification of the agreement
// and the map disc's label: each filled from a fresh template over the current
// project, its contractor, the listed projects and the last search. No widgets.
#include "naghshe_letters.h"

#include <optional>

namespace bv::survey {

// ---- Values the pages share ----

// The batch totals of the listed projects as the pages print them: plain,
// without grouping. Summed here from each stored value: a database's sum of
// float areas drifts (250 × 5.002 is 1250.4999999999939 there).
struct BatchTotals {
    QString p;  // initial built-up areas
    QString k;  // initial open areas
    QString m;  // contract amounts
};
BatchTotals batchTotals(const ResultSet &listed);

// The signing deputy chosen by the answer to a post prompt: "ذيحساب" and
// "معاون پشتيباني" name the first of their lookup lists, any other answer nobody.
QString deputyByPost(const Db &db, const QString &post);
inline const QString defaultPost = QStringLiteral("معاون پشتيباني/ذيحساب");

// Copies of the agreement page 11 names: a memorandum 2, a natural person 3, anyone else 4.
QString agreementCopies(const QString &protTyp, bool natural);

// The notification's copy line for a company's social-security branch.
QString socialSecurityCopy(const Row &contractor);

// The word the notification names the agreement with: the project's type as
// stored, the layout's "قرارداد" when the project has none.
QString notificationWord(const QString &protTyp);

inline const QString memorandum = QStringLiteral("تفاهمنامه");

// ---- Agreement pages ----

report::Document agreementCover(const Db &db, const LetterSource &source);        // page 1
report::Document agreementParticulars(const Db &db, const LetterSource &source);  // page 9
report::Document agreementDuration(const Db &db, const LetterSource &source);     // page 10
// Page 11, with the office's signatories or with their table emptied.
report::Document agreementAddresses(const Db &db, const LetterSource &source, bool withNames);
report::Document agreementSubject(const Db &db, const LetterSource &source);       // page 12, annex 1
report::Document agreementFees(const Db &db, const LetterSource &source);          // page 16, annex 3
report::Document agreementSchedule(const Db &db, const LetterSource &source);      // page 17, annex 4
report::Document agreementBankAccount(const Db &db, const LetterSource &source);   // page 27
// Page 28, annex 6: by the contractor's kind; nothing for a kind that is
// neither. A project without contractor stops with noContractorMessage.
std::optional<report::Document> agreementPersonnel(const Db &db, const LetterSource &source);
inline const QString noContractorMessage =
    QStringLiteral("براي اين طرح پيمانکاري ثبت نشده است؛ صفحه اسامي عوامل چاپ نمي شود");
report::Document agreementUndertaking(const Db &db, const LetterSource &source);     // page 29
report::Document agreementNonInterference(const Db &db, const LetterSource &source); // page 30
report::Document agreementMoneyLaundering(const Db &db, const LetterSource &source); // page 31

// ---- Letters ----

report::Document boundaryInquiry(const Db &db, const LetterSource &source);       // "فرم استعلام 3بخشي"
report::Document selectionCommittee(const Db &db, const LetterSource &source);    // "هيئت انتخاب مشاور"
report::Document agreementNotification(const Db &db, const LetterSource &source); // "ابلاغ موافقت نامه"
report::Document discLabel(const Db &db, const LetterSource &source);             // "برچسب لوح فشرده"

// ---- The agreement's fixed chapters, stored as program documents ----

inline const QString wholeAgreementDocument = QStringLiteral("فايل موافقت نامه نقشه برداري");
inline const QString generalClausesDocument = QStringLiteral("فايل موافقت نامه نقشه برداري - بند1");
inline const QString services200Document = QStringLiteral("فايل موافقت نامه نقشه برداري - پيوست2 - مقياس200");
inline const QString services500Document = QStringLiteral("فايل موافقت نامه نقشه برداري - پيوست2 - مقياس500");
inline const QString conditions200Document = QStringLiteral("فايل موافقت نامه نقشه برداري - پيوست5 - مقياس200");
inline const QString conditions500Document = QStringLiteral("فايل موافقت نامه نقشه برداري - پيوست5 - مقياس500");
inline const QString missingDocumentMessage = QStringLiteral("فايلي در بخش ضمائم با اين عنوان نيست");

// Saves the program document where the user chooses and opens it; a message
// when there is none.
void openAgreementDocument(const Db &db, const QString &description);

}  // namespace bv::survey
