// Saves killed at any moment. A saving process starts the way the program does (the application
// record reads "stats.sav" and "knobel.cfg") and then rewrites both files in a loop through the
// program's own save functions (tests/helpers/SaveLoop.cpp); the test kills it with SIGKILL at a
// random moment, a thousand times over. After every kill each file holds exactly the complete
// content of the last save that finished or of the one that was under way, and reads back to its
// values; the only temporary files beside them are those of the processes killed since the last
// finished save of that file, as each finished save removes what earlier kills left of it.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "framework/SafeFileTestHelpers.h"
#include "framework/SaveKillContent.h"
#include "framework/Settings.h"
#include "framework/Statistics.h"

extern char** environ;

namespace {
using savekill::Answer;

const char kSettingsFile[] = "knobel.cfg";
const char kStatsFile[] = "stats.sav";
constexpr int kKills = 1000;

// The helper program that forks the saving processes, started once for the whole test.
class SaveLoop {
public:
    bool Start() {
        int commands[2], answers[2];
        if (pipe(commands) != 0 || pipe(answers) != 0) return false;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, commands[0], 0);
        posix_spawn_file_actions_adddup2(&actions, answers[1], 1);
        posix_spawn_file_actions_addclose(&actions, commands[1]);
        posix_spawn_file_actions_addclose(&actions, answers[0]);
        char* argv[] = {const_cast<char*>(KW_SAVE_LOOP), nullptr};
        const int result = posix_spawn(&pid_, KW_SAVE_LOOP, &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        close(commands[0]);
        close(answers[1]);
        commands_ = commands[1];
        answers_ = answers[0];
        return result == 0;
    }
    ~SaveLoop() {
        if (commands_ >= 0) close(commands_);
        if (answers_ >= 0) close(answers_);
        if (pid_ > 0) waitpid(pid_, nullptr, 0);
    }
    // Starts a saver for that many rounds (-1: until it is killed); its id, or -1.
    int Launch(int rounds) {
        Answer a;
        if (write(commands_, &rounds, sizeof rounds) != static_cast<ssize_t>(sizeof rounds) || !Receive(a)) return -1;
        return a.pid;
    }
    // Waits until the saver has ended; what it saved and how it ended.
    Answer Outcome() {
        Answer a;
        if (!Receive(a)) a.pid = -1;
        return a;
    }

private:
    bool Receive(Answer& a) { return read(answers_, &a, sizeof a) == static_cast<ssize_t>(sizeof a); }
    pid_t pid_ = -1;
    int commands_ = -1, answers_ = -1;
};

// The process ids in the names of the temporaries beside fileName ("<fileName>.tmp.<pid>.<n>").
std::vector<long> TemporaryOwners(const std::vector<std::string>& files, const std::string& fileName) {
    std::vector<long> owners;
    const std::string prefix = fileName + ".tmp.";
    for (const std::string& name : files)
        if (name.rfind(prefix, 0) == 0) owners.push_back(std::atol(name.c_str() + prefix.size()));
    return owners;
}

bool Contains(const std::vector<long>& pids, long pid) { return std::find(pids.begin(), pids.end(), pid) != pids.end(); }

// Whether every temporary is one of a process killed since the last finished save of its file.
bool OnlyTemporariesOf(const std::vector<long>& owners, const std::vector<long>& killedSinceLastSave) {
    for (long owner : owners)
        if (!Contains(killedSinceLastSave, owner)) return false;
    return true;
}

void NoteKill(std::vector<long>& killedSinceLastSave, long pid, bool finishedASave) {
    if (finishedASave) killedSinceLastSave.clear();
    killedSinceLastSave.push_back(pid);
}

// The save number of the file on disk when it is complete save `done` or `done` + 1 and reads
// back to that save's values; else -1.
int SettingsSaveOnDisk(int done) {
    const std::string bytes = ReadBytes(kSettingsFile);
    for (int g : {done, done + 1}) {
        const SettingsValues expected = savekill::SettingsOf(g);
        if (bytes != FormatSettings(expected)) continue;
        SettingsValues back;
        std::istringstream in(bytes);
        ParseSettings(in, back);
        const bool same = back.fullScreen == expected.fullScreen && back.language == expected.language &&
                          back.soundVolume == g && back.musicVolume == expected.musicVolume &&
                          back.introEnabled == expected.introEnabled;
        return same ? g : -1;
    }
    return -1;
}

int StatsSaveOnDisk(int done) {
    const std::string bytes = ReadBytes(kStatsFile);
    for (int g : {done, done + 1}) {
        if (bytes != savekill::StatsText(g)) continue;
        GlobalStatistics back;
        if (!LoadStatisticsFile(kStatsFile, back)) return -1;
        const int entries = std::min(savekill::EntriesOf(g), kTopTenSize);
        return back.gamesPlayed == g && back.time == g * 1.5 && back.Entries().Count() == entries ? g : -1;
    }
    return -1;
}

// A folder in memory when the machine has one: a kill does not care whether the page cache has
// reached the disk, and a thousand rounds of fsync on a busy disk take minutes.
class SaveKill : public ::testing::Test {
protected:
    void SetUp() override {
        home_ = std::filesystem::current_path();
        std::string pattern = "/dev/shm/kwkill-XXXXXX";
        if (access("/dev/shm", W_OK) == 0 && mkdtemp(pattern.data()) != nullptr) {
            dir_ = pattern;
            std::filesystem::current_path(dir_);
        }
    }
    void TearDown() override {
        std::filesystem::current_path(home_);
        std::error_code ec;
        if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
    }
    std::filesystem::path home_, dir_;
};
}  // namespace

TEST_F(SaveKill, AKilledSaveLeavesTheOldOrTheNewFileAndTheNextSaveClearsItsTemporary) {
    WriteBytes(kSettingsFile, FormatSettings(savekill::SettingsOf(0)));
    WriteBytes(kStatsFile, savekill::StatsText(0));
    SaveLoop loop;
    ASSERT_TRUE(loop.Start());

    // Twenty rounds run to their end; their time sets the span in which the kills fall.
    constexpr int kCalibrationRounds = 20;
    const auto started = std::chrono::steady_clock::now();
    ASSERT_GT(loop.Launch(kCalibrationRounds), 0);
    Answer calibration = loop.Outcome();
    const long roundMicros = static_cast<long>(std::chrono::duration_cast<std::chrono::microseconds>(
                                                   std::chrono::steady_clock::now() - started).count()) /
                             kCalibrationRounds;
    ASSERT_TRUE(WIFEXITED(calibration.status) && WEXITSTATUS(calibration.status) == 0) << calibration.status;
    ASSERT_EQ(calibration.settingsDone, kCalibrationRounds);
    ASSERT_EQ(calibration.statsDone, kCalibrationRounds);
    ASSERT_EQ(FilesHere().size(), 2u);
    // Kills fall anywhere in the first round and a half after the saver has started.
    const long span = std::max<long>(20, 3 * roundMicros / 2);

    std::mt19937 rng(20);
    int settingsDone = calibration.settingsDone, statsDone = calibration.statsDone;
    std::vector<long> settingsKills, statsKills;  // killed since the last finished save of each file
    int killsInsideASave = 0, killsBeforeTheReport = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        const int pid = loop.Launch(-1);
        ASSERT_GT(pid, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<long>(0, span)(rng)));
        ::kill(pid, SIGKILL);
        const Answer outcome = loop.Outcome();
        ASSERT_EQ(outcome.pid, pid);
        ASSERT_TRUE(WIFSIGNALED(outcome.status) && WTERMSIG(outcome.status) == SIGKILL) << outcome.status;

        const int settingsBase = outcome.settingsDone >= 0 ? outcome.settingsDone : settingsDone;
        const int statsBase = outcome.statsDone >= 0 ? outcome.statsDone : statsDone;
        const int settingsNow = SettingsSaveOnDisk(settingsBase);
        const int statsNow = StatsSaveOnDisk(statsBase);
        ASSERT_GE(settingsNow, 0) << "knobel.cfg is neither save " << settingsBase << " nor the next:\n"
                                  << ReadBytes(kSettingsFile);
        ASSERT_GE(statsNow, 0) << "stats.sav is neither save " << statsBase << " nor the next:\n" << ReadBytes(kStatsFile);
        NoteKill(settingsKills, pid, outcome.settingsDone >= 0);
        NoteKill(statsKills, pid, outcome.statsDone >= 0);
        const std::vector<std::string> files = FilesHere();
        const std::vector<long> settingsTemporaries = TemporaryOwners(files, kSettingsFile);
        const std::vector<long> statsTemporaries = TemporaryOwners(files, kStatsFile);
        ASSERT_TRUE(OnlyTemporariesOf(settingsTemporaries, settingsKills));
        ASSERT_TRUE(OnlyTemporariesOf(statsTemporaries, statsKills));
        if (Contains(settingsTemporaries, pid) || Contains(statsTemporaries, pid)) ++killsInsideASave;
        if (settingsNow > settingsBase || statsNow > statsBase) ++killsBeforeTheReport;
        settingsDone = settingsNow;
        statsDone = statsNow;
    }
    std::printf("%d kills (round %ld us): %d inside a save, %d after a rename before its report\n", kKills,
                roundMicros, killsInsideASave, killsBeforeTheReport);
    RecordProperty("kills_inside_a_save", killsInsideASave);
    // The kills did fall into saves, not only between them.
    EXPECT_GT(killsInsideASave, kKills / 100);

    // One more round to its end: its saves remove what the last kills left.
    ASSERT_GT(loop.Launch(1), 0);
    const Answer last = loop.Outcome();
    ASSERT_TRUE(WIFEXITED(last.status) && WEXITSTATUS(last.status) == 0);
    EXPECT_EQ(last.settingsDone, settingsDone + 1);
    EXPECT_EQ(last.statsDone, statsDone + 1);
    EXPECT_EQ(SettingsSaveOnDisk(last.settingsDone), last.settingsDone);
    EXPECT_EQ(StatsSaveOnDisk(last.statsDone), last.statsDone);
    std::vector<std::string> files = FilesHere();
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{kSettingsFile, kStatsFile})) << "temporaries are left";
}
