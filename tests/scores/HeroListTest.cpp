#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "fakes/GameHarness.h"
#include "scores/Gbk.h"
#include "scores/HeroList.h"
#include "scores/SameList.h"
#include "scores/ScoreStore.h"

namespace kelvarn::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(std::string_view s) {
    return Bytes(s.begin(), s.end());
}

Bytes slice(const Bytes& b, std::size_t from, std::size_t length) {
    return Bytes(b.begin() + std::ptrdiff_t(from), b.begin() + std::ptrdiff_t(from + length));
}

HeroTable tableOf(std::initializer_list<HeroEntry> entries) {
    HeroTable t;
    int k = 1;
    for (const HeroEntry& e : entries) {
        t[k++] = e;
    }
    return t;
}

TEST(HeroFile, PlaceOneIsLaidOutByteForByte) {
    const HeroTable list = tableOf({{"abc", 1234, "2026/12/8"}});
    const Bytes b = encodeHeroList(list);
    ASSERT_EQ(b.size(), HeroFileSize);
    EXPECT_EQ(slice(b, 0, 5), (Bytes{0x03, 0x00, 'a', 'b', 'c'}));
    EXPECT_EQ(slice(b, 5, 13), Bytes(13, 0));
    EXPECT_EQ(slice(b, 18, 4), (Bytes{0xD2, 0x04, 0x00, 0x00}));
    EXPECT_EQ(slice(b, 22, 14), Bytes(14, 0));
    EXPECT_EQ(slice(b, 36, 2), (Bytes{0x09, 0x00}));
    EXPECT_EQ(slice(b, 38, 9), bytesOf("2026/12/8"));
    EXPECT_EQ(slice(b, 47, 540 - 47), Bytes(540 - 47, 0)) << "empty places are all zeros";
    EXPECT_TRUE(sameList(decodeHeroList(b), list));
}

TEST(HeroFile, ScoresAreSignedLittleEndian) {
    HeroTable list = tableOf({{"a", -50, "d"}});
    list[10] = {"z", INT32_MIN, ""};
    const Bytes b = encodeHeroList(list);
    EXPECT_EQ(slice(b, 18, 4), (Bytes{0xCE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(slice(b, 9 * 54 + 18, 4), (Bytes{0x00, 0x00, 0x00, 0x80}));
    const HeroTable back = decodeHeroList(b);
    EXPECT_EQ(back[1].entryScore, -50);
    EXPECT_EQ(back[10].entryScore, INT32_MIN);
}

TEST(HeroFile, SixteenByteTextsFillTheirRecord) {
    const HeroTable list = tableOf({{"abcdefghijklmnop", 1, "2026-12-08 Tue.x"}, //
                                    {"八个汉字八个汉字", 2, ""}});
    const Bytes b = encodeHeroList(list);
    EXPECT_EQ(slice(b, 0, 18), bytesOf(std::string("\x10\x00", 2) + "abcdefghijklmnop"));
    EXPECT_EQ(b[54], 16);
    EXPECT_EQ(slice(b, 56, 16), bytesOf(*gbk::fromUtf8("八个汉字八个汉字")));
    EXPECT_TRUE(sameList(decodeHeroList(b), list));
}

TEST(HeroFile, ShortFilesLeaveTheMissingPlacesEmpty) {
    const Bytes full = encodeHeroList(tableOf({{"one", 300, "d1"}, {"two", 200, "d2"}}));
    const HeroTable fromPlaceOne = decodeHeroList(slice(full, 0, 54));
    EXPECT_EQ(fromPlaceOne[1], (HeroEntry{"one", 300, "d1"}));
    for (int k = 2; k <= 10; ++k) {
        EXPECT_EQ(fromPlaceOne[k], HeroEntry{}) << "place " << k;
    }
    EXPECT_TRUE(sameList(decodeHeroList({}), HeroTable{}));
    // A file cut inside a record reads what is there; the cut text ends early.
    const HeroTable cut = decodeHeroList(slice(full, 0, 54 + 4));
    EXPECT_EQ(cut[2].entryName, std::string("tw"));
}

TEST(HeroFile, StoredOrderIsKeptEvenWhenUnsorted) {
    const HeroTable list = tableOf({{"low", 5, "d"}, {"high", 900, "d"}, {"mid", 40, "d"}});
    const HeroTable back = decodeHeroList(encodeHeroList(decodeHeroList(encodeHeroList(list))));
    EXPECT_TRUE(sameList(back, list));
}

TEST(HeroFile, MergingTakesTheBestOfBothAsNewRecordsAndEachRecordOnce) {
    const HeroTable own = tableOf({{"甲", 900, "d1"},
                                   {"乙", 500, "d1"},
                                   {"乙", 500, "d1"}, // the same result twice is two records
                                   {"丙", 300, "d1"},
                                   {"丁", 100, "d1"}});
    // Kept elsewhere: the list as it was then, and what was won meanwhile.
    const HeroTable kept = tableOf({{"甲", 900, "d1"},
                                    {"戊", 500, "d2"}, // ties go below the list's own
                                    {"乙", 500, "d1"},
                                    {"丙", 300, "d1"},
                                    {"己", 300, "d2"},
                                    {"丁", 100, "d1"},
                                    {"庚", -5, "d2"}}); // below every place never filled
    EXPECT_TRUE(sameList(mergeHeroLists(own, kept), tableOf({{"甲", 900, "d1"},
                                                             {"乙", 500, "d1"},
                                                             {"乙", 500, "d1"},
                                                             {"戊", 500, "d2"},
                                                             {"丙", 300, "d1"},
                                                             {"己", 300, "d2"},
                                                             {"丁", 100, "d1"}})));
    EXPECT_TRUE(
        sameList(mergeHeroLists(mergeHeroLists(own, kept), kept), mergeHeroLists(own, kept)))
        << "merging again adds nothing";

    HeroTable full;
    for (int k = 1; k <= HeroTable::size; ++k) {
        full[k] = {"x" + std::to_string(k), 1000 - 10 * k, "d1"};
    }
    const HeroTable merged = mergeHeroLists(full, tableOf({{"top", 2000, "d2"}, {"low", 5, "d2"}}));
    EXPECT_EQ(merged[1].entryName, "top");
    EXPECT_EQ(merged[10].entryName, "x9") << "the last place drops off";
}

TEST(HeroFile, HostileCountsAndBytesStayInsideTheirRecord) {
    Bytes b(540, 0);
    // Place 1's name claims 65535 bytes; the record holds 16, and the next record must not leak
    // into it.
    b[0] = 0xFF;
    b[1] = 0xFF;
    std::fill(b.begin() + 2, b.begin() + 18, 'x');
    b[18] = 7;
    // Place 2's name: a lead byte with a bad trail byte, a lone 0xFF, and a lead byte cut off
    // by the end of the text.
    const Bytes bad{0x81, 0x20, 0xFF, 'A', 0xB0};
    b[54] = std::uint8_t(bad.size());
    std::copy(bad.begin(), bad.end(), b.begin() + 56);

    const HeroTable list = decodeHeroList(b);
    EXPECT_EQ(list[1].entryName, std::string(16, 'x'));
    EXPECT_EQ(list[1].entryScore, 7);
    EXPECT_EQ(list[2].entryName, "\xEF\xBF\xBD \xEF\xBF\xBD"
                                 "A\xEF\xBF\xBD");
    // Written back, the replacement characters have no GBK form and become '?'.
    const Bytes again = encodeHeroList(list);
    EXPECT_EQ(slice(again, 54, 7), (Bytes{5, 0, '?', ' ', '?', 'A', '?'}));
}

TEST(HeroFile, TextsTooLongForTheirRecordAreCutAtACharacter) {
    HeroTable list;
    list[1].entryName = "一二三四五六七八九"; // 18 GBK bytes
    list[1].entryDate = "abcdefghijklmnopq";
    const HeroTable back = decodeHeroList(encodeHeroList(list));
    EXPECT_EQ(back[1].entryName, "一二三四五六七八");
    EXPECT_EQ(back[1].entryDate, "abcdefghijklmnop");
    list[1].entryName = "a一二三四五六七八"; // 17 bytes: the last character does not fit whole
    EXPECT_EQ(decodeHeroList(encodeHeroList(list))[1].entryName, "a一二三四五六七");
}

TEST(Gbk, ConvertsBothWaysAndRefusesWhatHasNoGbkForm) {
    EXPECT_EQ(gbk::fromUtf8("英雄榜 3.0"), std::string("\xD3\xA2\xD0\xDB\xB0\xF1 3.0"));
    EXPECT_EQ(gbk::toUtf8("\xD3\xA2\xD0\xDB\xB0\xF1 3.0"), "英雄榜 3.0");
    EXPECT_EQ(gbk::fromUtf8("€"), std::string("\x80")) << "code page 936 has the euro at 0x80";
    EXPECT_FALSE(gbk::fromUtf8("🙂"));
    EXPECT_FALSE(gbk::fromUtf8("한"));
    EXPECT_FALSE(gbk::fromUtf8("\xC3")) << "cut UTF-8";
    EXPECT_EQ(gbk::characterCount("a汉🙂"), 3u);
    EXPECT_EQ(gbk::characterCount("\xE6\xB1"), 1u) << "a cut character is one stray character";
}

// Trouble with the file is told in one box titled like the game's other boxes; a save that fails
// is told only when it loses a record.
TEST(HeroFile, TroubleWithTheFileIsToldOnceInABoxOfTheGame) {
    GameHarness h(false);
    h.scores.notice = StoreNotice{StoreNotice::Kind::NotRead, "/games/kelvarn/data.dat",
                                  "/home/p/.local/share/Kelvarn/Kelvarn/data-0123456789abcdef.dat"};
    h.game.loadHeroList();
    ASSERT_EQ(h.dialogs.shown.size(), 1u);
    EXPECT_EQ(h.dialogs.shown[0].title, "Kelvarn");
    EXPECT_EQ(h.dialogs.shown[0].text,
              "无法读取英雄榜文件：\r\n/games/kelvarn/data.dat\r\n"
              "这个文件将保持原样，新的记录将保存在用户数据文件夹中：\r\n"
              "/home/p/.local/share/Kelvarn/Kelvarn/data-0123456789abcdef.dat");

    h.scores.failSaves = true;
    h.scores.notice = StoreNotice{StoreNotice::Kind::NotSaved, "", "/home/p/x.dat"};
    h.game.saveHeroList();
    EXPECT_EQ(h.dialogs.shown.size(), 1u) << "the unchanged list is still on disk";
    h.game.heroList[1] = {"Ann", 50, "2026/12/8"};
    h.scores.notice = StoreNotice{StoreNotice::Kind::NotSaved, "", "/home/p/x.dat"};
    h.game.saveHeroList();
    ASSERT_EQ(h.dialogs.shown.size(), 2u);
    EXPECT_EQ(h.dialogs.shown[1].title, "Kelvarn");
    EXPECT_EQ(h.dialogs.shown[1].text,
              "无法保存英雄榜，这次的新记录没有保存下来。\r\n无法写入：\r\n/home/p/x.dat");
}

// Code page 936 has 23 940 byte pairs (lead 81-FE, trail 40-7E or 80-FE) and maps every one: glibc
// knows 21 791 of them, the other 2 149 are read as the Private Use characters U+E000-U+E864.
TEST(Gbk, EveryPairOfTheCodePageComesBackByteForByte) {
    std::set<std::string> seen;
    int privateUse = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) {
                continue;
            }
            const std::string pair{char(lead), char(trail)};
            const std::string text = gbk::toUtf8(pair);
            ASSERT_EQ(gbk::characterCount(text), 1u) << std::hex << lead << trail;
            ASSERT_NE(text, "\xEF\xBF\xBD") << std::hex << lead << trail;
            ASSERT_EQ(gbk::fromUtf8(text), pair) << std::hex << lead << trail;
            ASSERT_TRUE(seen.insert(text).second) << std::hex << lead << trail;
            privateUse += text >= "\xEE\x80\x80" && text <= "\xEE\xA1\xA4" ? 1 : 0;
        }
    }
    EXPECT_EQ(seen.size(), 23940u);
    EXPECT_EQ(privateUse, 0xE864 - 0xE000 + 1);
    // The user-defined areas in their usual order, then the other positions.
    const std::pair<const char*, const char*> anchors[] = {
        {"\xAA\xA1", "\uE000"}, {"\xAF\xFE", "\uE233"}, {"\xF8\xA1", "\uE234"},
        {"\xFE\xFE", "\uE4C5"}, {"\xA1\x40", "\uE4C6"}, {"\xA1\x80", "\uE505"},
        {"\xA7\xA0", "\uE765"}, {"\xA2\xAB", "\uE766"}, {"\xA8\xBC", "\uE7C7"},
        {"\xFE\x50", "\uE815"}, {"\xFE\xA0", "\uE864"}};
    for (const auto& [bytes, text] : anchors) {
        EXPECT_EQ(gbk::toUtf8(bytes), text) << bytes;
    }
    EXPECT_EQ(gbk::toUtf8("\x80"), "€");
    EXPECT_EQ(gbk::fromUtf8("\uE865"), std::nullopt)
        << "past the last mapped Private Use character";
}

TEST(Gbk, ABadByteIsReplacedAloneAndTheNextByteIsReadOnItsOwn) {
    EXPECT_EQ(gbk::toUtf8("\x81\x30\xD3\xA2"), "\uFFFD0英");
    EXPECT_EQ(gbk::toUtf8("\xFE\x7F\xFF\xB0"), "\uFFFD\x7F\uFFFD\uFFFD");
    EXPECT_EQ(gbk::toUtf8("\xB0\xA1\xB0"), "啊\uFFFD") << "a lead byte cut off by the end";
}

// Every handmade file of the fuzzer's corpus goes through the reader, so each build tries them.
TEST(HeroFile, FuzzCorpusLoadsAndWritesBackWhole) {
    const std::filesystem::path corpus =
        std::filesystem::path(KELVARN_SOURCE_DIR) / "fuzz/corpus/score_file";
    int files = 0;
    for (const auto& item : std::filesystem::directory_iterator(corpus)) {
        std::ifstream in(item.path(), std::ios::binary);
        const Bytes b{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        const HeroTable list = decodeHeroList(b);
        const Bytes again = encodeHeroList(list);
        EXPECT_EQ(again.size(), HeroFileSize) << item.path();
        for (int k = 1; k <= 10; ++k) {
            EXPECT_LE(gbk::characterCount(list[k].entryName), 16u) << item.path();
            EXPECT_LE(gbk::characterCount(list[k].entryDate), 16u) << item.path();
        }
        EXPECT_EQ(encodeHeroList(decodeHeroList(again)), again) << "stable once written";
        ++files;
    }
    EXPECT_GE(files, 5);
}

} // namespace
} // namespace kelvarn::test
