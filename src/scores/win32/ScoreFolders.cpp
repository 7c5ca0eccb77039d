#include "scores/win32/ScoreFolders.h"

#include <windows.h>

#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>

namespace kelvarn {

std::filesystem::path programFolder() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, name.data(), DWORD(name.size()));
        if (length == 0) {
            return {};
        }
        if (length < name.size()) {
            name.resize(length);
            return std::filesystem::path(name).parent_path();
        }
        name.resize(name.size() * 2);
    }
}

std::filesystem::path userScoreFolder() {
    std::filesystem::path folder;
    PWSTR known = nullptr;
    if (SUCCEEDED(
            SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &known))) {
        folder = known;
    }
    CoTaskMemFree(known);
    if (folder.empty()) {
        wchar_t path[MAX_PATH] = {};
        if (SUCCEEDED(
                SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) {
            folder = path;
        }
    }
    return folder.empty() ? folder : folder / L"Kelvarn" / L"Kelvarn";
}

std::unique_ptr<FileScoreStore> makeFileScoreStore() {
    return std::make_unique<FileScoreStore>(programFolder(), userScoreFolder());
}

} // namespace kelvarn
