#pragma once

namespace bv {

// Registers the main-menu pages of the base data: the evaluation item
// catalogues, the credit-checklist items, the map scales and the villages.
void registerBasedataPages();

}  // namespace bv
