#pragma once
// The pages of a study's agreement, each filled from the study chosen, its
// contractor and the last search, ready to preview. No widgets.
#include "borvinat_letters.h"
#include "bundle.h"
#include "document.h"

namespace bv::studies {

// The document kind as answered: printed as the document's name; the two
// memorandum spellings select the memorandum wording.
struct AgreementKind {
    QString answer;
    bool memorandum = false;
};
AgreementKind agreementKind(const QString &answer);
AgreementKind askAgreementKind();

// The program documents holding the rest of the agreement: the guide plan's,
// the revision's, the boundary plan's and the memorandum's.
inline const QStringList agreementDocuments = {QStringLiteral("فايل موافقت نامه مطالعات-هادي"), QStringLiteral("فايل موافقت نامه مطالعات-بازنگري"),
                                               QStringLiteral("فايل موافقت نامه مطالعات-تعيين محدوده"), QStringLiteral("فايل تفاهمنامه مطالعات")};
inline const QString noAgreementDocumentMessage = QStringLiteral("فايلي در بخش ضمائم با اين عنوان نيست");

// The number a middle page (12, 14, 16, 32 to 35) prints: a local revision
// has fewer pages before it.
int middlePageNumber(const QString &planType, int page);

// The number of a closing page (`legalPage` 36 to 39) by the contractor kind: a
// natural person's contract has two pages fewer. Asked for a local revision.
QString closingPageNumber(const Row &study, const Row &contractor, int legalPage);

// The contract fee in rials for the pages that print it: the last search's
// grouped fee, or asked when no study matches.
Money agreementRials(const Db &db, const StudyLetterSource &source);

// "صفحه 1 - جلد": the cover.
report::Document agreementCover(const Db &db, const StudyLetterSource &source, const AgreementKind &kind);
// "صفحه 3 - حق الزحمه،نشاني و امضا", or with `withNames` "صفحه 3_1 - حق الزحمه با اسامي".
report::Document agreementFeePage(const Db &db, const StudyLetterSource &source, const AgreementKind &kind,
                                  bool withNames);
// "صفحه 2 - طرفين و موضوع": the parties and the subject.
report::Document agreementParties(const Db &db, const StudyLetterSource &source, const AgreementKind &kind);
// "صفحه 4 - پيوست شماره يک".
report::Document agreementAnnex(const Db &db, const StudyLetterSource &source, const AgreementKind &kind);
// "صفحه14 - ضرائب": the adjustment coefficient asked.
report::Document agreementCoefficients(const Db &db, const StudyLetterSource &source, const AgreementKind &kind);
// The descriptions the selection minutes' picture is looked up by, in order.
inline const QStringList selectionMinutesPictures = {QStringLiteral("تصوير صورتجلسه کميته تصويب انتخاب مشاور دفتر مرکزي"), QStringLiteral("صورتجلسه کميته تصويب انتخاب مشاور دفتر مرکزي"),
                                                     QStringLiteral("صورتجلسه انتخاب مشاور دفتر مرکزي")};
// "صفحه16-صورتجلسه کميته انتخاب مشاور دفتر مرکزي": the study's first attachment of
// those descriptions that is an image; none, no picture.
report::Document agreementSelectionMinutes(const Db &db, const StudyLetterSource &source);
// "صفحه32 - اسامي عوامل کليدي": the five key people asked.
report::Document agreementKeyPeople(const Db &db, const StudyLetterSource &source, const AgreementKind &kind);
// "صفحه34 - اظهارنامه ظرفيت آماده بکار1" (`withFee`) and "...2".
report::Document agreementCapacity(const Db &db, const StudyLetterSource &source, const AgreementKind &kind, bool withFee);
// "صفحه33 - مداخله منع کارکنان".
report::Document agreementConflictOfInterest(const Db &db, const StudyLetterSource &source);
// "صفحه36 - پولشويي".
report::Document agreementMoneyLaundering(const Db &db, const StudyLetterSource &source);
// The rows of the summary page: one per study of the contract, with its area
// coefficient, base fees, village coefficients and contractor name.
ResultSet agreementSummaryRows(const Db &db, const BorvinatFilters &filters);
// "صفحه37 - خلاصه اطلاعات".
report::Document agreementSummary(const Db &db, const StudyLetterSource &source);
// "صفحه 38 - شماره حساب" (`m_movafeghatname39`).
report::Document agreementBankAccount(const Db &db, const StudyLetterSource &source);
// "صفحه39 - تعهدنامه" (`m_movafeghatname38`).
report::Document agreementUndertaking(const Db &db, const StudyLetterSource &source);
// "صفحه12 - حق الزحمه": its boundary-plan variant for that plan type.
report::Document agreementFeeSchedule(const Db &db, const StudyLetterSource &source, const AgreementKind &kind);
// "چاپ همه صفحات": the sixteen pages in print order, page 12 always in its
// general layout; neither 12_1 nor the program documents.
report::Bundle agreementBundle(const Db &db, const StudyLetterSource &source, const AgreementKind &kind);

}  // namespace bv::studies
