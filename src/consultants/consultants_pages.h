#pragma once
// Registers the consultants windows the main menu opens.
namespace bv {
void registerConsultantsPages();
}
