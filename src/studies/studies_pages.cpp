#include "studies_pages.h"

#include "borvinat_src.h"
#include "pages.h"
#include "windows.h"

namespace bv {

void registerStudiesPages()
{
    pages::registerPage(QStringLiteral("N14"),
                        {[]() -> QDialog & { return windows::get<borvinat_src>(); },
                         [](const PageRights &rights) { windows::get<borvinat_src>().applyRights(rights); },
                         [] { windows::get<borvinat_src>().prepare(); }});
}

}  // namespace bv
