// The text-file layer: text-mode translation, reading that creates a missing file, appending,
// and the replacement in one step that keeps the old file on every failure.
#include "platform/TextFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>

#include "Fixture.h"

using namespace sqtest;
using platform::WriteResult;
namespace fs = std::filesystem;

namespace {

/// Arms the write failure for one scope.
struct WriteFailure {
    explicit WriteFailure(std::size_t afterBytes) {
        platform::SetWriteFailureForTesting(afterBytes);
    }
    ~WriteFailure() { platform::SetWriteFailureForTesting(std::nullopt); }
};

std::set<std::string> Names(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        names.insert(e.path().filename().string());
    return names;
}

fs::perms Perms(const fs::path& p) {
    return fs::status(p).permissions();
}

struct Translation {
    std::string bytes;  // as stored in the file
    std::string text;   // as the program sees it
};

TEST(TextModeTest, ReadingTurnsCrLfIntoLfAndStopsAt0x1A) {
    const Translation cases[] = {
        {"a\r\nb\r\n", "a\nb\n"},
        {"a\nb", "a\nb"},      // a lone LF is a line end as it stands
        {"a\rb\r", "a\rb\r"},  // a CR not followed by LF is an ordinary byte
        {"a\r\r\n", "a\r\n"},  // only the CR right before the LF goes
        {"\r\n\r\n", "\n\n"},
        {"a\x1a"
         "b\r\n",
         "a"},                 // 0x1A ends the input where it stands
        {"a\r\x1a\n", "a\r"},  // ... also between CR and LF
        {"\x1a", ""},
        {"", ""},
        {"caf\xc3\xa9 \xff\x80", "caf\xc3\xa9 \xff\x80"},
    };
    for (const Translation& c : cases)
        EXPECT_EQ(platform::FromTextMode(c.bytes), c.text) << c.bytes;
}

TEST(TextModeTest, WritingStoresEachLfAsCrLfAndReadsBackTheSameText) {
    const Translation cases[] = {
        {"a\r\nb\r\n", "a\nb\n"},
        {"a\r\r\n", "a\r\n"},  // a CR in the text stays and gets a CR LF after it
        {"\r", "\r"},
        {"\r\n\r\n", "\n\n"},
        {"", ""},
    };
    for (const Translation& c : cases) {
        EXPECT_EQ(platform::ToTextMode(c.text), c.bytes) << c.text;
        EXPECT_EQ(platform::FromTextMode(platform::ToTextMode(c.text)), c.text) << c.text;
    }
}

class TextFileTest : public ::testing::Test {
protected:
    ScratchDir dir;
};

TEST_F(TextFileTest, ReadingAMissingFileCreatesItEmpty) {
    EXPECT_EQ(platform::ReadTextFile("new.txt"), std::string());
    ASSERT_TRUE(fs::is_regular_file("new.txt"));
    EXPECT_EQ(fs::file_size("new.txt"), 0u);

    WriteBytes("old.txt",
               "one\r\ntwo\x1a"
               "three");
    EXPECT_EQ(platform::ReadTextFile("old.txt"), "one\ntwo");
}

TEST_F(TextFileTest, ReadingFailsForWhatCannotBeReadOrCreated) {
    fs::create_directory("folder");
    EXPECT_EQ(platform::ReadTextFile("folder"), std::nullopt);

    WriteBytes("secret.txt", "x");
    fs::create_directory("locked");
    for (const char* p : {".", "secret.txt", "locked"})
        WithoutPrivilege::GiveToUser(p);
    fs::permissions("secret.txt", fs::perms::owner_write);
    fs::permissions("locked", fs::perms::owner_read | fs::perms::owner_exec);
    WithoutPrivilege user;
    EXPECT_EQ(platform::ReadTextFile("secret.txt"), std::nullopt);
    EXPECT_EQ(platform::ReadTextFile("locked/missing.txt"), std::nullopt);
    EXPECT_FALSE(fs::exists("locked/missing.txt"));
}

TEST_F(TextFileTest, AppendingAddsAtTheEndAndNeverTruncates) {
    EXPECT_EQ(platform::AppendTextFile("log.txt", "a\n"), WriteResult::Ok);
    EXPECT_EQ(platform::AppendTextFile("log.txt", "b\rc\n"), WriteResult::Ok);
    EXPECT_EQ(ReadBytes("log.txt"), "a\r\nb\rc\r\n");

    WriteFailure failure(3);
    EXPECT_EQ(platform::AppendTextFile("log.txt", "defg\n"), WriteResult::WriteFailed);
    EXPECT_EQ(ReadBytes("log.txt"), "a\r\nb\rc\r\ndef")
        << "what was written before the failure stays";
}

TEST_F(TextFileTest, ReplacingWritesTheTextAndLeavesNothingElse) {
    const mode_t mask = ::umask(027);
    EXPECT_EQ(platform::ReplaceTextFile("cat.dat", "x\ny\n"), WriteResult::Ok);
    ::umask(mask);
    EXPECT_EQ(ReadBytes("cat.dat"), "x\r\ny\r\n");
    EXPECT_EQ(Perms("cat.dat"),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read)
        << "a new file gets the usual permissions, not those of a private temporary file";

    fs::permissions("cat.dat",
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
    EXPECT_EQ(platform::ReplaceTextFile("cat.dat", ""), WriteResult::Ok);
    EXPECT_EQ(ReadBytes("cat.dat"), "");
    EXPECT_EQ(Perms("cat.dat"),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
    EXPECT_EQ(Names("."), std::set<std::string>{"cat.dat"});
}

TEST_F(TextFileTest, ReplacingThroughLinksKeepsTheLinksAndReplacesTheirFile) {
    fs::create_directory("store");
    WriteBytes("store/real.dat", "old\r\n");
    fs::permissions("store/real.dat",
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("real.dat", "store/middle.dat");  // relative to its own directory
    fs::create_symlink("store/middle.dat", "cat.dat");

    EXPECT_EQ(platform::ReplaceTextFile("cat.dat", "new\n"), WriteResult::Ok);
    EXPECT_EQ(fs::read_symlink("cat.dat"), "store/middle.dat");
    EXPECT_EQ(fs::read_symlink("store/middle.dat"), "real.dat");
    EXPECT_EQ(ReadBytes("store/real.dat"), "new\r\n");
    EXPECT_EQ(Perms("store/real.dat"),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(Names("store"), (std::set<std::string>{"middle.dat", "real.dat"}));
    EXPECT_EQ(Names("."), (std::set<std::string>{"cat.dat", "store"}));

    fs::create_symlink("store/later.dat", "dangling.dat");
    EXPECT_EQ(platform::ReplaceTextFile("dangling.dat", "a\n"), WriteResult::Ok);
    EXPECT_TRUE(fs::is_symlink("dangling.dat"));
    EXPECT_EQ(ReadBytes("store/later.dat"), "a\r\n");
}

struct ReplaceFailure {
    const char* name;
    std::function<void()> arrange;  // run as an ordinary user, in a directory of that user's
    WriteResult result;
};

void PrintTo(const ReplaceFailure& c, std::ostream* os) {
    *os << c.name;
}

class ReplaceFailureTest : public TextFileTest,
                           public ::testing::WithParamInterface<ReplaceFailure> {
protected:
    void TearDown() override { platform::SetWriteFailureForTesting(std::nullopt); }
};

TEST_P(ReplaceFailureTest, KeepsTheOldFileAndLeavesNoTemporaryFile) {
    const std::string old = "old\r\ncontents\r\n";
    WriteBytes("cat.dat", old);
    WithoutPrivilege::GiveToUser(".");
    WithoutPrivilege::GiveToUser("cat.dat");
    {
        WithoutPrivilege user;
        GetParam().arrange();
        const auto names = Names(".");
        EXPECT_EQ(platform::ReplaceTextFile("cat.dat", std::string(10000, 'n') + "\n"),
                  GetParam().result);
        EXPECT_EQ(Names("."), names);
    }
    const char* kept = fs::exists(fs::symlink_status("kept.dat")) ? "kept.dat" : "cat.dat";
    EXPECT_EQ(ReadBytes(kept), old);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceFailureTest,
    ::testing::Values(
        ReplaceFailure{"ReadOnlyDirectory",
                       [] { fs::permissions(".", fs::perms::owner_read | fs::perms::owner_exec); },
                       WriteResult::OpenFailed},
        ReplaceFailure{"ReadOnlyFile", [] { fs::permissions("cat.dat", fs::perms::owner_read); },
                       WriteResult::OpenFailed},
        ReplaceFailure{"FirstWriteFails", [] { platform::SetWriteFailureForTesting(0); },
                       WriteResult::WriteFailed},
        ReplaceFailure{"WriteFailsPartWay", [] { platform::SetWriteFailureForTesting(4096); },
                       WriteResult::WriteFailed},
        ReplaceFailure{"TargetIsADirectory",
                       [] {
                           fs::rename("cat.dat", "kept.dat");
                           fs::create_directory("cat.dat");
                       },
                       WriteResult::OpenFailed},
        ReplaceFailure{"LinkLoop",
                       [] {
                           fs::rename("cat.dat", "kept.dat");
                           fs::create_symlink("loop.dat", "cat.dat");
                           fs::create_symlink("cat.dat", "loop.dat");
                       },
                       WriteResult::OpenFailed}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
