#pragma once
// Registers the registration windows the main menu opens.
namespace bv {
void registerRegistrationPages();
}
