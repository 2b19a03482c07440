#pragma once
// The checklists printed from a study's evaluation rows. No widgets.
#include "db.h"
#include "document.h"

namespace bv::studies {

inline const QString provinceName = QStringLiteral("ورکندان");
inline const QString gisExpertList = QStringLiteral("کارشناس جي آي اس");
inline const QString technicalOfficerList = QStringLiteral("کارشناس مسئول فني و مطالعات");
inline const QString gisSignature = QStringLiteral("تصوير امضا کارشناس جي آي اس");
inline const QString technicalOfficerSignature = QStringLiteral("تصوير امضا کارشناس مسئول فني و مطالعات");

// Each asks its questions, binds the study's rows and fills the study's
// particulars; a step that stops the fill throws report::FillError.
report::Document gisChecklist(const Db &db, const Row &study);
report::Document guidePlanChecklist(const Db &db, const Row &study);
report::Document guidePlanChecklist2();
report::Document detailedPlanChecklist(const Db &db, const Row &study);
report::Document baseMapChecklist(const Db &db, const Row &study);
report::Document consultantEvaluation(const Db &db, const Row &study);

}  // namespace bv::studies
