#pragma once
// Registers the studies windows the main menu opens.
namespace bv {
void registerStudiesPages();
}
