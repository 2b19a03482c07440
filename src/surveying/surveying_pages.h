#pragma once
// Registers the surveying windows the main menu opens.
namespace bv {
void registerSurveyingPages();
}
