#pragma once
// The FFmpeg libraries behind the video reader are not linked into the program: they are opened
// with the dynamic loader the first time a video is opened. A start without the intro never
// maps them (nor the hundred libraries they bring along), and the program runs on a machine
// without them; it then simply has no intro.
#include <array>
#include <memory>
#include <mutex>
#include <string>

struct VideoApi;  // the table of functions (platform/VideoApi.h)

// The libraries, in the order they are opened.
enum VideoLibraryIndex { kAvUtil, kSwResample, kSwScale, kAvCodec, kAvFormat, kVideoLibraryCount };
using VideoLibraryNames = std::array<std::string, kVideoLibraryCount>;

// The sonames of the versions the program was compiled against, e.g. "libavformat.so.59".
VideoLibraryNames DefaultVideoLibraryNames();

class VideoLibrary {
public:
    explicit VideoLibrary(VideoLibraryNames names = DefaultVideoLibraryNames());
    // Closes what this object opened.
    ~VideoLibrary();
    VideoLibrary(const VideoLibrary&) = delete;
    VideoLibrary& operator=(const VideoLibrary&) = delete;

    // The functions, loaded at the first call (from any thread); null when a library or one of
    // the functions is missing. Nothing stays open after a failure, and it is not tried again.
    const VideoApi* Get();
    // What was missing, after a failed Get; empty otherwise.
    std::string Error();

private:
    void CloseAll();

    std::mutex mutex_;
    const VideoLibraryNames names_;
    std::array<void*, kVideoLibraryCount> handles_{};
    std::unique_ptr<VideoApi> api_;
    bool tried_ = false;
    std::string error_;
};

// The libraries the video reader takes its functions from: the program's own, which stay
// loaded once loaded until the process ends.
VideoLibrary& CurrentVideoLibrary();
// Puts another in place (for tests); null goes back to the program's own. Returns the one
// that was in place.
VideoLibrary* UseVideoLibrary(VideoLibrary* library);
