#include "platform/win32/Win32Sound.h"

#include <windows.h>

#include <mmsystem.h>

#include "platform/win32/Utf16.h"

namespace kelvarn {

Win32SoundPlayer::Win32SoundPlayer(std::filesystem::path soundFolder)
    : folder_(std::move(soundFolder)) {}

std::filesystem::path Win32SoundPlayer::fileOf(const std::string& name) const {
    return folder_ / (win32::toUtf16(name) + L".wav");
}

bool Win32SoundPlayer::playable(const std::filesystem::path& file) {
    // Opening a device or a pipe for reading does not wait; only a file on a disk passes.
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool regular = GetFileType(handle) == FILE_TYPE_DISK &&
                         GetFileInformationByHandle(handle, &info) != 0 &&
                         (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    CloseHandle(handle);
    return regular;
}

void Win32SoundPlayer::playSound(const std::string& name) {
    const std::filesystem::path file = fileOf(name);
    if (playable(file)) {
        PlaySoundW(file.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
    }
}

} // namespace kelvarn
