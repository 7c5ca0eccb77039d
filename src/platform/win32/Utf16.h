// UTF-8 (every text of the game) to and from UTF-16 (every wide Win32 call), at the Win32
// boundary only. An invalid UTF-8 sequence becomes U+FFFD, as does an unpaired surrogate on the
// way back: nothing is ever dropped silently.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace kelvarn::win32 {

inline std::wstring toUtf16(std::string_view utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring wide(std::size_t(size > 0 ? size : 0), L'\0');
    if (size > 0) {
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), size);
    }
    return wide;
}

inline std::string toUtf8(std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string utf8(std::size_t(size > 0 ? size : 0), '\0');
    if (size > 0) {
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), utf8.data(), size, nullptr,
                            nullptr);
    }
    return utf8;
}

// A path as the UTF-8 text the rest of the program shows and hashes.
inline std::string toUtf8(const std::filesystem::path& path) {
    return toUtf8(std::wstring_view(path.native()));
}

} // namespace kelvarn::win32
