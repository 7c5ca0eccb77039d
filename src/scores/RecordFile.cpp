#include "scores/RecordFile.h"

#include <algorithm>

namespace kelvarn {

std::size_t RecordFile::presentBytes(int number) const {
    if (number < 1) {
        return 0;
    }
    const std::size_t offset = std::size_t(number - 1) * RecordLength;
    return offset >= bytes_.size() ? 0 : std::min(RecordLength, bytes_.size() - offset);
}

RecordFile::Record RecordFile::read(int number) const {
    Record record{};
    const std::size_t present = presentBytes(number);
    if (present > 0) {
        const std::size_t offset = std::size_t(number - 1) * RecordLength;
        std::copy_n(bytes_.begin() + std::ptrdiff_t(offset), present, record.begin());
    }
    return record;
}

void RecordFile::write(int number, const Record& record) {
    if (number < 1) {
        return;
    }
    const std::size_t offset = std::size_t(number - 1) * RecordLength;
    if (bytes_.size() < offset + RecordLength) {
        bytes_.resize(offset + RecordLength, 0);
    }
    std::copy(record.begin(), record.end(), bytes_.begin() + std::ptrdiff_t(offset));
}

} // namespace kelvarn
