#include "platform/RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvarn {

RegularFile readRegularFile(const std::filesystem::path& path, std::size_t limit) {
    using Found = RegularFile::Found;
    // Only a regular file is opened at all: opening some devices does something by itself.
    struct stat entry {};
    if (stat(path.c_str(), &entry) != 0) {
        struct stat link {};
        const bool nothing = errno == ENOENT && lstat(path.c_str(), &link) != 0;
        return {nothing ? Found::Missing : Found::Unreadable, {}};
    }
    if (!S_ISREG(entry.st_mode)) {
        return {Found::Unreadable, {}};
    }
    // Non-blocking: should the path have become a FIFO since, the open still returns at once,
    // and the type is checked again on what was opened.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return {Found::Unreadable, {}};
    }
    RegularFile file{Found::Unreadable, {}};
    struct stat opened {};
    if (fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode)) {
        std::vector<std::uint8_t> bytes(
            std::min(limit, std::size_t(std::max<off_t>(opened.st_size, 0)) + 1));
        std::size_t got = 0;
        bool ok = true;
        for (;;) {
            if (got == bytes.size()) {
                if (got >= limit) {
                    break;
                }
                bytes.resize(std::min(limit, got * 2 + 4096)); // the file grew meanwhile
            }
            const ssize_t n = read(fd, bytes.data() + got, bytes.size() - got);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                ok = n == 0;
                break;
            }
            got += std::size_t(n);
        }
        if (ok) {
            bytes.resize(got);
            file = {Found::Read, std::move(bytes)};
        }
    }
    close(fd);
    return file;
}

} // namespace kelvarn
