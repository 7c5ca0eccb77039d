// Feeds arbitrary bytes to the high-score file reader. Whatever the file holds, reading must
// neither crash nor read outside a record, every place must come back with texts of at most 16
// characters, writing the list back must give a 540-byte file that keeps every score and every
// text that was valid code page 936 byte for byte, and that file must read back to itself.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "scores/Gbk.h"
#include "scores/HeroList.h"

namespace {

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// Record `number` (from 1) of a file, zeros where the file ends.
std::vector<std::uint8_t> record(const std::vector<std::uint8_t>& bytes, int number) {
    std::vector<std::uint8_t> out(18, 0);
    const std::size_t offset = std::size_t(number - 1) * 18;
    for (std::size_t i = 0; i < 18 && offset + i < bytes.size(); ++i) {
        out[i] = bytes[offset + i];
    }
    return out;
}

// The text bytes a counted string record holds: at most its count, 16, and what the file has.
std::string storedText(const std::vector<std::uint8_t>& bytes, int number) {
    const std::vector<std::uint8_t> r = record(bytes, number);
    const std::size_t offset = std::size_t(number - 1) * 18;
    const std::size_t present = bytes.size() > offset + 2 ? bytes.size() - offset - 2 : 0;
    const std::size_t length =
        std::min({std::size_t(r[0] | (r[1] << 8)), std::size_t(16), present});
    return std::string(r.begin() + 2, r.begin() + 2 + std::ptrdiff_t(length));
}

// Whether every byte of a text belongs to a character of code page 936: a single byte below 0x81
// (0x80 is the euro sign), or a lead byte 81-FE followed by a trail byte 40-7E or 80-FE. The code
// page maps every such pair, so the text must be written back exactly.
bool validText(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte <= 0x80) {
            continue;
        }
        if (byte == 0xFF || i + 1 == text.size()) {
            return false;
        }
        const auto trail = static_cast<unsigned char>(text[++i]);
        if (trail < 0x40 || trail == 0x7F || trail == 0xFF) {
            return false;
        }
    }
    return true;
}

void requireKeptIfValid(const std::vector<std::uint8_t>& in, const std::vector<std::uint8_t>& out,
                        int number) {
    const std::string text = storedText(in, number);
    if (validText(text)) {
        require(storedText(out, number) == text);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvarn;
    const std::vector<std::uint8_t> bytes(data, data + size);
    const HeroTable list = decodeHeroList(bytes);
    for (int k = 1; k <= HeroTable::size; ++k) {
        require(gbk::characterCount(list[k].entryName) <= MaxTextBytes);
        require(gbk::characterCount(list[k].entryDate) <= MaxTextBytes);
    }
    const std::vector<std::uint8_t> written = encodeHeroList(list);
    require(written.size() == HeroFileSize);
    for (int k = 1; k <= HeroTable::size; ++k) {
        requireKeptIfValid(bytes, written, 3 * k - 2);
        const std::vector<std::uint8_t> score = record(bytes, 3 * k - 1);
        require(
            std::equal(score.begin(), score.begin() + 4, written.begin() + (3 * k - 1 - 1) * 18));
        requireKeptIfValid(bytes, written, 3 * k);
    }
    require(encodeHeroList(decodeHeroList(written)) == written);
    return 0;
}
