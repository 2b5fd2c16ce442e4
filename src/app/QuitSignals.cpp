#include "app/QuitSignals.h"

#include <SDL.h>
#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <mutex>
#include <thread>

namespace {
std::atomic<bool> g_signalled{false};
std::mutex g_queueMutex;
bool g_queueOpen = false;

sigset_t QuitSignalSet() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    sigaddset(&set, SIGINT);
    return set;
}

void PushQuit() {
    SDL_Event event{};
    event.type = SDL_QUIT;
    SDL_PushEvent(&event);
}
}  // namespace

void WatchQuitSignals() {
    const sigset_t set = QuitSignalSet();
    if (pthread_sigmask(SIG_BLOCK, &set, nullptr) != 0) return;
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    std::thread([set] {
        for (;;) {
            int signal = 0;
            if (sigwait(&set, &signal) != 0) continue;
            g_signalled = true;
            std::lock_guard<std::mutex> lock(g_queueMutex);
            if (g_queueOpen) PushQuit();
        }
    }).detach();
}

void SetQuitEventsOpen(bool open) {
    std::lock_guard<std::mutex> lock(g_queueMutex);
    g_queueOpen = open;
    if (open && g_signalled) PushQuit();
}

bool QuitSignalled() { return g_signalled; }
