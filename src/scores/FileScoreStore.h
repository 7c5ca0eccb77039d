// The high-score list on disk: data.dat in the program's folder, replaced atomically on every
// save. When the program's folder cannot be written, the list lives in a fallback folder (the
// user's data folder) instead, and loading reads it from there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "scores/ScoreStore.h"

namespace kelvarn {

class FileScoreStore : public ScoreStore {
  public:
    static constexpr const char* FileName = "data.dat";
    // No list file is larger; anything past this is not read.
    static constexpr std::size_t ReadLimit = std::size_t{64} * 1024;

    // `fallbackFolder` may be empty: then there is nowhere else to go.
    FileScoreStore(std::filesystem::path programFolder, std::filesystem::path fallbackFolder);

    // Reads the file where the list was last saved: the fallback file when it exists and the
    // program's folder cannot be written or holds an older (or no) file, otherwise the program's
    // data.dat. With no file anywhere, an empty one is created where saving will put it.
    std::vector<std::uint8_t> loadBytes() override;

    // Writes a temporary file beside the target, flushes it to disk and renames it over data.dat,
    // so the previous file stays whole until the new one is complete. Goes to the fallback folder
    // when no file can be created in the program's folder.
    bool saveBytes(const std::vector<std::uint8_t>& bytes) override;

    std::filesystem::path programFile() const { return programFolder_ / FileName; }
    std::filesystem::path fallbackFile() const;

  protected:
    // Writes up to `size` bytes to the open file `fd`; the number written, or -1 on failure.
    // A seam for simulating a disk that fills up.
    virtual long writeChunk(int fd, const std::uint8_t* data, std::size_t size);

  private:
    // Replaces data.dat in `folder`. `folderUnwritable` is set when not even the temporary file
    // could be created there.
    bool replaceIn(const std::filesystem::path& folder, const std::vector<std::uint8_t>& bytes,
                   bool& folderUnwritable);
    bool writeAll(int fd, const std::vector<std::uint8_t>& bytes);

    std::filesystem::path programFolder_;
    std::filesystem::path fallbackFolder_;
};

} // namespace kelvarn
