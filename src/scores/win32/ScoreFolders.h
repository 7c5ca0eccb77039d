// The score file's two possible homes on Windows: the program's folder, and
// %APPDATA%\Kelvarn\Kelvarn for while the program folder's own list cannot be read or written
// there (an installed game in Program Files).
#pragma once

#include <filesystem>
#include <memory>

#include "scores/FileScoreStore.h"

namespace kelvarn {

// The folder kelvarn.exe is in.
std::filesystem::path programFolder();
// The user's roaming application data folder followed by Kelvarn\Kelvarn, or empty where the
// system has none.
std::filesystem::path userScoreFolder();

std::unique_ptr<FileScoreStore> makeFileScoreStore();

} // namespace kelvarn
