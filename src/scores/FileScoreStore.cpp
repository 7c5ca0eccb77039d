#include "scores/FileScoreStore.h"

#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace kelvarn {
namespace fs = std::filesystem;

namespace {

// Creates a new, uniquely named file beside data.dat in `folder`; its descriptor (or -1) and
// its name.
int createTemporary(const fs::path& folder, std::string& name) {
    name = (folder / (std::string(FileScoreStore::FileName) + ".XXXXXX")).string();
    return mkstemp(name.data());
}

bool folderWritable(const fs::path& folder) {
    std::string name;
    const int fd = createTemporary(folder, name);
    if (fd < 0) {
        return false;
    }
    close(fd);
    unlink(name.c_str());
    return true;
}

bool isFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool newer(const fs::path& a, const fs::path& b) {
    std::error_code ecA, ecB;
    const auto timeA = fs::last_write_time(a, ecA);
    const auto timeB = fs::last_write_time(b, ecB);
    return !ecA && !ecB && timeA > timeB;
}

std::vector<std::uint8_t> readFile(const fs::path& path) {
    std::vector<std::uint8_t> bytes(FileScoreStore::ReadLimit);
    std::ifstream in(path, std::ios::binary);
    in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
    bytes.resize(std::size_t(in.gcount()));
    return bytes;
}

void createEmpty(const fs::path& path) {
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT, 0644);
    if (fd >= 0) {
        close(fd);
    }
}

// Flushes a folder's entries, so that a rename in it survives a power cut. Best effort.
void syncFolder(const fs::path& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

} // namespace

FileScoreStore::FileScoreStore(fs::path programFolder, fs::path fallbackFolder)
    : programFolder_(std::move(programFolder)), fallbackFolder_(std::move(fallbackFolder)) {}

fs::path FileScoreStore::fallbackFile() const {
    return fallbackFolder_.empty() ? fs::path() : fallbackFolder_ / FileName;
}

std::vector<std::uint8_t> FileScoreStore::loadBytes() {
    const fs::path program = programFile();
    const fs::path fallback = fallbackFile();
    const bool writable = folderWritable(programFolder_);
    const bool haveProgram = isFile(program);
    const bool haveFallback = !fallback.empty() && isFile(fallback);

    if (haveFallback && (!writable || !haveProgram || newer(fallback, program))) {
        return readFile(fallback);
    }
    if (haveProgram) {
        return readFile(program);
    }
    createEmpty(writable || fallback.empty() ? program : fallback);
    return {};
}

bool FileScoreStore::saveBytes(const std::vector<std::uint8_t>& bytes) {
    bool unwritable = false;
    if (replaceIn(programFolder_, bytes, unwritable)) {
        return true;
    }
    if (!unwritable || fallbackFolder_.empty()) {
        return false;
    }
    std::error_code ec;
    fs::create_directories(fallbackFolder_, ec);
    return replaceIn(fallbackFolder_, bytes, unwritable);
}

bool FileScoreStore::replaceIn(const fs::path& folder, const std::vector<std::uint8_t>& bytes,
                               bool& folderUnwritable) {
    const fs::path target = folder / FileName;
    std::string temporary;
    const int fd = createTemporary(folder, temporary);
    if (fd < 0) {
        folderUnwritable = true;
        return false;
    }
    // mkstemp makes the file private; give it the previous file's permissions, or the usual ones.
    struct stat previous {};
    fchmod(fd, stat(target.c_str(), &previous) == 0 ? previous.st_mode & 07777 : 0644);

    bool ok = writeAll(fd, bytes) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    if (ok) {
        std::error_code ec;
        fs::rename(temporary, target, ec);
        ok = !ec;
    }
    if (!ok) {
        unlink(temporary.c_str());
        return false;
    }
    syncFolder(folder);
    return true;
}

bool FileScoreStore::writeAll(int fd, const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        errno = 0;
        const long written = writeChunk(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        done += std::size_t(written);
    }
    return true;
}

long FileScoreStore::writeChunk(int fd, const std::uint8_t* data, std::size_t size) {
    return long(write(fd, data, size));
}

} // namespace kelvarn
