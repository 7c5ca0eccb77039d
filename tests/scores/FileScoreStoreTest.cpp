#include <gtest/gtest.h>

#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
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
    long writeChunk(listfiles::Handle fd, const std::uint8_t* data, std::size_t size) override {
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
    void TearDown() override {
        std::error_code ec;
        for (const fs::path& folder : {root, program, root / "user", fallback}) {
            fs::permissions(folder, fs::perms::owner_all, ec);
        }
        fs::remove_all(root, ec);
    }

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
    const auto notice = store.takeNotice();
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->kind, StoreNotice::Kind::NotSaved);
    EXPECT_EQ(notice->file, (program / "data.dat").string());

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
        EXPECT_FALSE(store.takeNotice()) << "an installed game keeps its list elsewhere quietly";
        EXPECT_FALSE(fs::exists(store.fallbackFile()));

        ASSERT_TRUE(store.saveBytes(newList));
        EXPECT_EQ(readAll(program / "data.dat"), oldList) << "the previous file is untouched";
        EXPECT_EQ(readAll(store.fallbackFile()), newList);
        EXPECT_EQ(FileScoreStore(program, fallback).loadBytes(), newList);

        FileScoreStore nowhere(program, {});
        EXPECT_FALSE(nowhere.saveBytes(newList));
        EXPECT_EQ(readAll(program / "data.dat"), oldList);
    }
    // Once the folder can be written again its own list is the list, with the records kept
    // meanwhile.
    FileScoreStore store(program, fallback);
    const Bytes merged = encodeHeroList(decodeHeroList(newList));
    EXPECT_EQ(store.loadBytes(), merged);
    EXPECT_EQ(readAll(program / "data.dat"), merged);
    EXPECT_FALSE(fs::exists(store.fallbackFile()));
    ASSERT_TRUE(store.saveBytes(Bytes(540, 1)));
    EXPECT_EQ(readAll(program / "data.dat"), Bytes(540, 1));
}

TEST_F(FileScoreStoreTest, WithNoFileAnywhereAnUnwritableFolderCreatesTheFallbackFile) {
    LockedFolder lock(program);
    if (!lock.locked()) {
        GTEST_SKIP() << "no way to make a folder unwritable here";
    }
    FileScoreStore store(program, fallback);
    EXPECT_TRUE(store.loadBytes().empty());
    EXPECT_TRUE(fs::exists(store.fallbackFile()));
    EXPECT_FALSE(fs::exists(program / "data.dat"));
}

TEST_F(FileScoreStoreTest, AHugeFileIsReadOnlyAsFarAsAListCouldReach) {
    writeAll(program / "data.dat", Bytes(FileScoreStore::ReadLimit + 5000, 0xFF));
    EXPECT_EQ(FileScoreStore(program, fallback).loadBytes().size(), FileScoreStore::ReadLimit);
}

// A FIFO named data.dat: opening it to read or write in the usual way would wait for good, so
// the start runs in a child process that an alarm ends.
TEST_F(FileScoreStoreTest, AFifoNamedDataDatNeitherHoldsUpTheStartNorIsReplaced) {
    ASSERT_EQ(mkfifo((program / "data.dat").c_str(), 0644), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        alarm(10);
        FileScoreStore store(program, fallback);
        const bool ok =
            store.loadBytes().empty() && store.takeNotice().has_value() && store.saveBytes(newList);
        _exit(ok ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the start hung, ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(fs::is_fifo(fs::symlink_status(program / "data.dat")));
    EXPECT_EQ(FileScoreStore(program, fallback).loadBytes(), newList);
}

// Nothing is written outside the two folders: a link named data.dat is read as the file it
// points to and a save replaces the link itself; a dangling link or a folder in the way is a
// list that cannot be read, left alone while the list goes to the user's folder.
TEST_F(FileScoreStoreTest, LinksAndFoldersNamedDataDatNeverLeadASaveElsewhere) {
    const fs::path outside = root / "outside.dat";
    const fs::path list = program / "data.dat";
    writeAll(outside, oldList);
    fs::create_symlink(outside, list);
    {
        FileScoreStore store(program, fallback);
        EXPECT_EQ(store.loadBytes(), oldList);
        ASSERT_TRUE(store.saveBytes(newList));
        EXPECT_EQ(readAll(outside), oldList) << "never written through the link";
        EXPECT_FALSE(fs::is_symlink(list));
        EXPECT_EQ(readAll(list), newList);
    }
    fs::remove(list);
    fs::remove(outside);
    fs::create_symlink(outside, list);
    {
        FileScoreStore store(program, fallback);
        EXPECT_TRUE(store.loadBytes().empty());
        EXPECT_EQ(store.takeNotice(), (StoreNotice{StoreNotice::Kind::NotRead, list.string(),
                                                   store.fallbackFile().string()}));
        ASSERT_TRUE(store.saveBytes(newList));
        EXPECT_FALSE(fs::exists(fs::symlink_status(outside))) << "nothing made at the target";
        EXPECT_TRUE(fs::is_symlink(list));
        EXPECT_EQ(FileScoreStore(program, fallback).loadBytes(), newList);
        fs::remove(list);
        fs::remove(store.fallbackFile());
    }
    fs::create_directory(list);
    FileScoreStore store(program, fallback);
    EXPECT_TRUE(store.loadBytes().empty());
    ASSERT_TRUE(store.saveBytes(newList));
    EXPECT_TRUE(fs::is_directory(list));
    EXPECT_EQ(readAll(store.fallbackFile()), newList);
}

TEST_F(FileScoreStoreTest, OnlyOurOwnStaleTemporaryFilesAreRemovedAtTheStart) {
    FileScoreStore store(program, fallback);
    fs::create_directories(fallback);
    const std::vector<fs::path> stale{program / "data.dat.Ab12Cd",
                                      fallback /
                                          (store.fallbackFile().filename().string() + ".Qw12Er"),
                                      fallback / "data.dat.Zx98Yv"};
    const std::vector<fs::path> kept{program / "data.dat.Ab12C",  program / "data.dat.Ab12Cde",
                                     program / "data.dat.Ab-2Cd", program / "other.dat.Ab12Cd",
                                     program / "data.dat.Bg12Bg", program / "data.dat.Dr12Dr",
                                     program / "data.dat.Ln12Ln", program / "data.dat.Fr12Sh"};
    for (const fs::path& p : stale) {
        writeAll(p, Bytes(540, 7));
    }
    for (const fs::path& p : kept) {
        writeAll(p, Bytes(100, 7));
    }
    writeAll(program / "data.dat.Bg12Bg", Bytes(541, 7)); // larger than any list
    fs::remove(program / "data.dat.Dr12Dr");
    fs::create_directory(program / "data.dat.Dr12Dr");
    fs::remove(program / "data.dat.Ln12Ln");
    fs::create_symlink(program / "data.dat.Ab12C", program / "data.dat.Ln12Ln");
    // Five minutes old, links included; data.dat.Fr12Sh is being saved right now.
    const timespec longAgo{std::time(nullptr) - 300, 0};
    const timespec times[2] = {longAgo, longAgo};
    for (const auto& files : {stale, kept}) {
        for (const fs::path& p : files) {
            if (p.filename() != "data.dat.Fr12Sh") {
                utimensat(AT_FDCWD, p.c_str(), times, AT_SYMLINK_NOFOLLOW);
            }
        }
    }

    store.loadBytes();
    EXPECT_FALSE(fs::exists(program / "data.dat.Ab12Cd"));
    EXPECT_FALSE(fs::exists(fallback / "data.dat.Zx98Yv"));
    EXPECT_EQ(namesIn(fallback), std::vector<std::string>{}) << "our own fallback's too";
    for (const fs::path& p : kept) {
        EXPECT_TRUE(fs::exists(fs::symlink_status(p))) << p;
    }
}

// Each program folder has a fallback file of its own, named after its canonical path, used only
// while the folder's own list cannot be read or written: deleting data.dat starts afresh.
TEST_F(FileScoreStoreTest, EachProgramFolderHasAFallbackOfItsOwnUsedOnlyWhenItsListIsNot) {
    fs::create_directories(root / "other");
    fs::create_directory_symlink(program, root / "link");
    EXPECT_NE(FileScoreStore::fallbackName(program), FileScoreStore::fallbackName(root / "other"));
    EXPECT_EQ(FileScoreStore::fallbackName(program), FileScoreStore::fallbackName(root / "link"));
    EXPECT_EQ(FileScoreStore::fallbackName(program), FileScoreStore::fallbackName(program / "."));
    EXPECT_EQ(FileScoreStore::fallbackName("/usr/lib/kelvarn"), "data-1d22ce7be32a43aa.dat")
        << "the installed game's list must keep its name";

    FileScoreStore other(root / "other", fallback);
    fs::create_directories(fallback);
    writeAll(other.fallbackFile(), newList);
    writeAll(program / "data.dat", oldList);
    EXPECT_EQ(FileScoreStore(program, fallback).loadBytes(), oldList);
    EXPECT_EQ(readAll(other.fallbackFile()), newList) << "another folder's list is not ours";
}

// Records saved in the user's folder while data.dat could not be used join it again once it can,
// and the fallback file goes only once they are safely in data.dat.
TEST_F(FileScoreStoreTest, RecordsKeptInTheFallbackJoinTheListWhenItWorksAgain) {
    HeroTable own;
    own[1] = {"甲", 900, "d1"};
    own[2] = {"乙", 300, "d1"};
    HeroTable kept = own;
    kept[2] = {"丙", 300, "d2"}; // won while data.dat was read-only
    kept[3] = {"乙", 300, "d1"};
    HeroTable merged = own;
    merged[3] = {"丙", 300, "d2"};

    FillingStore full(program, fallback);
    fs::create_directories(fallback);
    writeAll(full.fallbackFile(), encodeHeroList(kept));
    writeAll(program / "data.dat", encodeHeroList(own));
    EXPECT_EQ(full.loadBytes(), encodeHeroList(merged)) << "shown even when it cannot be saved";
    EXPECT_EQ(readAll(program / "data.dat"), encodeHeroList(own));
    EXPECT_EQ(readAll(full.fallbackFile()), encodeHeroList(kept)) << "kept until merged safely";

    FileScoreStore store(program, fallback);
    EXPECT_EQ(store.loadBytes(), encodeHeroList(merged)) << "merged once, though met twice";
    EXPECT_FALSE(store.takeNotice());
    EXPECT_EQ(readAll(program / "data.dat"), encodeHeroList(merged));
    EXPECT_FALSE(fs::exists(store.fallbackFile()));
    EXPECT_EQ(namesIn(fallback).size(), 0U);

    fs::remove(program / "data.dat"); // a list gone while the fallback kept its records
    writeAll(store.fallbackFile(), encodeHeroList(kept));
    EXPECT_EQ(FileScoreStore(program, fallback).loadBytes(), encodeHeroList(kept));
    EXPECT_EQ(readAll(program / "data.dat"), encodeHeroList(kept));
    EXPECT_FALSE(fs::exists(store.fallbackFile()));
}

// The fallback file all folders once shared was written only by copies whose folder could not
// be written. The first such copy takes it over by moving it, so that no other copy can; a copy
// whose folder can be written leaves it alone.
TEST_F(FileScoreStoreTest, TheOnceSharedFallbackGoesToOneUnwritableCopyOnly) {
    const fs::path other = root / "other";
    fs::create_directories(other);
    fs::create_directories(fallback);
    writeAll(fallback / "data.dat", newList);
    EXPECT_TRUE(FileScoreStore(root, fallback).loadBytes().empty());
    EXPECT_EQ(readAll(fallback / "data.dat"), newList);

    LockedFolder lockProgram(program);
    LockedFolder lockOther(other);
    if (!lockProgram.locked() || !lockOther.locked()) {
        GTEST_SKIP() << "no way to make a folder unwritable here";
    }
    FileScoreStore first(program, fallback);
    EXPECT_EQ(first.loadBytes(), newList);
    EXPECT_FALSE(fs::exists(fallback / "data.dat"));
    EXPECT_TRUE(FileScoreStore(other, fallback).loadBytes().empty());
    EXPECT_EQ(readAll(first.fallbackFile()), newList);
}

// File modes bind only an ordinary user; as root these skip, and the test
// scores.file_modes_as_player runs them as one.
class FileScoreStoreModes : public FileScoreStoreTest {
  protected:
    void SetUp() override {
        if (geteuid() == 0) {
            GTEST_SKIP() << "root ignores file modes; scores.file_modes_as_player runs this";
        }
        FileScoreStoreTest::SetUp();
    }
};

TEST_F(FileScoreStoreModes, AListThatCannotBeReadIsNeverReplaced) {
    const fs::path list = program / "data.dat";
    writeAll(list, oldList);
    fs::permissions(list, fs::perms::none);
    FileScoreStore store(program, fallback);
    EXPECT_TRUE(store.loadBytes().empty());
    EXPECT_EQ(store.takeNotice(), (StoreNotice{StoreNotice::Kind::NotRead, list.string(),
                                               store.fallbackFile().string()}));
    ASSERT_TRUE(store.saveBytes(newList));

    FileScoreStore again(program, fallback);
    EXPECT_EQ(again.loadBytes(), newList) << "loaded from where it was saved";
    EXPECT_FALSE(again.takeNotice()) << "the player has been told once";
    EXPECT_EQ(fs::status(list).permissions(), fs::perms::none);
    fs::permissions(list, fs::perms::owner_read);
    EXPECT_EQ(readAll(list), oldList);
}

TEST_F(FileScoreStoreModes, AReadOnlyListIsKeptAndRecordsGoToTheUserFolder) {
    const fs::path list = program / "data.dat";
    writeAll(list, oldList);
    fs::permissions(list, fs::perms(0444));
    FileScoreStore store(program, fallback);
    EXPECT_EQ(store.loadBytes(), oldList);
    EXPECT_EQ(store.takeNotice(), (StoreNotice{StoreNotice::Kind::ReadOnly, list.string(),
                                               store.fallbackFile().string()}));
    ASSERT_TRUE(store.saveBytes(newList));
    EXPECT_EQ(readAll(list), oldList);
    EXPECT_EQ(fs::status(list).permissions(), fs::perms(0444));
    EXPECT_EQ(FileScoreStore(program, fallback).loadBytes(), newList);
}

TEST_F(FileScoreStoreModes, AListThatCanBeSavedNowhereSaysSo) {
    writeAll(program / "data.dat", oldList);
    fs::create_directories(root / "user");
    fs::permissions(program, fs::perms(0555));
    fs::permissions(root / "user", fs::perms(0555));
    FileScoreStore store(program, fallback);
    EXPECT_EQ(store.loadBytes(), oldList);
    EXPECT_FALSE(store.saveBytes(newList));
    EXPECT_EQ(store.takeNotice(),
              (StoreNotice{StoreNotice::Kind::NotSaved, "", store.fallbackFile().string()}));
    EXPECT_EQ(readAll(program / "data.dat"), oldList);
}

} // namespace
} // namespace kelvarn::test
