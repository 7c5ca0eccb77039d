#include "scores/FileScoreStore.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

#include "platform/RegularFile.h"
#include "scores/HeroList.h"

namespace kelvarn {
namespace fs = std::filesystem;

namespace {

// Reads a list file without ever waiting on it: only a regular file, or a symbolic link to one,
// is read, and no more of it than a list could reach.
RegularFile readList(const fs::path& path) {
    return readRegularFile(path, FileScoreStore::ReadLimit);
}

// Whether a save may replace whatever is at `path`: nothing, or a regular file (or a link to
// one) that we may write. A read-only list is left as it is, and so is anything we could not
// have read.
bool replaceable(const fs::path& path) {
    struct stat entry {};
    if (lstat(path.c_str(), &entry) != 0) {
        return errno == ENOENT;
    }
    struct stat file {};
    return stat(path.c_str(), &file) == 0 && S_ISREG(file.st_mode) &&
           access(path.c_str(), R_OK | W_OK) == 0;
}

// Creates a new, uniquely named file beside `target`; its descriptor (or -1) and its name.
int createTemporary(const fs::path& target, std::string& name) {
    name = target.string() + ".XXXXXX";
    return mkostemp(name.data(), O_CLOEXEC);
}

bool canCreateIn(const fs::path& folder) {
    std::string name;
    const int fd = createTemporary(folder / FileScoreStore::FileName, name);
    if (fd < 0) {
        return false;
    }
    close(fd);
    unlink(name.c_str());
    return true;
}

// Creates an empty file where there is nothing yet; never through a link.
void createEmpty(const fs::path& path) {
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    const int fd =
        open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd >= 0) {
        close(fd);
    }
}

// Whether `name` is `target` followed by a dot and the six letters or digits mkstemp puts there.
bool temporaryNameOf(const std::string& name, const std::string& target) {
    if (name.size() != target.size() + 7 || name.compare(0, target.size(), target) != 0 ||
        name[target.size()] != '.') {
        return false;
    }
    for (std::size_t i = target.size() + 1; i < name.size(); ++i) {
        const char c = name[i];
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) {
            return false;
        }
    }
    return true;
}

// Removes what an interrupted save of `target` left in `folder`: files named as our temporary
// files are, plain files of ours no larger than a list, untouched for a while (a save in
// progress elsewhere is never disturbed). Nothing else, whatever its name.
void removeStaleTemporaries(const fs::path& folder, const std::string& target) {
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
            entry.st_size <= off_t(HeroFileSize) &&
            now - entry.st_mtime >= FileScoreStore::StaleSeconds) {
            unlink(item.path().c_str());
        }
    }
}

// Flushes a folder's entries, so that a rename in it survives a power cut. Best effort.
void syncFolder(const fs::path& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

} // namespace

FileScoreStore::FileScoreStore(fs::path programFolder, fs::path fallbackFolder)
    : programFolder_(std::move(programFolder)), fallbackFolder_(std::move(fallbackFolder)),
      fallbackName_(fallbackName(programFolder_)) {}

std::string FileScoreStore::fallbackName(const fs::path& programFolder) {
    std::error_code ec;
    fs::path folder = fs::weakly_canonical(programFolder, ec);
    if (ec) {
        folder = fs::absolute(programFolder, ec).lexically_normal();
    }
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (const char c : folder.string()) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3u;
    }
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash));
    return std::string("data-") + digits + ".dat";
}

fs::path FileScoreStore::fallbackFile() const {
    return fallbackFolder_.empty() ? fs::path() : fallbackFolder_ / fallbackName_;
}

fs::path FileScoreStore::sharedFallbackFile() const {
    return fallbackFolder_.empty() ? fs::path() : fallbackFolder_ / FileName;
}

std::optional<StoreNotice> FileScoreStore::takeNotice() {
    std::optional<StoreNotice> notice;
    notice.swap(notice_);
    return notice;
}

std::vector<std::uint8_t> FileScoreStore::loadBytes() {
    using Found = RegularFile::Found;
    notice_.reset();
    removeStaleTemporaries(programFolder_, FileName);
    if (!fallbackFolder_.empty()) {
        removeStaleTemporaries(fallbackFolder_, fallbackName_);
        removeStaleTemporaries(fallbackFolder_, FileName);
    }

    const fs::path program = programFile();
    RegularFile own = readList(program);
    const bool folderWritable = canCreateIn(programFolder_);
    if (folderWritable &&
        (own.found == Found::Missing || (own.found == Found::Read && replaceable(program)))) {
        home_ = Home::Program;
        if (own.found == Found::Missing) {
            createEmpty(program);
        }
        return takeBackFallback(std::move(own.bytes));
    }

    // The program's own list cannot be read, or cannot be written where it is.
    if (fallbackFolder_.empty()) {
        home_ = own.found == Found::Unreadable ? Home::Nowhere : Home::Program;
        if (own.found == Found::Unreadable) {
            notice_ = StoreNotice{StoreNotice::Kind::NotRead, program.string(), ""};
        }
        return std::move(own.bytes);
    }
    if (!folderWritable) {
        adoptSharedFallback();
    }
    const fs::path fallback = fallbackFile();
    RegularFile kept = readList(fallback);
    if (kept.found == Found::Read) {
        home_ = Home::Fallback;
        return std::move(kept.bytes);
    }
    if (kept.found == Found::Unreadable) {
        home_ = Home::Nowhere;
        notice_ = StoreNotice{StoreNotice::Kind::NotRead, fallback.string(), ""};
        return std::move(own.bytes);
    }
    // The list moves to the user's data folder now. An installed game, whose folder is simply
    // not ours to write, does so quietly; anything else the player hears about, once.
    home_ = Home::Fallback;
    if (own.found == Found::Unreadable) {
        notice_ = StoreNotice{StoreNotice::Kind::NotRead, program.string(), fallback.string()};
    } else if (own.found == Found::Read && folderWritable) {
        notice_ = StoreNotice{StoreNotice::Kind::ReadOnly, program.string(), fallback.string()};
    }
    if (own.found != Found::Read) {
        createEmpty(fallback);
    }
    return std::move(own.bytes);
}

// Records saved in the fallback file while the program's list could not be used join that list
// again once it can: the best ten of both, saved into data.dat, and only then is the fallback
// file removed. A crash in between merges the same records again at the next start, and as each
// record is kept once, nothing is lost and nothing doubled. While the merged list cannot be saved
// the fallback file stays, and the merged list is what the game shows and saves.
std::vector<std::uint8_t> FileScoreStore::takeBackFallback(std::vector<std::uint8_t> own) {
    const fs::path fallback = fallbackFile();
    if (fallback.empty()) {
        return own;
    }
    const RegularFile kept = readList(fallback);
    if (kept.found != RegularFile::Found::Read) {
        return own;
    }
    std::vector<std::uint8_t> merged =
        encodeHeroList(mergeHeroLists(decodeHeroList(own), decodeHeroList(kept.bytes)));
    if (replace(programFile(), merged) == Saved::Yes) {
        unlink(fallback.c_str());
        syncFolder(fallbackFolder_);
    }
    return merged;
}

// Before each program folder had a fallback file of its own, all of them shared one, written only
// by copies whose folder could not be written. Such a copy takes it over as its own, moving it
// (never copying), so that no other copy can take the same list; a copy whose folder can be
// written never wrote it and leaves it alone.
void FileScoreStore::adoptSharedFallback() {
    const fs::path shared = sharedFallbackFile();
    const fs::path own = fallbackFile();
    struct stat entry {};
    if (lstat(shared.c_str(), &entry) != 0 || !S_ISREG(entry.st_mode) ||
        lstat(own.c_str(), &entry) == 0 || errno != ENOENT) {
        return;
    }
    if (renameat2(AT_FDCWD, shared.c_str(), AT_FDCWD, own.c_str(), RENAME_NOREPLACE) != 0 &&
        (errno == EINVAL || errno == ENOSYS) && link(shared.c_str(), own.c_str()) == 0) {
        unlink(shared.c_str());
    }
}

bool FileScoreStore::saveBytes(const std::vector<std::uint8_t>& bytes) {
    notice_.reset();
    std::string tried;
    if (home_ == Home::Program) {
        const Saved saved = replace(programFile(), bytes);
        if (saved == Saved::Yes) {
            return true;
        }
        tried = programFile().string();
        if (saved == Saved::Unwritable && !fallbackFolder_.empty()) {
            home_ = Home::Fallback;
        }
    }
    if (home_ == Home::Fallback) {
        std::error_code ec;
        fs::create_directories(fallbackFolder_, ec);
        if (replace(fallbackFile(), bytes) == Saved::Yes) {
            return true;
        }
        notice_ = StoreNotice{StoreNotice::Kind::NotSaved, tried, fallbackFile().string()};
        return false;
    }
    notice_ = StoreNotice{StoreNotice::Kind::NotSaved, tried, ""};
    return false;
}

FileScoreStore::Saved FileScoreStore::replace(const fs::path& target,
                                              const std::vector<std::uint8_t>& bytes) {
    if (!replaceable(target)) {
        return Saved::Unwritable;
    }
    std::string temporary;
    const int fd = createTemporary(target, temporary);
    if (fd < 0) {
        return errno == EACCES || errno == EPERM || errno == EROFS || errno == ENOENT
                   ? Saved::Unwritable
                   : Saved::Failed;
    }
    // mkstemp makes the file private; give it the previous file's permissions, or the usual ones.
    struct stat previous {};
    fchmod(fd, stat(target.c_str(), &previous) == 0 ? previous.st_mode & 07777 : 0644);

    bool ok = writeAll(fd, bytes) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    // rename replaces a symbolic link itself, never the file it points to.
    ok = ok && rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        unlink(temporary.c_str());
        return Saved::Failed;
    }
    syncFolder(target.parent_path());
    return Saved::Yes;
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
