#include "exchange_pages.h"

#include "attachment_window.h"
#include "pages.h"
#include "payam.h"
#include "windows.h"

namespace bv {

void registerExchangePages()
{
    // Every user may open the messages: the item has no page key.
    pages::registerPage(QStringLiteral("N11"),
                        {[]() -> QDialog & { return windows::get<payam>(); }, {},
                         [] { windows::get<payam>().prepare(); }});
    pages::registerPage(QStringLiteral("N12"), attachmentPage(attachment::zamaem()));
    pages::registerPage(QStringLiteral("N22"), attachmentPage(attachment::mostanadat()));
}

}  // namespace bv
