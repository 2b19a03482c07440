#pragma once

namespace bv {

// Registers the main-menu pages of the base data.
void registerBasedataPages();

}  // namespace bv
