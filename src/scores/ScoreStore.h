// Where the bytes of the high-score list live. The file is untrusted input: whatever it holds,
// loading gives its bytes and the reader copes.
#pragma once

#include <cstdint>
#include <vector>

namespace kelvarn {

class ScoreStore {
  public:
    virtual ~ScoreStore() = default;
    // The stored bytes; a missing store is created empty and reads as no bytes.
    virtual std::vector<std::uint8_t> loadBytes() = 0;
    // Replaces the stored bytes whole. On failure the previous contents stay intact and false is
    // returned.
    virtual bool saveBytes(const std::vector<std::uint8_t>& bytes) = 0;
};

} // namespace kelvarn
