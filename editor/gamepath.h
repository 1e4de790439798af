// Paths as the game writes them ("img\\scout\\sc0001.bmp"): '\' separates the
// parts and the case of a name may differ from the file's on disk.
#pragma once

#include <QString>

namespace hull {

// The file on disk that `gamePath` names, relative to the working directory:
// each part matches an existing entry exactly or, failing that, ignoring case.
// A part that matches nothing is kept as written.
QString ResolveGamePath(const QString& gamePath);

// True when the file that `gamePath` names exists as a regular file.
bool GameFileExists(const QString& gamePath);

}  // namespace hull
