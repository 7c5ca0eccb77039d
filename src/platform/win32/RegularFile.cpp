// Reading a regular file on Windows: a folder, a device or a pipe under the name is never read.
#include "platform/RegularFile.h"

#include <windows.h>

#include <algorithm>

namespace kelvarn {

RegularFile readRegularFile(const std::filesystem::path& path, std::size_t limit) {
    using Found = RegularFile::Found;
    // Others may go on reading, writing and even replacing the file while we read it.
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        const bool nothing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return {nothing ? Found::Missing : Found::Unreadable, {}};
    }
    RegularFile result{Found::Unreadable, {}};
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &info) &&
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        std::vector<std::uint8_t> bytes(limit);
        std::size_t got = 0;
        bool ok = true;
        while (got < bytes.size()) {
            DWORD n = 0;
            const DWORD want = DWORD(std::min<std::size_t>(bytes.size() - got, 1u << 20));
            if (!ReadFile(file, bytes.data() + got, want, &n, nullptr)) {
                ok = false;
                break;
            }
            if (n == 0) {
                break;
            }
            got += n;
        }
        if (ok) {
            bytes.resize(got);
            result = {Found::Read, std::move(bytes)};
        }
    }
    CloseHandle(file);
    return result;
}

} // namespace kelvarn
