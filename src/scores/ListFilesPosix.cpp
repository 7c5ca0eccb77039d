// The list file's operations on POSIX systems.
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

#include "scores/ListFiles.h"

namespace kelvarn::listfiles {

std::string text(const fs::path& path) {
    return path.string();
}

bool replaceable(const fs::path& path) {
    struct stat entry {};
    if (lstat(path.c_str(), &entry) != 0) {
        return errno == ENOENT;
    }
    struct stat file {};
    return stat(path.c_str(), &file) == 0 && S_ISREG(file.st_mode) &&
           access(path.c_str(), R_OK | W_OK) == 0;
}

namespace {

int createUnique(const fs::path& target, std::string& name) {
    name = target.string() + ".XXXXXX";
    return mkostemp(name.data(), O_CLOEXEC);
}

} // namespace

bool canCreateIn(const fs::path& folder) {
    std::string name;
    const int fd = createUnique(folder / "data.dat", name);
    if (fd < 0) {
        return false;
    }
    close(fd);
    unlink(name.c_str());
    return true;
}

void createEmpty(const fs::path& path) {
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    const int fd =
        open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd >= 0) {
        close(fd);
    }
}

void removeStaleTemporaries(const fs::path& folder, const std::string& target,
                            std::uintmax_t maxSize, int staleSeconds) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) {
        return;
    }
    const std::time_t now = std::time(nullptr);
    for (const fs::directory_entry& item : it) {
        if (!temporaryNameOf(item.path().filename().string(), target)) {
            continue;
        }
        struct stat entry {};
        if (lstat(item.path().c_str(), &entry) == 0 && S_ISREG(entry.st_mode) &&
            entry.st_uid == geteuid() && entry.st_nlink == 1 &&
            std::uintmax_t(entry.st_size) <= maxSize && now - entry.st_mtime >= staleSeconds) {
            unlink(item.path().c_str());
        }
    }
}

Outcome createTemporary(const fs::path& target, Handle& handle, fs::path& temporary) {
    std::string name;
    handle = createUnique(target, name);
    if (handle < 0) {
        return errno == EACCES || errno == EPERM || errno == EROFS || errno == ENOENT
                   ? Outcome::Unwritable
                   : Outcome::Failed;
    }
    temporary = name;
    // mkstemp makes the file private; give it the previous file's permissions, or the usual ones.
    struct stat previous {};
    fchmod(handle, stat(target.c_str(), &previous) == 0 ? previous.st_mode & 07777 : 0644);
    return Outcome::Done;
}

long write(Handle handle, const std::uint8_t* data, std::size_t size) {
    return long(::write(handle, data, size));
}

bool flushAndClose(Handle handle) {
    const bool flushed = fsync(handle) == 0;
    return close(handle) == 0 && flushed;
}

Outcome replaceWith(const fs::path& temporary, const fs::path& target) {
    // rename replaces a symbolic link itself, never the file it points to.
    return rename(temporary.c_str(), target.c_str()) == 0 ? Outcome::Done : Outcome::Failed;
}

void remove(const fs::path& path) {
    unlink(path.c_str());
}

void moveIfNothingThere(const fs::path& from, const fs::path& to) {
    struct stat entry {};
    if (lstat(from.c_str(), &entry) != 0 || !S_ISREG(entry.st_mode) ||
        lstat(to.c_str(), &entry) == 0 || errno != ENOENT) {
        return;
    }
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0 &&
        (errno == EINVAL || errno == ENOSYS) && link(from.c_str(), to.c_str()) == 0) {
        unlink(from.c_str());
    }
}

void syncFolder(const fs::path& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

} // namespace kelvarn::listfiles
