// The saving process of the save-kill test (tests/framework/SaveKillTest.cpp). It is a small
// program of its own, so that forking it a thousand times stays cheap. It reads commands from
// standard input and answers on standard output (see savekill::Answer): for each command it
// starts a saver, which starts the way the program does (the application record reads
// "stats.sav" and "knobel.cfg" in the working directory) and then rewrites both files through
// the program's own save functions, round after round, reporting each finished save.
#include <sys/wait.h>
#include <unistd.h>

#include "app/AppContext.h"
#include "framework/SaveKillContent.h"
#include "framework/Settings.h"
#include "framework/Statistics.h"

namespace {
const char kSettingsFile[] = "knobel.cfg";
const char kStatsFile[] = "stats.sav";

// A saver's report of a finished save ('S' settings, 'T' statistics) or of its start ('R').
// Eight bytes, so that a report is never torn by a kill.
struct Report {
    char file;
    char pad[3];
    int generation;
};

void Send(int fd, char file, int generation) {
    Report r{file, {}, generation};
    if (write(fd, &r, sizeof r) != static_cast<ssize_t>(sizeof r)) _exit(3);
}

// Each file continues from the save number it read back, so a file that did not read back
// correctly shows in the test's next check.
[[noreturn]] void Save(int fd, int rounds) {
    auto* app = new AppContext();
    int settingsGeneration = app->soundVolume;
    int statsGeneration = app->statistics->gamesPlayed;
    Send(fd, 'R', 0);
    for (int round = 0; rounds < 0 || round < rounds; ++round) {
        const SettingsValues v = savekill::SettingsOf(++settingsGeneration);
        app->fullScreen = v.fullScreen;
        app->language = v.language;
        app->soundVolume = v.soundVolume;
        app->musicVolume = v.musicVolume;
        app->introEnabled = v.introEnabled;
        if (!WriteSettings(*app, kSettingsFile)) _exit(4);
        Send(fd, 'S', settingsGeneration);
        savekill::FillStatistics(*app->statistics, ++statsGeneration);
        if (!SaveStatisticsFile(kStatsFile, *app->statistics)) _exit(5);
        Send(fd, 'T', statsGeneration);
    }
    _exit(0);  // without the record's own save at exit
}

// Reads reports until the ready report, or (untilReady false) until the saver is gone.
void ReadReports(int fd, bool untilReady, savekill::Answer& answer) {
    Report r;
    while (read(fd, &r, sizeof r) == static_cast<ssize_t>(sizeof r)) {
        if (r.file == 'S') answer.settingsDone = r.generation;
        if (r.file == 'T') answer.statsDone = r.generation;
        if (r.file == 'R' && untilReady) return;
    }
}

bool Answer(const savekill::Answer& answer) {
    return write(1, &answer, sizeof answer) == static_cast<ssize_t>(sizeof answer);
}

// A saver forked ahead of its command: it waits for the number of rounds, then starts.
struct Saver {
    pid_t pid = -1;
    int command = -1;  // write end: the rounds
    int reports = -1;  // read end: its reports
};

Saver ForkSaver() {
    Saver saver;
    int command[2], reports[2];
    if (pipe(command) != 0 || pipe(reports) != 0) return saver;
    saver.pid = fork();
    if (saver.pid == 0) {
        close(command[1]);
        close(reports[0]);
        close(0);
        close(1);
        int rounds = 0;
        if (read(command[0], &rounds, sizeof rounds) != static_cast<ssize_t>(sizeof rounds)) _exit(0);
        Save(reports[1], rounds);
    }
    close(command[0]);
    close(reports[1]);
    saver.command = command[1];
    saver.reports = reports[0];
    return saver;
}

void Dismiss(Saver& saver) {
    if (saver.pid <= 0) return;
    close(saver.command);  // it ends without saving
    close(saver.reports);
    waitpid(saver.pid, nullptr, 0);
    saver.pid = -1;
}
}  // namespace

// The next saver is forked while the current one runs, so that the test does not wait for forks.
int main() {
    Saver ahead = ForkSaver();
    int rounds = 0;
    while (read(0, &rounds, sizeof rounds) == static_cast<ssize_t>(sizeof rounds)) {
        Saver saver = ahead;
        if (saver.pid <= 0) return 1;
        savekill::Answer answer;
        answer.pid = saver.pid;
        if (write(saver.command, &rounds, sizeof rounds) != static_cast<ssize_t>(sizeof rounds)) return 1;
        ReadReports(saver.reports, true, answer);
        if (!Answer(answer)) return 1;
        ahead = ForkSaver();
        int status = 0;
        if (waitpid(saver.pid, &status, 0) != saver.pid) return 1;
        ReadReports(saver.reports, false, answer);
        close(saver.command);
        close(saver.reports);
        answer.status = status;
        if (!Answer(answer)) return 1;
    }
    Dismiss(ahead);
    return 0;
}
