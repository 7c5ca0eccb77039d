// The score file's two possible homes on this machine: the program's folder, and the user's data
// folder (~/.local/share/Kelvarn/Kelvarn) for while the program folder's own list cannot be read
// or written there.
#pragma once

#include <memory>

#include "scores/FileScoreStore.h"

namespace kelvarn {

// Needs a QCoreApplication (for the program's folder and the application's name).
std::unique_ptr<FileScoreStore> makeFileScoreStore();

} // namespace kelvarn
