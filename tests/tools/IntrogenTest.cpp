// The intro video as the build makes it: the same bytes every time, the promised format when
// FFmpeg reads it back, and a last picture that is the loading screen's title picture. Also
// the generator's test videos as the intro tests use them.
#include <gtest/gtest.h>
#include <SDL.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <cmath>
#include <string>
#include <vector>

#include "app/IntroTestSupport.h"
#include "platform/Archive.h"
#include "platform/Texture.h"
#include "platform/VideoFile.h"

using introtest::MakeVideo;
using introtest::ReadBytes;

namespace {
const std::string kShipped = std::string(KW_DATA_DIR) + "/intro.avi";

struct StreamFacts {
    AVCodecID videoCodec = AV_CODEC_ID_NONE, soundCodec = AV_CODEC_ID_NONE;
    int width = 0, height = 0, pixelFormat = -1, soundRate = 0, soundChannels = 0;
    AVRational frameRate{0, 1};
    int pictures = 0;
    int longestKeyGap = 0;  // most pictures from one key frame to the next
    double seconds = 0.0;
};

// Reads the file with FFmpeg itself: stream parameters and every video packet.
StreamFacts Probe(const std::string& path) {
    StreamFacts f;
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0) return f;
    if (avformat_find_stream_info(format, nullptr) >= 0) {
        int video = -1;
        for (unsigned i = 0; i < format->nb_streams; ++i) {
            const AVStream* s = format->streams[i];
            if (s->codecpar->codec_type == AVMEDIA_TYPE_VIDEO) {
                video = static_cast<int>(i);
                f.videoCodec = s->codecpar->codec_id;
                f.width = s->codecpar->width;
                f.height = s->codecpar->height;
                f.pixelFormat = s->codecpar->format;
                f.frameRate = s->avg_frame_rate;
            } else if (s->codecpar->codec_type == AVMEDIA_TYPE_AUDIO) {
                f.soundCodec = s->codecpar->codec_id;
                f.soundRate = s->codecpar->sample_rate;
                f.soundChannels = s->codecpar->ch_layout.nb_channels;
            }
        }
        AVPacket* p = av_packet_alloc();
        int sinceKey = 0;
        while (av_read_frame(format, p) >= 0) {
            if (p->stream_index == video) {
                ++f.pictures;
                sinceKey = (p->flags & AV_PKT_FLAG_KEY) ? 1 : sinceKey + 1;
                f.longestKeyGap = std::max(f.longestKeyGap, sinceKey);
                if (p->pts != AV_NOPTS_VALUE) {
                    const double end = (p->pts + std::max<int64_t>(p->duration, 1)) * av_q2d(format->streams[video]->time_base);
                    f.seconds = std::max(f.seconds, end);
                }
            }
            av_packet_unref(p);
        }
        av_packet_free(&p);
    }
    avformat_close_input(&format);
    return f;
}

// Every picture of a file through the game's own reader.
std::vector<std::pair<double, std::vector<uint8_t>>> CentreSamples(const std::string& path) {
    std::vector<std::pair<double, std::vector<uint8_t>>> out;
    VideoFile video;
    if (!video.Open(path.c_str(), false)) return out;
    VideoPicture p;
    while (video.NextPicture(p) == VideoFile::Status::kPicture) {
        const int x = p.width / 2, y = p.height / 2;
        out.push_back({p.seconds,
                       {p.planes[0][y * p.pitches[0] + x], p.planes[1][y / 2 * p.pitches[1] + x / 2],
                        p.planes[2][y / 2 * p.pitches[2] + x / 2]}});
    }
    return out;
}
}  // namespace

TEST(Introgen, WritesTheSameBytesEveryTime) {
    ASSERT_TRUE(MakeVideo("", "again.avi")) << ReadBytes("introgen.log");
    const std::string shipped = ReadBytes(kShipped), again = ReadBytes("again.avi");
    ASSERT_FALSE(shipped.empty());
    EXPECT_TRUE(shipped == again) << "sizes " << shipped.size() << " and " << again.size();
    ASSERT_TRUE(MakeVideo("--pattern --size 160x120 --seconds 1 --sound", "a.avi"));
    ASSERT_TRUE(MakeVideo("--pattern --size 160x120 --seconds 1 --sound", "b.avi"));
    EXPECT_TRUE(ReadBytes("a.avi") == ReadBytes("b.avi"));
}

TEST(Introgen, TheIntroIsAShortMpeg4AviWithKeyFramesEverySecond) {
    EXPECT_LT(ReadBytes(kShipped).size(), 1000000u);
    const StreamFacts f = Probe(kShipped);
    EXPECT_EQ(f.videoCodec, AV_CODEC_ID_MPEG4);
    EXPECT_EQ(f.width, 1024);
    EXPECT_EQ(f.height, 768);
    EXPECT_EQ(f.pixelFormat, AV_PIX_FMT_YUV420P);
    EXPECT_EQ(f.frameRate.num, 25);
    EXPECT_EQ(f.frameRate.den, 1);
    EXPECT_EQ(f.pictures, 90);
    EXPECT_GE(f.seconds, 3.0);
    EXPECT_LE(f.seconds, 4.0);
    EXPECT_GE(f.longestKeyGap, 1);
    EXPECT_LE(f.longestKeyGap, 25);
    EXPECT_EQ(f.soundCodec, AV_CODEC_ID_PCM_S16LE);
    EXPECT_EQ(f.soundRate, 22050);
    EXPECT_EQ(f.soundChannels, 1);
}

// The intro's last picture, drawn as the game draws it (the YUV texture on the software
// renderer), against the title picture of splash.PNG in the archive.
TEST(Introgen, TheIntroEndsOnTheLoadingScreensPicture) {
    VideoFile video;
    ASSERT_TRUE(video.Open(kShipped.c_str(), false));
    VideoPicture p;
    int count = 0;
    std::vector<uint8_t> y, u, v;
    int pitches[3] = {};
    while (video.NextPicture(p) == VideoFile::Status::kPicture) {
        ++count;
        y.assign(p.planes[0], p.planes[0] + p.pitches[0] * p.height);
        u.assign(p.planes[1], p.planes[1] + p.pitches[1] * (p.height / 2));
        v.assign(p.planes[2], p.planes[2] + p.pitches[2] * (p.height / 2));
        std::copy(p.pitches, p.pitches + 3, pitches);
    }
    ASSERT_EQ(count, 90);

    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
    SDL_Window* window = SDL_CreateWindow("t", 0, 0, 1024, 768, SDL_WINDOW_HIDDEN);
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_IYUV, SDL_TEXTUREACCESS_STREAMING, 1024, 768);
    ASSERT_NE(texture, nullptr);
    SDL_UpdateYUVTexture(texture, nullptr, y.data(), pitches[0], u.data(), pitches[1], v.data(), pitches[2]);
    SDL_RenderCopy(renderer, texture, nullptr, nullptr);
    std::vector<uint32_t> shown(1024 * 768);
    SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, shown.data(), 1024 * 4);
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    SDL_Quit();

    FILE* archive = OpenArchive(KW_DATA_DIR "/sport.gob");
    std::vector<uint8_t> png;
    ASSERT_TRUE(ReadArchiveEntry(archive, "splash.PNG", png));
    CloseArchive(archive);
    TextureImage splash;
    ASSERT_TRUE(DecodeTextureImage(png.data(), png.size(), splash));
    double total = 0;
    int worstBlock = 0;
    // Mean difference over the whole picture, and the worst 32 x 32 block (a missing or moved
    // part of the picture shows there even when the mean is small).
    for (int by = 0; by < 768; by += 32)
        for (int bx = 0; bx < 1024; bx += 32) {
            double block = 0;
            for (int yy = by; yy < by + 32; ++yy)
                for (int xx = bx; xx < bx + 32; ++xx) {
                    const uint32_t a = shown[yy * 1024 + xx], b = splash.pixels[yy * splash.imageWidth + xx];
                    for (int shift : {16, 8, 0})
                        block += std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
                }
            total += block;
            worstBlock = std::max(worstBlock, static_cast<int>(block / (32 * 32 * 3)));
        }
    EXPECT_LT(total / (1024.0 * 768 * 3), 3.0);
    EXPECT_LT(worstBlock, 12);
}

TEST(Introgen, TestPatternIsRedThenBlueWithStampsThatCanJump) {
    ASSERT_TRUE(MakeVideo("--pattern --size 160x120 --seconds 1 --red-seconds 0.4", "rb.avi"));
    auto samples = CentreSamples("rb.avi");
    ASSERT_EQ(samples.size(), 25u);
    auto near = [](const std::vector<uint8_t>& got, std::vector<int> want) {
        for (int i = 0; i < 3; ++i)
            if (std::abs(got[i] - want[i]) > 4) return false;
        return true;
    };
    EXPECT_TRUE(near(samples[5].second, {81, 90, 240}));    // red in studio-range BT.601
    EXPECT_TRUE(near(samples[20].second, {41, 240, 110}));  // blue
    EXPECT_DOUBLE_EQ(samples[0].first, 0.0);
    EXPECT_NEAR(samples[24].first, 0.96, 1e-9);

    ASSERT_TRUE(MakeVideo("--pattern --size 160x120 --seconds 1 --jump-after 5 --jump-seconds 100", "jump.avi"));
    samples = CentreSamples("jump.avi");
    ASSERT_EQ(samples.size(), 25u);
    EXPECT_NEAR(samples[5].first, 0.2, 1e-9);
    EXPECT_NEAR(samples[6].first, 100.24, 1e-9);

    EXPECT_FALSE(MakeVideo("--pattern --size 161x120", "odd.avi"));
    EXPECT_FALSE(MakeVideo("--sound", "intro-with-options.avi"));
    EXPECT_FALSE(MakeVideo("--nonsense", "x.avi"));
}
