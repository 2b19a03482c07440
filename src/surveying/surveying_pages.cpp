#include "surveying_pages.h"

#include "darkhast_src.h"
#include "naghshe_src.h"
#include "pages.h"
#include "windows.h"

namespace bv {

void registerSurveyingPages()
{
    pages::registerPage(QStringLiteral("N1"),
                        {[]() -> QDialog & { return windows::get<naghshe_src>(); },
                         [](const PageRights &rights) { windows::get<naghshe_src>().applyRights(rights); },
                         [] { windows::get<naghshe_src>().prepare(); }});
    pages::registerPage(QStringLiteral("N27"),
                        {[]() -> QDialog & { return windows::get<darkhast_src>(); },
                         [](const PageRights &rights) { windows::get<darkhast_src>().applyRights(rights); },
                         [] { windows::get<darkhast_src>().prepare(); }});
}

}  // namespace bv
