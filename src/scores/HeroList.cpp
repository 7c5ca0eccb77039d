#include "scores/HeroList.h"

#include <algorithm>
#include <array>
#include <string>

#include "scores/Gbk.h"
#include "scores/RecordFile.h"
#include "scores/ScoreStore.h"

namespace kelvarn {
namespace {

// Records of place k: 3k - 2 name, 3k - 1 score, 3k date.
int nameRecord(int place) {
    return 3 * place - 2;
}

// A count above 16 reads the 16 bytes the record holds; a text cut off by the end of the file
// ends there.
std::string readCountedString(const RecordFile& file, int number) {
    const RecordFile::Record record = file.read(number);
    const std::size_t present = file.presentBytes(number);
    const std::size_t count = std::size_t(record[0]) | (std::size_t(record[1]) << 8);
    const std::size_t length = std::min({count, MaxTextBytes, present > 2 ? present - 2 : 0});
    const std::string bytes(reinterpret_cast<const char*>(record.data()) + 2, length);
    return gbk::toUtf8(bytes);
}

RecordFile::Record countedString(const std::string& utf8) {
    const std::string bytes = gbk::fromUtf8Fitted(utf8, MaxTextBytes);
    RecordFile::Record record{};
    record[0] = std::uint8_t(bytes.size() & 0xFF);
    record[1] = std::uint8_t(bytes.size() >> 8);
    std::copy(bytes.begin(), bytes.end(), record.begin() + 2);
    return record;
}

std::int32_t readScore(const RecordFile::Record& record) {
    const std::uint32_t value = std::uint32_t(record[0]) | (std::uint32_t(record[1]) << 8) |
                                (std::uint32_t(record[2]) << 16) | (std::uint32_t(record[3]) << 24);
    return static_cast<std::int32_t>(value);
}

RecordFile::Record scoreRecord(std::int32_t score) {
    const auto value = static_cast<std::uint32_t>(score);
    RecordFile::Record record{};
    for (int i = 0; i < 4; ++i) {
        record[std::size_t(i)] = std::uint8_t(value >> (8 * i));
    }
    return record;
}

} // namespace

HeroTable decodeHeroList(const std::vector<std::uint8_t>& bytes) {
    const RecordFile file(bytes);
    HeroTable list;
    for (int k = 1; k <= HeroTable::size; ++k) {
        HeroEntry& entry = list[k];
        entry.entryName = readCountedString(file, nameRecord(k));
        entry.entryScore = readScore(file.read(nameRecord(k) + 1));
        entry.entryDate = readCountedString(file, nameRecord(k) + 2);
    }
    return list;
}

std::vector<std::uint8_t> encodeHeroList(const HeroTable& list) {
    RecordFile file;
    for (int k = 1; k <= HeroTable::size; ++k) {
        const HeroEntry& entry = list[k];
        file.write(nameRecord(k), countedString(entry.entryName));
        file.write(nameRecord(k) + 1, scoreRecord(entry.entryScore));
        file.write(nameRecord(k) + 2, countedString(entry.entryDate));
    }
    return file.bytes();
}

std::string scoreFileNoticeText(const StoreNotice& notice) {
    const std::string crlf = "\r\n";
    const std::string keptIn =
        notice.keptIn.empty()
            ? "这个文件将保持原样，新的记录将无法保存。"
            : "这个文件将保持原样，新的记录将保存在用户数据文件夹中：" + crlf + notice.keptIn;
    switch (notice.kind) {
    case StoreNotice::Kind::NotRead:
        return "无法读取英雄榜文件：" + crlf + notice.file + crlf + keptIn;
    case StoreNotice::Kind::ReadOnly:
        return "英雄榜文件是只读的：" + crlf + notice.file + crlf + keptIn;
    case StoreNotice::Kind::NotSaved:
        break;
    }
    std::string text = "无法保存英雄榜，这次的新记录没有保存下来。";
    if (!notice.file.empty() || !notice.keptIn.empty()) {
        text += crlf + "无法写入：";
    }
    for (const std::string& file : {notice.file, notice.keptIn}) {
        if (!file.empty()) {
            text += crlf + file;
        }
    }
    return text;
}

HeroTable mergeHeroLists(const HeroTable& list, const HeroTable& other) {
    HeroTable merged = list;
    // Each entry of `list` can stand for one equal entry of `other`, so two equal records of the
    // same list stay two.
    std::array<bool, HeroTable::size + 1> matched{};
    for (int k = 1; k <= other.size; ++k) {
        const HeroEntry& entry = other[k];
        if (entry == HeroEntry{}) {
            continue;
        }
        bool known = false;
        for (int i = 1; i <= list.size && !known; ++i) {
            if (!matched[std::size_t(i)] && list[i] == entry) {
                matched[std::size_t(i)] = known = true;
            }
        }
        if (known) {
            continue;
        }
        for (int place = 1; place <= merged.size; ++place) {
            if (merged[place].entryScore < entry.entryScore) {
                for (int j = merged.size; j > place; --j) {
                    merged[j] = merged[j - 1];
                }
                merged[place] = entry;
                break;
            }
        }
    }
    return merged;
}

} // namespace kelvarn
