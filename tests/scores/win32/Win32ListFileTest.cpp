// The list file on Windows, under Wine: UTF-16 paths, the atomic replace, a list that another
// program holds open, a read-only list and a program folder that cannot be written.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "platform/win32/Utf16.h"
#include "scores/FileScoreStore.h"
#include "scores/HeroList.h"
#include "scores/win32/ScoreFolders.h"

namespace kelvarn {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void put(const fs::path& file, const Bytes& bytes) {
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

Bytes listWith(const std::string& name, std::int32_t score) {
    HeroTable list;
    list[1] = {name, score, "2026/12/9"};
    return encodeHeroList(list);
}

// Only data.dat, never a temporary file left behind.
std::vector<std::wstring> namesIn(const fs::path& folder) {
    std::vector<std::wstring> names;
    for (const auto& item : fs::directory_iterator(folder)) {
        names.push_back(item.path().filename().wstring());
    }
    return names;
}

class Win32ListFile : public ::testing::Test {
  protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        root = fs::path(temp) /
               (L"kelvarn-" +
                win32::toUtf16(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(root);
        program = root / L"游戏 程序"; // a Chinese folder name, with a space
        user = root / L"user";
        fs::create_directories(program);
    }
    void TearDown() override {
        std::error_code ec;
        SetFileAttributesW((program / L"data.dat").c_str(), FILE_ATTRIBUTE_NORMAL);
        fs::remove_all(root, ec);
    }
    fs::path root, program, user;
};

TEST_F(Win32ListFile, SavesReplaceTheListWholeInAChineseFolderAndLeaveNothingBehind) {
    FileScoreStore store(program, user);
    EXPECT_TRUE(store.loadBytes().empty());
    EXPECT_EQ(namesIn(program), std::vector<std::wstring>{L"data.dat"}) << "created empty";

    const Bytes first = listWith("张三", 900);
    ASSERT_TRUE(store.saveBytes(first));
    EXPECT_EQ(contents(program / L"data.dat"), first);
    const Bytes second = listWith("李四", 1200);
    ASSERT_TRUE(store.saveBytes(second));
    EXPECT_EQ(contents(program / L"data.dat"), second);
    EXPECT_EQ(namesIn(program), std::vector<std::wstring>{L"data.dat"});
    EXPECT_FALSE(fs::exists(user));

    EXPECT_EQ(FileScoreStore(program, user).loadBytes(), second);
    // The fallback name is made from the folder's UTF-8 path, as on Linux.
    EXPECT_EQ(store.fallbackFile().filename().string(), FileScoreStore::fallbackName(program));
    EXPECT_EQ(win32::toUtf8(store.programFile()).find("游戏 程序"), win32::toUtf8(root).size() + 1);
}

TEST_F(Win32ListFile, AListHeldOpenByAnotherProgramIsWaitedForThenKeptAndNothingIsLost) {
    const Bytes before = listWith("张三", 900);
    put(program / L"data.dat", before);
    FileScoreStore store(program, user);
    ASSERT_EQ(store.loadBytes(), before);
    const auto holdList = [&] {
        // Read, as a scanner does, without letting anyone write or delete it meanwhile.
        return CreateFileW((program / L"data.dat").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    };

    // Let go after a moment: the save waits for it.
    HANDLE held = holdList();
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::thread letGo([held] {
        Sleep(400);
        CloseHandle(held);
    });
    const Bytes during = listWith("李四", 1200);
    EXPECT_TRUE(store.saveBytes(during));
    letGo.join();
    EXPECT_EQ(contents(program / L"data.dat"), during);

    // Held for good: the list stays whole and the record is kept in the user's folder...
    held = holdList();
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const Bytes after = encodeHeroList(
        mergeHeroLists(decodeHeroList(during), decodeHeroList(listWith("王五", 1500))));
    EXPECT_TRUE(store.saveBytes(after));
    CloseHandle(held);
    EXPECT_EQ(contents(program / L"data.dat"), during);
    EXPECT_EQ(contents(store.fallbackFile()), after);
    EXPECT_EQ(namesIn(program), std::vector<std::wstring>{L"data.dat"});

    // ...and comes back into data.dat at the next start.
    FileScoreStore next(program, user);
    const HeroTable loaded = decodeHeroList(next.loadBytes());
    EXPECT_EQ(loaded[1].entryName, "王五");
    EXPECT_EQ(loaded[2].entryName, "李四");
    EXPECT_EQ(decodeHeroList(contents(program / L"data.dat"))[1].entryName, "王五");
    EXPECT_FALSE(fs::exists(next.fallbackFile()));
}

TEST_F(Win32ListFile, AReadOnlyListIsKeptAndRecordsGoToTheUserFolder) {
    const Bytes before = listWith("张三", 900);
    put(program / L"data.dat", before);
    ASSERT_TRUE(SetFileAttributesW((program / L"data.dat").c_str(), FILE_ATTRIBUTE_READONLY));
    FileScoreStore store(program, user);
    EXPECT_EQ(store.loadBytes(), before);
    const auto notice = store.takeNotice();
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->kind, StoreNotice::Kind::ReadOnly);

    const Bytes after = listWith("李四", 1200);
    EXPECT_TRUE(store.saveBytes(after));
    EXPECT_EQ(contents(program / L"data.dat"), before);
    EXPECT_EQ(contents(store.fallbackFile()), after);
}

// The locked folder is made by the test's script (tests/scores/win32/locked_folder_wine.sh):
// nothing can be created in it, as in Program Files for an ordinary user.
TEST(Win32ListFileLocked, AnUnwritableProgramFolderSendsTheListToTheUserAppDataFolder) {
    wchar_t locked[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"KELVARN_LOCKED_FOLDER", locked, MAX_PATH) == 0) {
        GTEST_SKIP() << "run by locked_folder_wine.sh";
    }
    const fs::path program = locked;
    const fs::path appData = userScoreFolder();
    ASSERT_FALSE(appData.empty());
    wchar_t roaming[MAX_PATH] = {};
    ASSERT_NE(GetEnvironmentVariableW(L"APPDATA", roaming, MAX_PATH), 0u);
    EXPECT_EQ(appData, fs::path(roaming) / L"Kelvarn" / L"Kelvarn");

    FileScoreStore store(program, appData);
    EXPECT_TRUE(store.loadBytes().empty());
    EXPECT_FALSE(store.takeNotice()) << "an installed game moves its list quietly";
    const Bytes list = listWith("张三", 900);
    EXPECT_TRUE(store.saveBytes(list));
    EXPECT_EQ(contents(appData / FileScoreStore::fallbackName(program)), list);
    EXPECT_FALSE(fs::exists(program / L"data.dat"));
    EXPECT_EQ(FileScoreStore(program, appData).loadBytes(), list);
}

} // namespace
} // namespace kelvarn
