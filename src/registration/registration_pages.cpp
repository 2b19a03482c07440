#include "registration_pages.h"

#include "pages.h"
#include "sabt_src.h"
#include "windows.h"

namespace bv {

void registerRegistrationPages()
{
    pages::registerPage(QStringLiteral("N24"),
                        {[]() -> QDialog & { return windows::get<sabt_src>(); },
                         [](const PageRights &rights) { windows::get<sabt_src>().applyRights(rights); },
                         [] { windows::get<sabt_src>().prepare(); }});
}

}  // namespace bv
