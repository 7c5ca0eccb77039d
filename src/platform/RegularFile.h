// Reading a file that must be a plain file on disk, without ever waiting on it: the high-score
// list and the sound files are read this way, so that a FIFO, a device or a folder in their place
// can neither hold up the program nor feed it without end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace kelvarn {

struct RegularFile {
    enum class Found {
        Missing,    // nothing at all at the path
        Unreadable, // a FIFO, a device, a folder, a dangling link, or a file we may not read
        Read,
    };
    Found found = Found::Missing;
    std::vector<std::uint8_t> bytes;
};

// Reads the regular file at `path`, or the one a symbolic link there leads to, up to `limit`
// bytes; anything past that is not read. Nothing that is not a regular file is ever opened for
// reading in a way that could wait.
RegularFile readRegularFile(const std::filesystem::path& path, std::size_t limit);

} // namespace kelvarn
