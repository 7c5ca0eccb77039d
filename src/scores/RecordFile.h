// A file of fixed-length records over its bytes in memory, records numbered from 1. Reading a
// record that lies beyond the end (wholly or partly) gives zeros for the missing bytes; writing
// beyond the end first fills the gap with zeros.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace kelvarn {

class RecordFile {
  public:
    static constexpr std::size_t RecordLength = 18;
    using Record = std::array<std::uint8_t, RecordLength>;

    RecordFile() = default;
    explicit RecordFile(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    // Record `number` (1 and up); a record number below 1 reads as zeros.
    Record read(int number) const;
    // How many bytes of record `number` the file holds: 18, fewer for a record cut by the end, 0
    // beyond it.
    std::size_t presentBytes(int number) const;
    // Writes record `number` (1 and up); a number below 1 is ignored.
    void write(int number, const Record& record);

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

  private:
    std::vector<std::uint8_t> bytes_;
};

} // namespace kelvarn
