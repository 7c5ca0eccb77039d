#include "scores/FileScoreStore.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

#include "platform/RegularFile.h"
#include "scores/HeroList.h"
#include "scores/ListFiles.h"

namespace kelvarn {
namespace fs = std::filesystem;
using namespace listfiles;

namespace {

// Reads a list file without ever waiting on it: only a regular file, or a symbolic link to one,
// is read, and no more of it than a list could reach.
RegularFile readList(const fs::path& path) {
    return readRegularFile(path, FileScoreStore::ReadLimit);
}

void removeStaleTemporaries(const fs::path& folder, const std::string& target) {
    listfiles::removeStaleTemporaries(folder, target, HeroFileSize, FileScoreStore::StaleSeconds);
}

} // namespace

// Temporary files are named after their target, with a dot and six letters or digits after it.
bool listfiles::temporaryNameOf(const std::string& name, const std::string& target) {
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
    for (const char c : text(folder)) {
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
            notice_ = StoreNotice{StoreNotice::Kind::NotRead, text(program), ""};
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
        notice_ = StoreNotice{StoreNotice::Kind::NotRead, text(fallback), ""};
        return std::move(own.bytes);
    }
    // The list moves to the user's data folder now. An installed game, whose folder is simply
    // not ours to write, does so quietly; anything else the player hears about, once.
    home_ = Home::Fallback;
    if (own.found == Found::Unreadable) {
        notice_ = StoreNotice{StoreNotice::Kind::NotRead, text(program), text(fallback)};
    } else if (own.found == Found::Read && folderWritable) {
        notice_ = StoreNotice{StoreNotice::Kind::ReadOnly, text(program), text(fallback)};
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
        listfiles::remove(fallback);
        syncFolder(fallbackFolder_);
    }
    return merged;
}

// Before each program folder had a fallback file of its own, all of them shared one, written only
// by copies whose folder could not be written. Such a copy takes it over as its own, moving it
// (never copying), so that no other copy can take the same list; a copy whose folder can be
// written never wrote it and leaves it alone.
void FileScoreStore::adoptSharedFallback() {
    moveIfNothingThere(sharedFallbackFile(), fallbackFile());
}

bool FileScoreStore::saveBytes(const std::vector<std::uint8_t>& bytes) {
    notice_.reset();
    std::string tried;
    if (home_ == Home::Program) {
        const Saved saved = replace(programFile(), bytes);
        if (saved == Saved::Yes) {
            return true;
        }
        tried = text(programFile());
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
        notice_ = StoreNotice{StoreNotice::Kind::NotSaved, tried, text(fallbackFile())};
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
    Handle handle{};
    fs::path temporary;
    const Outcome created = createTemporary(target, handle, temporary);
    if (created != Outcome::Done) {
        return created == Outcome::Unwritable ? Saved::Unwritable : Saved::Failed;
    }
    const bool written = writeAll(handle, bytes);
    const Outcome replaced =
        flushAndClose(handle) && written ? replaceWith(temporary, target) : Outcome::Failed;
    if (replaced != Outcome::Done) {
        listfiles::remove(temporary);
        return replaced == Outcome::Unwritable ? Saved::Unwritable : Saved::Failed;
    }
    syncFolder(target.parent_path());
    return Saved::Yes;
}

bool FileScoreStore::writeAll(Handle handle, const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        errno = 0;
        const long written = writeChunk(handle, bytes.data() + done, bytes.size() - done);
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

long FileScoreStore::writeChunk(Handle handle, const std::uint8_t* data, std::size_t size) {
    return listfiles::write(handle, data, size);
}

} // namespace kelvarn
