#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "scores/FileScoreStore.h"
#include "scores/HeroList.h"

namespace kelvarn::test {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return Bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeAll(const fs::path& p, const Bytes& b) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
}

bool canCreateIn(const fs::path& folder) {
    const fs::path probe = folder / "probe";
    const int fd = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0) {
        return false;
    }
    close(fd);
    unlink(probe.c_str());
    return true;
}

// A folder that nothing may be created in: read-only for an ordinary user, and immutable where
// the tests run with privileges that ignore permissions.
class LockedFolder {
  public:
    explicit LockedFolder(fs::path folder) : folder_(std::move(folder)) {
        fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
        if (canCreateIn(folder_)) {
            setImmutable(true);
        }
        locked_ = !canCreateIn(folder_);
    }
    ~LockedFolder() {
        setImmutable(false);
        fs::permissions(folder_, fs::perms::owner_all);
    }
    bool locked() const { return locked_; }

  private:
    void setImmutable(bool on) {
        const int fd = open(folder_.c_str(), O_RDONLY | O_DIRECTORY);
        if (fd < 0) {
            return;
        }
        int flags = 0;
        if (ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            ioctl(fd, FS_IOC_SETFLAGS, &flags);
        }
        close(fd);
    }
    fs::path folder_;
    bool locked_ = false;
};

// A disk that fills up after `room` bytes: the write stops short, then fails.
class FillingStore : public FileScoreStore {
  public:
    using FileScoreStore::FileScoreStore;
    std::size_t room = 100;

  protected:
    long writeChunk(int fd, const std::uint8_t* data, std::size_t size) override {
        if (room == 0) {
            errno = ENOSPC;
            return -1;
        }
        const std::size_t n = std::min(size, room);
        room -= n;
        return FileScoreStore::writeChunk(fd, data, n);
    }
};

class FileScoreStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("kelvarn-scores-" + std::to_string(getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        program = root / "program";
        fallback = root / "user" / "Kelvarn";
        fs::create_directories(program);
    }
    void TearDown() override { fs::remove_all(root); }

    // Only data.dat, never a leftover temporary file.
    std::vector<std::string> namesIn(const fs::path& folder) {
        std::vector<std::string> names;
        for (const auto& item : fs::directory_iterator(folder)) {
            names.push_back(item.path().filename().string());
        }
        return names;
    }

    fs::path root, program, fallback;
    const Bytes oldList = encodeHeroList(HeroTable{});
    const Bytes newList = Bytes(540, 0x5A);
};

TEST_F(FileScoreStoreTest, FirstStartCreatesAnEmptyFileAndTenEmptyPlaces) {
    FileScoreStore store(program, fallback);
    EXPECT_TRUE(store.loadBytes().empty());
    ASSERT_TRUE(fs::exists(program / "data.dat"));
    EXPECT_EQ(fs::file_size(program / "data.dat"), 0u);
    EXPECT_FALSE(fs::exists(fallback / "data.dat"));

    const HeroTable list = decodeHeroList(FileScoreStore(program, fallback).loadBytes());
    for (int k = 1; k <= 10; ++k) {
        EXPECT_EQ(list[k], HeroEntry{});
    }
}

TEST_F(FileScoreStoreTest, SaveReplacesTheFileWholeAndLeavesNothingBehind) {
    writeAll(program / "data.dat", Bytes(54, 1));
    fs::permissions(program / "data.dat", fs::perms(0640));
    FileScoreStore store(program, fallback);
    ASSERT_TRUE(store.saveBytes(newList));
    EXPECT_EQ(readAll(program / "data.dat"), newList);
    EXPECT_EQ(namesIn(program), std::vector<std::string>{"data.dat"});
    EXPECT_EQ(fs::status(program / "data.dat").permissions(), fs::perms(0640))
        << "the file keeps its permissions";
    EXPECT_EQ(store.loadBytes(), newList);
}

TEST_F(FileScoreStoreTest, AWriteThatFailsHalfwayKeepsThePreviousFile) {
    writeAll(program / "data.dat", oldList);
    FillingStore store(program, fallback);
    EXPECT_FALSE(store.saveBytes(newList));
    EXPECT_EQ(readAll(program / "data.dat"), oldList);
    EXPECT_EQ(namesIn(program), std::vector<std::string>{"data.dat"});
    EXPECT_FALSE(fs::exists(fallback)) << "a full disk is not an unwritable folder";

    store.room = 1000;
    EXPECT_TRUE(store.saveBytes(newList));
    EXPECT_EQ(readAll(program / "data.dat"), newList);
}

TEST_F(FileScoreStoreTest, AnUnwritableProgramFolderSavesToTheFallbackAndLoadsFromThere) {
    writeAll(program / "data.dat", oldList);
    {
        LockedFolder lock(program);
        if (!lock.locked()) {
            GTEST_SKIP() << "no way to make a folder unwritable here";
        }
        FileScoreStore store(program, fallback);
        EXPECT_EQ(store.loadBytes(), oldList) << "the shipped list is read until saved elsewhere";
        EXPECT_FALSE(fs::exists(fallback / "data.dat"));

        ASSERT_TRUE(store.saveBytes(newList));
        EXPECT_EQ(readAll(program / "data.dat"), oldList) << "the previous file is untouched";
        EXPECT_EQ(readAll(fallback / "data.dat"), newList);
        EXPECT_EQ(FileScoreStore(program, fallback).loadBytes(), newList);

        FileScoreStore nowhere(program, {});
        EXPECT_FALSE(nowhere.saveBytes(newList));
        EXPECT_EQ(readAll(program / "data.dat"), oldList);
    }
    // Once the folder can be written again the newer fallback list still wins, until a save
    // puts the list back beside the program.
    FileScoreStore store(program, fallback);
    EXPECT_EQ(store.loadBytes(), newList);
    ASSERT_TRUE(store.saveBytes(oldList));
    EXPECT_EQ(readAll(program / "data.dat"), oldList);
    EXPECT_EQ(FileScoreStore(program, fallback).loadBytes(), oldList);
}

TEST_F(FileScoreStoreTest, WithNoFileAnywhereAnUnwritableFolderCreatesTheFallbackFile) {
    LockedFolder lock(program);
    if (!lock.locked()) {
        GTEST_SKIP() << "no way to make a folder unwritable here";
    }
    FileScoreStore store(program, fallback);
    EXPECT_TRUE(store.loadBytes().empty());
    EXPECT_TRUE(fs::exists(fallback / "data.dat"));
    EXPECT_FALSE(fs::exists(program / "data.dat"));
}

TEST_F(FileScoreStoreTest, AHugeOrOddFileDoesNotBreakLoading) {
    writeAll(program / "data.dat", Bytes(FileScoreStore::ReadLimit + 5000, 0xFF));
    EXPECT_EQ(FileScoreStore(program, fallback).loadBytes().size(), FileScoreStore::ReadLimit);
    fs::remove(program / "data.dat");
    fs::create_directory(program / "data.dat");
    FileScoreStore store(program, fallback);
    EXPECT_TRUE(store.loadBytes().empty());
    EXPECT_FALSE(store.saveBytes(newList)) << "a folder in the way is a failure, not a success";
}

} // namespace
} // namespace kelvarn::test
