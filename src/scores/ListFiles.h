// The few file operations the list file stands on, one implementation per system: POSIX in
// scores/ListFilesPosix.cpp, Win32 in scores/win32/ListFiles.cpp. What the list does with them
// (which file is its home, when the player is told, the fallback file's name) is FileScoreStore's
// and the same everywhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/RegularFile.h"

namespace kelvarn::listfiles {

namespace fs = std::filesystem;

#ifdef _WIN32
using Handle = void*; // a file HANDLE
#else
using Handle = int; // a file descriptor
#endif

// A path as the UTF-8 text that notices show and the fallback file's name is made from.
std::string text(const fs::path& path);

// Whether a save may replace whatever is at `path`: nothing, or a regular file (or a link to
// one) that we may read and write. A read-only list is left as it is, and so is anything we
// could not have read.
bool replaceable(const fs::path& path);

// Whether a new file can be created in `folder` (tried, and taken away again).
bool canCreateIn(const fs::path& folder);

// Creates an empty file (and its folder) where there is nothing yet; never through a link.
void createEmpty(const fs::path& path);

// Removes what interrupted saves of the file `target` left in `folder`: regular files named as
// our temporary files are (see temporaryNameOf), of ours where the system says whose a file is,
// with one name only, no larger than `maxSize` and untouched for `staleSeconds`. Nothing else,
// whatever its name: a save in progress elsewhere is never disturbed.
void removeStaleTemporaries(const fs::path& folder, const std::string& target,
                            std::uintmax_t maxSize, int staleSeconds);

// Whether `name` is `target` followed by a dot and six letters or digits.
bool temporaryNameOf(const std::string& name, const std::string& target);

enum class Outcome { Done, Unwritable, Failed };

// Creates a new, uniquely named temporary file beside `target`, with the previous file's
// permissions where the system has them. Unwritable when the folder does not let us.
Outcome createTemporary(const fs::path& target, Handle& handle, fs::path& temporary);
// Writes up to `size` bytes; the number written, or -1 on failure.
long write(Handle handle, const std::uint8_t* data, std::size_t size);
// Flushes the file to the disk and closes it; false if either failed (it is closed anyway).
bool flushAndClose(Handle handle);
// Puts `temporary` in the place of `target` in one step: the previous file stays whole until
// the new one stands in its place. A link named like the target is replaced itself, never the
// file it leads to. Unwritable when the target is kept from us for good.
Outcome replaceWith(const fs::path& temporary, const fs::path& target);

// Removes a file; best effort.
void remove(const fs::path& path);
// Moves the regular file `from` to `to` while nothing is at `to`, never overwriting anything.
void moveIfNothingThere(const fs::path& from, const fs::path& to);
// Flushes a folder's entries, so that a rename in it survives a power cut. Best effort.
void syncFolder(const fs::path& folder);

} // namespace kelvarn::listfiles
