// Sound effects on Windows: sound\<name>.wav from the program's folder through PlaySoundW,
// asynchronous and without the system's default sound; a new sound stops the one still playing.
// Only a regular file is ever handed over: a missing file, a folder or a device under that
// name stays silent, as does a system without sound output.
#pragma once

#include <filesystem>
#include <string>

#include "platform/Services.h"

namespace kelvarn {

class Win32SoundPlayer : public SoundPlayer {
  public:
    explicit Win32SoundPlayer(std::filesystem::path soundFolder);
    void playSound(const std::string& name) override;

    // The file a sound name stands for; its name is used as it stands, case and all.
    std::filesystem::path fileOf(const std::string& name) const;
    // Whether `file` is a regular file that can be opened for reading.
    static bool playable(const std::filesystem::path& file);

  private:
    std::filesystem::path folder_;
};

} // namespace kelvarn
