#include "studies_pages.h"

#include "pages.h"
#include "peymankaran_src.h"
#include "windows.h"

namespace bv {

void registerStudiesPages()
{
    // Until the studies browser opens them, "مطالعات" opens the studies
    // contractors, with their own page's rights.
    pages::registerPage(QStringLiteral("N14"), {[]() -> QDialog & { return windows::get<peymankaran_src>(); },
                                                {},
                                                [] { windows::get<peymankaran_src>().prepare(); }});
}

}  // namespace bv
