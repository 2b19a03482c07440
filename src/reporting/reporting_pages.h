#pragma once
// Registers the reporting windows with the main menu, and the credits report
// with the survey and studies browsers.
namespace bv {

void registerReportingPages();

}  // namespace bv
