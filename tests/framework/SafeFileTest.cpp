#include "framework/SafeFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "framework/SafeFileTestHelpers.h"
#include "framework/Statistics.h"

namespace {
// Removes the hook again when a test ends, whatever happens.
struct HookGuard {
    explicit HookGuard(AtomicWriteHook hook) { SetAtomicWriteHook(hook); }
    ~HookGuard() { SetAtomicWriteHook(nullptr); }
};

std::string g_seenTemp;
bool FailBeforeRename(const std::string& temp) {
    g_seenTemp = temp;
    return false;
}
bool DieBeforeRename(const std::string&) { _exit(0); }
}  // namespace

TEST(SafeFile, CreatesAndReplacesFilesByteForByte) {
    std::string binary("a\0b\r\n\xFF", 6);
    ASSERT_TRUE(WriteFileAtomically("data.bin", binary));
    EXPECT_EQ(ReadBytes("data.bin"), binary);
    ASSERT_TRUE(WriteFileAtomically("data.bin", "second"));
    EXPECT_EQ(ReadBytes("data.bin"), "second");
    ASSERT_TRUE(WriteFileAtomically("data.bin", ""));
    EXPECT_TRUE(std::filesystem::exists("data.bin"));
    EXPECT_EQ(ReadBytes("data.bin"), "");
    EXPECT_EQ(FilesHere(), (std::vector<std::string>{"data.bin"}));  // no temporary left behind
}

TEST(SafeFile, WritesIntoTheFolderOfThePathAndKeepsPermissions) {
    std::filesystem::create_directory("sub");
    WriteBytes("sub/f.txt", "old");
    chmod("sub/f.txt", 0640);
    ASSERT_TRUE(WriteFileAtomically("sub/f.txt", "new"));
    EXPECT_EQ(ReadBytes("sub/f.txt"), "new");
    struct stat st {};
    ASSERT_EQ(stat("sub/f.txt", &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("sub"), std::filesystem::directory_iterator()), 1);
}

TEST(SafeFile, AFailedWriteLeavesTheOldFileAndNoTemporary) {
    WriteBytes("stats.sav", "previous");
    {
        HookGuard guard(FailBeforeRename);
        EXPECT_FALSE(WriteFileAtomically("stats.sav", "next"));
    }
    EXPECT_EQ(ReadBytes("stats.sav"), "previous");
    EXPECT_EQ(g_seenTemp.rfind("stats.sav.", 0), 0u);  // the temporary lies beside the file
    EXPECT_EQ(FilesHere(), (std::vector<std::string>{"stats.sav"}));

    EXPECT_FALSE(WriteFileAtomically("missing/folder.cfg", "x"));
    EXPECT_FALSE(WriteFileAtomically("", "x"));
    std::filesystem::create_directory("knobel.cfg");  // a folder cannot be replaced by a file
    EXPECT_FALSE(WriteFileAtomically("knobel.cfg", "x"));
    EXPECT_TRUE(std::filesystem::is_directory("knobel.cfg"));
    EXPECT_EQ(FilesHere().size(), 2u);
}

TEST(SafeFile, ASaveInterruptedBeforeTheRenameLeavesThePreviousFile) {
    GameStatistics stats;
    stats.gamesPlayed = 3;
    ASSERT_TRUE(SaveStatisticsFile("sudoku.sav", stats));
    std::string before = ReadBytes("sudoku.sav");
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The program dies after writing the new contents, before they replace the old file.
        SetAtomicWriteHook(DieBeforeRename);
        stats.gamesPlayed = 4;
        SaveStatisticsFile("sudoku.sav", stats);
        _exit(1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);  // it did die in the middle of the save
    EXPECT_EQ(ReadBytes("sudoku.sav"), before);
    GameStatistics loaded;
    ASSERT_TRUE(LoadStatisticsFile("sudoku.sav", loaded));
    EXPECT_EQ(loaded.gamesPlayed, 3);
}

namespace {
// The id of a process that has ended (and been reaped).
pid_t EndedProcess() {
    pid_t child = fork();
    if (child == 0) _exit(0);
    int status = 0;
    waitpid(child, &status, 0);
    return child;
}
}  // namespace

TEST(SafeFile, ASaveRemovesWhatKilledSavesOfTheSameFileLeftAndNothingElse) {
    const std::string dead = std::to_string(EndedProcess());
    const std::string alive = std::to_string(getppid());  // a save that may still be under way
    const std::vector<std::string> stale = {"stats.sav.tmp." + dead + ".0", "stats.sav.tmp." + dead + ".17"};
    const std::vector<std::string> kept = {
        "stats.sav.tmp." + alive + ".3",   "stats.sav.tmp." + dead,          "stats.sav.tmp." + dead + ".x",
        "stats.sav.tmp." + dead + ".0.bak", "stats.sav.tmp..0",                "stats.sav.bak",
        "xstats.sav.tmp." + dead + ".0",   "sudoku.sav.tmp." + dead + ".0",  "stats.sav.tmp.1" + dead + "0000000.0"};
    for (const std::string& name : stale) WriteBytes(name, "half a save");
    for (const std::string& name : kept) WriteBytes(name, "not ours");
    {
        // A save that fails removes nothing but its own temporary.
        HookGuard guard(FailBeforeRename);
        EXPECT_FALSE(WriteFileAtomically("stats.sav", "lost"));
    }
    EXPECT_EQ(FilesHere().size(), stale.size() + kept.size());
    ASSERT_TRUE(WriteFileAtomically("stats.sav", "complete"));
    EXPECT_EQ(ReadBytes("stats.sav"), "complete");
    for (const std::string& name : stale) EXPECT_FALSE(std::filesystem::exists(name)) << name;
    for (const std::string& name : kept) EXPECT_EQ(ReadBytes(name), "not ours") << name;

    // The same beside a file in another folder.
    std::filesystem::create_directory("sub");
    WriteBytes("sub/f.txt.tmp." + dead + ".1", "half a save");
    ASSERT_TRUE(WriteFileAtomically("sub/f.txt", "new"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("sub"), std::filesystem::directory_iterator()), 1);
}
