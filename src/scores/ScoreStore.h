// Where the bytes of the high-score list live. The file is untrusted input: whatever it holds,
// loading gives its bytes and the reader copes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kelvarn {

// Something about the list's files that the player must be told.
struct StoreNotice {
    enum class Kind {
        // `file` could not be read; it is left as it is and records go to `keptIn` ("" when
        // there is nowhere to keep them).
        NotRead,
        // `file` may not be written; it is left as it is and records go to `keptIn`.
        ReadOnly,
        // The list could not be saved; `file` and `keptIn` are where it was tried ("" if not).
        NotSaved,
    };
    Kind kind = Kind::NotRead;
    std::string file;
    std::string keptIn;
    friend bool operator==(const StoreNotice&, const StoreNotice&) = default;
};

class ScoreStore {
  public:
    virtual ~ScoreStore() = default;
    // The stored bytes; a missing store is created empty and reads as no bytes.
    virtual std::vector<std::uint8_t> loadBytes() = 0;
    // Replaces the stored bytes whole. On failure the previous contents stay intact and false is
    // returned.
    virtual bool saveBytes(const std::vector<std::uint8_t>& bytes) = 0;
    // What the last load or save found that the player must be told, given once.
    virtual std::optional<StoreNotice> takeNotice() { return std::nullopt; }
};

} // namespace kelvarn
