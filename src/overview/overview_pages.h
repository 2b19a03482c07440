#pragma once
// Registers the overview window the main menu opens.
namespace bv {
void registerOverviewPages();
}
