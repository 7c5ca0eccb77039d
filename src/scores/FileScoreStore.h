// The high-score list on disk: data.dat in the program's folder, replaced atomically on every
// save. While the program's own list cannot be read or written, the list lives in a file of the
// user's data folder that belongs to this one program folder, and is loaded from there. Once the
// program's list works again, the records kept meanwhile are merged into it.
//
// A list that could not be read is never replaced, nothing but a regular file is ever read, and
// no file is written outside the two folders: a symbolic link named data.dat is read as the file
// it points to, but a save replaces the link itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "scores/ListFiles.h"
#include "scores/ScoreStore.h"

namespace kelvarn {

class FileScoreStore : public ScoreStore {
  public:
    static constexpr const char* FileName = "data.dat";
    // No list file is larger; anything past this is not read.
    static constexpr std::size_t ReadLimit = std::size_t{64} * 1024;
    // A temporary file of ours untouched for this long belongs to a save that never finished.
    static constexpr int StaleSeconds = 60;

    // `fallbackFolder` (the user's data folder) may be empty: then there is nowhere else to go.
    FileScoreStore(std::filesystem::path programFolder, std::filesystem::path fallbackFolder);

    // Reads data.dat of the program's folder while it can be read and written (a missing one is
    // created empty); a fallback file left from a time it could not is merged into it. Otherwise
    // reads this folder's fallback file, and failing that the program's list if it can be read;
    // with no list at all it creates the fallback file empty. Before that it removes temporary
    // files left by saves that never finished.
    std::vector<std::uint8_t> loadBytes() override;

    // Writes a temporary file beside the target, flushes it to disk and renames it over the
    // target, so the previous file stays whole until the new one is complete. The target is
    // where the list was loaded from; when that is data.dat and it can no longer be written, the
    // fallback file.
    bool saveBytes(const std::vector<std::uint8_t>& bytes) override;

    std::optional<StoreNotice> takeNotice() override;

    std::filesystem::path programFile() const { return programFolder_ / FileName; }
    // This program folder's file in the user's data folder, or empty without that folder.
    std::filesystem::path fallbackFile() const;
    // The file every program folder shared in the user's data folder before each got its own.
    std::filesystem::path sharedFallbackFile() const;
    // The fallback file's name: "data-", 16 hexadecimal digits of the FNV-1a (64-bit) hash of
    // the folder's canonical path, and ".dat".
    static std::string fallbackName(const std::filesystem::path& programFolder);

  protected:
    // Writes up to `size` bytes to the open file; the number written, or -1 on failure.
    // A seam for simulating a disk that fills up.
    virtual long writeChunk(listfiles::Handle handle, const std::uint8_t* data, std::size_t size);

  private:
    enum class Home { Program, Fallback, Nowhere };
    enum class Saved { Yes, Unwritable, Failed };

    Saved replace(const std::filesystem::path& target, const std::vector<std::uint8_t>& bytes);
    bool writeAll(listfiles::Handle handle, const std::vector<std::uint8_t>& bytes);
    void adoptSharedFallback();
    // The program's own list `own`, now usable, with the records kept in the fallback file.
    std::vector<std::uint8_t> takeBackFallback(std::vector<std::uint8_t> own);

    std::filesystem::path programFolder_;
    std::filesystem::path fallbackFolder_;
    std::string fallbackName_;
    Home home_ = Home::Program;
    std::optional<StoreNotice> notice_;
};

} // namespace kelvarn
