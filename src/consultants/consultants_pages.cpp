#include "consultants_pages.h"

#include "moshaveran.h"
#include "pages.h"
#include "windows.h"

namespace bv {

void registerConsultantsPages()
{
    pages::registerPage(QStringLiteral("N23"),
                        {[]() -> QDialog & { return windows::get<moshaveran>(); },
                         [](const PageRights &rights) { windows::get<moshaveran>().applyRights(rights); },
                         [] { windows::get<moshaveran>().prepare(); }});
}

}  // namespace bv
