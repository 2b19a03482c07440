#pragma once

namespace bv {

// Registers the main-menu pages of messages ("پيام"), program attachments
// ("ضمائم") and documents ("مستندات").
void registerExchangePages();

}  // namespace bv
