#pragma once
// Shared set-up of the intro tests: a hidden main window with its device on the dummy video
// driver, test videos made by the intro generator, and a watch on the files a test opens.
#include <gtest/gtest.h>
#include <SDL.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "app/AppContext.h"
#include "app/Intro.h"
#include "app/WindowProc.h"
#include "platform/Device.h"
#include "platform/VideoLibrary.h"

namespace introtest {

inline std::string IntrogenPath() {
    return (std::filesystem::path(KW_DATA_DIR).parent_path() / "tools" / "introgen" / "introgen").string();
}

// Runs the intro generator with the arguments; true when it wrote the file.
inline bool MakeVideo(const std::string& args, const std::string& out) {
    const std::string command = IntrogenPath() + " " + args + " " + out + " >introgen.log 2>&1";
    return std::system(command.c_str()) == 0 && std::filesystem::exists(out);
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The names of the files opened in a folder while the watch lives (Linux inotify).
class OpenWatch {
public:
    explicit OpenWatch(const std::string& dir) {
        fd_ = inotify_init1(IN_NONBLOCK);
        if (fd_ >= 0) inotify_add_watch(fd_, dir.c_str(), IN_OPEN);
    }
    ~OpenWatch() {
        if (fd_ >= 0) close(fd_);
    }
    OpenWatch(const OpenWatch&) = delete;
    OpenWatch& operator=(const OpenWatch&) = delete;
    bool Ok() const { return fd_ >= 0; }
    std::set<std::string> Opened() {
        alignas(inotify_event) char buffer[8192];
        for (;;) {
            const ssize_t n = read(fd_, buffer, sizeof buffer);
            if (n <= 0) break;
            for (ssize_t at = 0; at < n;) {
                const auto* e = reinterpret_cast<const inotify_event*>(buffer + at);
                if (e->len > 0) names_.insert(e->name);
                at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
            }
        }
        return names_;
    }

private:
    int fd_ = -1;
    std::set<std::string> names_;
};

// While it lives, the video reader takes its functions from libraries that cannot be found, as
// on a machine without FFmpeg.
class MissingVideoLibraries {
public:
    MissingVideoLibraries() : previous_(UseVideoLibrary(&missing_)) {}
    ~MissingVideoLibraries() { UseVideoLibrary(previous_); }
    MissingVideoLibraries(const MissingVideoLibraries&) = delete;
    MissingVideoLibraries& operator=(const MissingVideoLibraries&) = delete;

private:
    static VideoLibraryNames Names() {
        VideoLibraryNames names = DefaultVideoLibraryNames();
        names[kAvFormat] = "libkw-no-such-avformat.so.1";
        return names;
    }
    VideoLibrary missing_{Names()};
    VideoLibrary* previous_;
};

// A hidden main window with its rendering device, as start-up makes them for the intro.
class IntroTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER), 0) << SDL_GetError();
        app = GetAppContext();
        app->window = SDL_CreateWindow("Knobelwerk", 0, 0, 1024, 768, SDL_WINDOW_HIDDEN);
        ASSERT_NE(app->window, nullptr);
        app->device = Device::Create(app->window, app->presentParams);
        ASSERT_NE(app->device, nullptr);
        GetInputFlags() = InputFlags{};
        app->introOnScreen = false;
    }
    void TearDown() override {
        delete app->device;
        app->device = nullptr;
        app->d3d = nullptr;
        if (app->window != nullptr) SDL_DestroyWindow(app->window);
        app->window = nullptr;
        SDL_Quit();
    }

    // Plays a file; the time it took goes to `seconds`.
    IntroReport Play(const char* file, const IntroLimits& limits = {}, const IntroPictureHook& hook = {}) {
        IntroReport report;
        const auto start = std::chrono::steady_clock::now();
        result = PlayIntro(file, limits, &report, hook);
        seconds = SecondsSince(start);
        return report;
    }

    static void PushKey(Uint32 type, SDL_Keycode key) {
        SDL_Event e{};
        e.type = type;
        e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        e.key.keysym.sym = key;
        e.key.keysym.scancode = SDL_GetScancodeFromKey(key);
        e.key.windowID = 0;
        SDL_PushEvent(&e);
    }

    AppContext* app = nullptr;
    HResult result = kOk;
    double seconds = 0.0;
};

}  // namespace introtest
