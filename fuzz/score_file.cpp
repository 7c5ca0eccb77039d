// Feeds arbitrary bytes to the high-score file reader. Whatever the file holds, reading must
// neither crash nor read outside a record, every place must come back with texts of at most 16
// characters, and writing the list back must give a 540-byte file that reads back to itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "scores/Gbk.h"
#include "scores/HeroList.h"

namespace {

void require(bool condition) {
    if (!condition) {
        std::abort();
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
    require(encodeHeroList(decodeHeroList(written)) == written);
    return 0;
}
