#include "surveying_pages.h"

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
}

}  // namespace bv
