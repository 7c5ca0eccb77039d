// The list file's operations on Windows, with UTF-16 paths throughout. A save writes a temporary
// file beside the list, flushes it to the disk and puts it in the list's place with MoveFileExW
// (MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH). Virus scanners and indexers open files for
// a moment without letting others delete them: a step that meets such a sharing violation is tried
// again for a short while, and a list still held after that is left as it is.
#include <windows.h>

#include "platform/win32/Utf16.h"
#include "scores/ListFiles.h"

namespace kelvarn::listfiles {
namespace {

// How long a save waits for another program to let go of the list, in steps of RetryStepMs.
constexpr DWORD RetryForMs = 2000;
constexpr DWORD RetryStepMs = 50;

bool heldByAnother(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

bool deniedForGood(DWORD error) {
    return error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT ||
           error == ERROR_PATH_NOT_FOUND || error == ERROR_FILE_READ_ONLY;
}

// Runs `step` until it succeeds, fails otherwise than by a sharing violation (or, where
// `deniedToo`, a denied access, which is how a rename over a file held open is refused), or the
// retry time is up. The last error is left as the step set it.
template <typename Step> bool retried(Step step, bool deniedToo = false) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (step()) {
            return true;
        }
        const DWORD error = GetLastError();
        const bool held = heldByAnother(error) || (deniedToo && error == ERROR_ACCESS_DENIED);
        if (!held || GetTickCount() - start >= RetryForMs) {
            SetLastError(error);
            return false;
        }
        Sleep(RetryStepMs);
    }
}

// Six letters or digits, different for each call.
std::wstring uniqueSuffix() {
    static unsigned long long state = [] {
        LARGE_INTEGER now{};
        QueryPerformanceCounter(&now);
        return static_cast<unsigned long long>(now.QuadPart) ^ GetCurrentProcessId();
    }();
    constexpr wchar_t Digits[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::wstring suffix;
    for (int i = 0; i < 6; ++i) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        suffix += Digits[(state >> 33) % 62];
    }
    return suffix;
}

HANDLE createNew(const fs::path& target, fs::path& name, DWORD flags) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = target;
        name += L"." + uniqueSuffix();
        const HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE | DELETE, 0, nullptr,
                                        CREATE_NEW, FILE_ATTRIBUTE_NORMAL | flags, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) {
            return file;
        }
    }
    return INVALID_HANDLE_VALUE;
}

bool attributesOf(const fs::path& path, WIN32_FILE_ATTRIBUTE_DATA& data) {
    return GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) != 0;
}

} // namespace

std::string text(const fs::path& path) {
    return win32::toUtf8(path);
}

bool replaceable(const fs::path& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!attributesOf(path, data)) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND;
    }
    if (data.dwFileAttributes &
        (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DEVICE)) {
        return false;
    }
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        // Held open by another program for the moment: ours all the same; the save waits.
        return heldByAnother(GetLastError());
    }
    const bool disk = GetFileType(file) == FILE_TYPE_DISK;
    CloseHandle(file);
    return disk;
}

bool canCreateIn(const fs::path& folder) {
    fs::path name;
    const HANDLE file = createNew(folder / L"data.dat", name, FILE_FLAG_DELETE_ON_CLOSE);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    return true;
}

void createEmpty(const fs::path& path) {
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
    }
}

void removeStaleTemporaries(const fs::path& folder, const std::string& target,
                            std::uintmax_t maxSize, int staleSeconds) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) {
        return;
    }
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const auto ticks = [](FILETIME t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    for (const fs::directory_entry& item : it) {
        if (!temporaryNameOf(text(item.path().filename()), target)) {
            continue;
        }
        // Opened without following a link, and kept from others while we look at it.
        const HANDLE file = CreateFileW(item.path().c_str(), GENERIC_READ | DELETE, 0, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            continue;
        }
        BY_HANDLE_FILE_INFORMATION info{};
        const bool stale =
            GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &info) &&
            (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) ==
                0 &&
            info.nNumberOfLinks == 1 &&
            ((static_cast<unsigned long long>(info.nFileSizeHigh) << 32) | info.nFileSizeLow) <=
                maxSize &&
            ticks(now) >= ticks(info.ftLastWriteTime) &&
            ticks(now) - ticks(info.ftLastWriteTime) >=
                static_cast<unsigned long long>(staleSeconds) * 10'000'000ull;
        if (stale) {
            FILE_DISPOSITION_INFO dispose{TRUE};
            SetFileInformationByHandle(file, FileDispositionInfo, &dispose, sizeof dispose);
        }
        CloseHandle(file);
    }
}

Outcome createTemporary(const fs::path& target, Handle& handle, fs::path& temporary) {
    handle = createNew(target, temporary, 0);
    if (handle == INVALID_HANDLE_VALUE) {
        return deniedForGood(GetLastError()) ? Outcome::Unwritable : Outcome::Failed;
    }
    return Outcome::Done;
}

long write(Handle handle, const std::uint8_t* data, std::size_t size) {
    DWORD written = 0;
    const DWORD want = DWORD(size < (1u << 30) ? size : (1u << 30));
    return WriteFile(handle, data, want, &written, nullptr) ? long(written) : -1;
}

bool flushAndClose(Handle handle) {
    const bool flushed = FlushFileBuffers(handle) != 0;
    return CloseHandle(handle) != 0 && flushed;
}

Outcome replaceWith(const fs::path& temporary, const fs::path& target) {
    // One rename over the list, written through to the disk before it returns. (ReplaceFileW
    // would keep the list's own security settings, but leaves files of its own behind in the
    // folder when another program holds the list.) The list was found writable just before, so
    // a denied access here is another program holding it.
    const bool done = retried(
        [&] {
            return MoveFileExW(temporary.c_str(), target.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
        },
        true);
    if (done) {
        return Outcome::Done;
    }
    // Still held by another program, or kept from us: the list stays as it is, and the records
    // go where they can be kept.
    const DWORD error = GetLastError();
    return heldByAnother(error) || deniedForGood(error) ? Outcome::Unwritable : Outcome::Failed;
}

void remove(const fs::path& path) {
    retried([&] { return DeleteFileW(path.c_str()) != 0; });
}

void moveIfNothingThere(const fs::path& from, const fs::path& to) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!attributesOf(from, data) ||
        (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))) {
        return;
    }
    // Without MOVEFILE_REPLACE_EXISTING the move fails if anything is at `to`.
    MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH);
}

void syncFolder(const fs::path&) {
    // MOVEFILE_WRITE_THROUGH has written the folder's entries already.
}

} // namespace kelvarn::listfiles
