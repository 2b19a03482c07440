#include "reporting_pages.h"

#include "borvinat_src.h"
#include "creditsreport.h"
#include "dm.h"
#include "etebarat.h"
#include "fillsteps.h"
#include "naghshe_src.h"
#include "pages.h"
#include "rep.h"
#include "windows.h"

namespace bv {

void registerReportingPages()
{
    pages::registerPage(QStringLiteral("N13"), {[]() -> QDialog & { return windows::get<etebarat>(); },
                                                [](const PageRights &r) { windows::get<etebarat>().applyRights(r); },
                                                [] { windows::get<etebarat>().prepare(); }});
    pages::registerPage(QStringLiteral("N20"), {[]() -> QDialog & { return windows::get<rep>(); },
                                                {},
                                                [] { windows::get<rep>().prepare(); }});
    naghshe_src::creditsReport = [](const survey::NaghsheSearchState &search) {
        report::runFill([&] { reporting::surveyCreditsReport(dm().main(), search.filters, session()).preview(); });
    };
    borvinat_src::creditsReport = [](const studies::BorvinatSearchState &search) {
        report::runFill([&] { reporting::studiesCreditsReport(dm().main(), search.filters, session()).preview(); });
    };
}

}  // namespace bv
