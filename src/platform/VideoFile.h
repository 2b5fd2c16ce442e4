#pragma once
// Reads the intro video. The file is untrusted: only the AVI demuxer reads it, only from the one
// plain file named (no playlists, no other files or protocols), it must hold a video stream of
// a sane size, every picture is handed out as planar YUV 4:2:0 whatever the decoder produces,
// and missing or broken time stamps are replaced by the frame rate.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

struct AVFormatContext;
struct AVIOContext;
struct AVCodecContext;
struct AVFrame;
struct AVPacket;
struct SwsContext;
struct SwrContext;
struct AVDictionary;
struct VideoApi;

// Limits of what is played: sides of a picture, size of the file.
constexpr int kMinVideoSide = 16;
constexpr int kMaxVideoSide = 4096;
constexpr int64_t kMaxVideoFileBytes = 128ll << 20;
// Sound is handed out as interleaved signed 16-bit stereo at this rate.
constexpr int kVideoSoundRate = 44100;
// At most this much decoded sound waits to be taken (four seconds); more is dropped.
constexpr size_t kMaxPendingSoundSamples = static_cast<size_t>(kVideoSoundRate) * 2 * 4;
// The frame rate assumed when the file gives none that makes sense.
constexpr double kDefaultVideoFps = 25.0;

// One picture in planar YUV 4:2:0 (BT.601, studio range). The planes belong to the reader and
// stay valid until its next NextPicture call.
struct VideoPicture {
    const uint8_t* planes[3] = {nullptr, nullptr, nullptr};
    int pitches[3] = {0, 0, 0};
    int width = 0, height = 0;
    double seconds = 0.0;  // when it is shown, from the start of the video
};

// Turns the time stamps of the pictures into seconds from the start: the first stamp counts as
// 0; a picture without a usable stamp (none, no usable time base, a result that is not a finite
// number) comes one frame after the one before.
class PictureClock {
public:
    // timeBase: seconds per stamp tick, 0 (or less) when the file gives no usable one.
    PictureClock(double timeBase, double frameDuration) : timeBase_(timeBase), frameDuration_(frameDuration) {}
    double Next(int64_t stamp, bool hasStamp);

private:
    double timeBase_;
    double frameDuration_;
    bool started_ = false;
    bool haveFirst_ = false;
    int64_t first_ = 0;
    double last_ = 0.0;
};

class VideoFile {
public:
    enum class Status { kPicture, kEnd, kError };

    VideoFile();
    ~VideoFile();
    VideoFile(const VideoFile&) = delete;
    VideoFile& operator=(const VideoFile&) = delete;

    // Asked again and again while the file is opened and read; when it returns true every read
    // stops at once and fails. Set it before Open.
    void SetAbortCheck(std::function<bool()> check) { abort_ = std::move(check); }

    // Opens an AVI file and its video stream; with wantSound also its sound stream, if it has
    // one that can be decoded. False for anything else, and when the video libraries cannot be
    // loaded (VideoLibrary.h); the reader is then closed.
    bool Open(const char* path, bool wantSound);
    void Close();

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Width over height as shown (the sample aspect ratio applied, when the file gives a sane one).
    double DisplayAspect() const { return aspect_; }
    double FrameDuration() const { return frameDuration_; }
    bool HasSound() const { return sound_ != nullptr; }

    // Decodes up to the next picture. Sound decoded on the way waits for TakeSound. kEnd after
    // the last picture; kError for a read or decode error of the video, or when aborted.
    Status NextPicture(VideoPicture& out);
    // Moves the sound decoded so far to the end of out.
    void TakeSound(std::vector<int16_t>& out);

    // How many times the demuxer asked to open another file or address (always refused).
    int RefusedOpens() const { return refusedOpens_; }

private:
    static int Interrupt(void* self);
    static int RefuseOpen(AVFormatContext* s, AVIOContext** pb, const char* url, int flags, AVDictionary** options);
    bool Aborted() const { return abort_ && abort_(); }
    bool OpenVideo();
    void OpenSound();
    bool Deliver(VideoPicture& out);
    void DecodeSound(const AVPacket* packet);
    void Resample(const AVFrame* frame);
    void DropSound();

    std::function<bool()> abort_;
    const VideoApi* api_ = nullptr;  // the library functions, from Open to Close
    AVIOContext* io_ = nullptr;
    AVFormatContext* format_ = nullptr;
    AVCodecContext* video_ = nullptr;
    AVCodecContext* sound_ = nullptr;
    AVFrame* frame_ = nullptr;
    AVFrame* soundFrame_ = nullptr;
    AVFrame* converted_ = nullptr;
    AVPacket* packet_ = nullptr;
    SwsContext* scaler_ = nullptr;
    int scalerFormat_ = -1;
    SwrContext* resampler_ = nullptr;
    int resampleFormat_ = -1, resampleRate_ = 0, resampleChannels_ = 0;
    int videoIndex_ = -1, soundIndex_ = -1;
    int width_ = 0, height_ = 0;
    double aspect_ = 4.0 / 3.0;
    double frameDuration_ = 1.0 / kDefaultVideoFps;
    PictureClock clock_{0.0, 1.0 / kDefaultVideoFps};
    bool draining_ = false;
    int refusedOpens_ = 0;
    std::vector<int16_t> pendingSound_;
};
