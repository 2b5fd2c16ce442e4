#include "platform/VideoLibrary.h"

#include <dlfcn.h>

#include <atomic>

#include "platform/VideoApi.h"

extern "C" {
#include <libavcodec/version.h>
#include <libavformat/version.h>
#include <libavutil/version.h>
#include <libswresample/version.h>
#include <libswscale/version.h>
}

#define KW_VIDEO_TEXT(x) #x
#define KW_VIDEO_SONAME(name, major) "lib" name ".so." KW_VIDEO_TEXT(major)

VideoLibraryNames DefaultVideoLibraryNames() {
    return {KW_VIDEO_SONAME("avutil", LIBAVUTIL_VERSION_MAJOR),
            KW_VIDEO_SONAME("swresample", LIBSWRESAMPLE_VERSION_MAJOR),
            KW_VIDEO_SONAME("swscale", LIBSWSCALE_VERSION_MAJOR),
            KW_VIDEO_SONAME("avcodec", LIBAVCODEC_VERSION_MAJOR),
            KW_VIDEO_SONAME("avformat", LIBAVFORMAT_VERSION_MAJOR)};
}

VideoLibrary::VideoLibrary(VideoLibraryNames names) : names_(std::move(names)) {}

VideoLibrary::~VideoLibrary() { CloseAll(); }

void VideoLibrary::CloseAll() {
    for (int i = kVideoLibraryCount - 1; i >= 0; --i) {
        if (handles_[i] != nullptr) dlclose(handles_[i]);
        handles_[i] = nullptr;
    }
}

const VideoApi* VideoLibrary::Get() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (tried_) return api_.get();
    tried_ = true;
    for (int i = 0; i < kVideoLibraryCount; ++i) {
        // Every symbol bound now: a library that does not fit shows here, not in mid-video.
        handles_[i] = dlopen(names_[i].c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handles_[i] == nullptr) {
            const char* why = dlerror();
            error_ = why != nullptr ? why : names_[i] + ": cannot be opened";
            CloseAll();
            return nullptr;
        }
    }
    auto api = std::make_unique<VideoApi>();
    const auto find = [&](int library, const char* name, void*& out) {
        if (!error_.empty()) return;
        dlerror();
        out = dlsym(handles_[library], name);
        if (out == nullptr) error_ = names_[library] + ": no " + name;
    };
#define KW_VIDEO_FIND(library, name)                              \
    {                                                             \
        void* address = nullptr;                                  \
        find(library, #name, address);                            \
        api->name = reinterpret_cast<decltype(api->name)>(address); \
    }
    KW_VIDEO_FUNCTIONS(KW_VIDEO_FIND)
#undef KW_VIDEO_FIND
    if (!error_.empty()) {
        CloseAll();
        return nullptr;
    }
    api_ = std::move(api);
    return api_.get();
}

std::string VideoLibrary::Error() {
    std::lock_guard<std::mutex> lock(mutex_);
    return error_;
}

namespace {
std::atomic<VideoLibrary*> g_replacement{nullptr};
}  // namespace

VideoLibrary& CurrentVideoLibrary() {
    if (VideoLibrary* replacement = g_replacement.load()) return *replacement;
    // Made once and never destroyed: the libraries stay loaded to the end of the process.
    static VideoLibrary* const program = new VideoLibrary();
    return *program;
}

VideoLibrary* UseVideoLibrary(VideoLibrary* library) { return g_replacement.exchange(library); }
