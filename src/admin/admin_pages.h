#pragma once

namespace bv {

// Registers the main-menu pages of this subsystem (users, log viewer, phone
// book, lookup lists, backup).
void registerAdminPages();

}  // namespace bv
