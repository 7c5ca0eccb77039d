// The score file's two possible homes on this machine: the program's folder, and the user's data
// folder for when the program's folder cannot be written.
#pragma once

#include <memory>

#include "scores/FileScoreStore.h"

namespace kelvarn {

// Needs a QCoreApplication (for the program's folder and the application's name).
std::unique_ptr<FileScoreStore> makeFileScoreStore();

} // namespace kelvarn
