#pragma once

#include <QString>

namespace tallyra {

// Where the user's readme lies: beside the program (a build folder, a Windows install), else
// in the installed data folder <prefix>/share/tallyra. When neither holds it, the path beside
// the program, so that the viewer names the missing file.
QString ReadmePath();

} // namespace tallyra
