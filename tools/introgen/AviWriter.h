#pragma once
// Writes an AVI file: MPEG-4 Part 2 pictures in yuv420p and, if asked for, a 16-bit PCM mono
// sound track. Every run with the same input writes the same bytes (bit-exact encoding, one
// thread, no version strings in the file).
#include <cstdint>
#include <string>

struct AVFormatContext;
struct AVCodecContext;
struct AVStream;
struct AVFrame;
struct AVPacket;
struct SwsContext;

struct AviSettings {
    int width = 1024;
    int height = 768;
    int fps = 25;
    int keyInterval = 25;  // at most this many frames from one key frame to the next
    int quantiser = 3;     // MPEG-4 quantiser: 2 (best) .. 31
    int soundRate = 0;     // samples a second of the sound track; 0 writes none
};

class AviWriter {
public:
    AviWriter() = default;
    ~AviWriter();
    AviWriter(const AviWriter&) = delete;
    AviWriter& operator=(const AviWriter&) = delete;

    bool Open(const std::string& path, const AviSettings& settings);
    // One picture (cairo's ARGB32: B, G, R, A bytes in memory; stride bytes a row) shown from
    // frame number `index` on. Numbers must grow; a gap makes the picture's time stamp jump.
    // A quantiser above 0 encodes this picture with it instead of the file's.
    bool AddPicture(const uint8_t* bgra, int stride, int64_t index, int quantiser = 0);
    // Sound samples, appended to the sound track.
    bool AddSound(const int16_t* samples, int count);
    // Flushes the encoders and writes the index; the file is complete only after this.
    bool Finish();
    const std::string& Error() const { return error_; }

private:
    bool Fail(const std::string& what, int code = 0);
    bool Drain(AVCodecContext* codec, AVStream* stream);
    void Release();

    AviSettings settings_;
    AVFormatContext* format_ = nullptr;
    AVCodecContext* video_ = nullptr;
    AVCodecContext* sound_ = nullptr;
    AVStream* videoStream_ = nullptr;
    AVStream* soundStream_ = nullptr;
    AVFrame* picture_ = nullptr;
    AVFrame* samples_ = nullptr;
    AVPacket* packet_ = nullptr;
    SwsContext* convert_ = nullptr;
    int64_t soundPosition_ = 0;
    bool headerWritten_ = false;
    std::string error_;
};
