#pragma once
// Application-wide set-up shared by the program and the tests.
#include <QString>

namespace bv {

// Right-to-left layout and the Persian font for the whole application. Returns
// the font family in use.
QString setUpApplication();

// Ends the run's windows and connections while the application object lives.
void shutDownApplication();

// The folder of the program's fonts.
QString fontFolder();

}  // namespace bv
