// The intro's video reader: the clock that turns time stamps into seconds, and the reader's
// life on generated files (open, read, sound, end, reuse).
#include "platform/VideoFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "app/IntroTestSupport.h"

using introtest::MakeVideo;

TEST(PictureClock, StampsCountFromTheFirstAndGapsAreFilledByTheFrameRate) {
    PictureClock clock(1.0 / 25, 1.0 / 25);
    EXPECT_DOUBLE_EQ(clock.Next(1000, true), 0.0);  // a file that does not start at 0
    EXPECT_DOUBLE_EQ(clock.Next(1001, true), 0.04);
    EXPECT_DOUBLE_EQ(clock.Next(0, false), 0.08);  // no stamp: one frame after the last
    EXPECT_DOUBLE_EQ(clock.Next(1003, true), 0.12);
    EXPECT_DOUBLE_EQ(clock.Next(3500, true), 100.0);  // a jump is reported as it is
    EXPECT_DOUBLE_EQ(clock.Next(1004, true), 0.16);   // and so is a step back
}

TEST(PictureClock, WithoutAUsableTimeBaseThePicturesAreCounted) {
    for (double timeBase : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        PictureClock clock(timeBase, 0.04);
        EXPECT_DOUBLE_EQ(clock.Next(77, true), 0.0);
        EXPECT_DOUBLE_EQ(clock.Next(5, true), 0.04);
        EXPECT_DOUBLE_EQ(clock.Next(0, false), 0.08);
    }
}

TEST(PictureClock, ExtremeStampsGiveFiniteTimes) {
    PictureClock clock(1e300, 0.04);
    EXPECT_DOUBLE_EQ(clock.Next(std::numeric_limits<int64_t>::min(), true), 0.0);
    const double far = clock.Next(std::numeric_limits<int64_t>::max(), true);  // overflows to infinity
    EXPECT_TRUE(std::isfinite(far));
    EXPECT_DOUBLE_EQ(far, 0.04);
}

TEST(VideoFile, ReadsPicturesAndSoundOfAGeneratedFileAndCanBeUsedAgain) {
    ASSERT_TRUE(MakeVideo("--pattern --size 160x120 --seconds 1 --sound", "tone.avi"));
    ASSERT_TRUE(MakeVideo("--pattern --size 320x240 --seconds 0.2", "quiet.avi"));
    VideoFile video;
    VideoPicture p;
    EXPECT_EQ(video.NextPicture(p), VideoFile::Status::kError);  // nothing open
    EXPECT_FALSE(video.Open(nullptr, true));
    EXPECT_FALSE(video.Open("missing.avi", true));

    ASSERT_TRUE(video.Open("tone.avi", true));
    EXPECT_EQ(video.Width(), 160);
    EXPECT_EQ(video.Height(), 120);
    EXPECT_DOUBLE_EQ(video.DisplayAspect(), 160.0 / 120.0);
    EXPECT_DOUBLE_EQ(video.FrameDuration(), 0.04);
    EXPECT_TRUE(video.HasSound());
    int pictures = 0;
    std::vector<int16_t> sound;
    VideoFile::Status s;
    while ((s = video.NextPicture(p)) == VideoFile::Status::kPicture) {
        ++pictures;
        EXPECT_EQ(p.width, 160);
        EXPECT_GE(p.pitches[0], 160);
        video.TakeSound(sound);
    }
    video.TakeSound(sound);
    EXPECT_EQ(s, VideoFile::Status::kEnd);
    EXPECT_EQ(video.NextPicture(p), VideoFile::Status::kEnd);
    EXPECT_EQ(pictures, 25);
    // One second of stereo at 44.1 kHz, the tone (half of full scale) on both sides alike.
    EXPECT_NEAR(static_cast<double>(sound.size()), 2 * 44100.0, 2 * 1000.0);
    int peak = 0;
    bool sidesAlike = true;
    for (size_t i = 0; i + 1 < sound.size(); i += 2) {
        peak = std::max(peak, std::abs(static_cast<int>(sound[i])));
        sidesAlike = sidesAlike && sound[i] == sound[i + 1];
    }
    EXPECT_NEAR(peak, 16384, 400);
    EXPECT_TRUE(sidesAlike);

    // The same reader again, on another file, without its sound.
    ASSERT_TRUE(video.Open("tone.avi", false));
    EXPECT_FALSE(video.HasSound());
    ASSERT_EQ(video.NextPicture(p), VideoFile::Status::kPicture);
    EXPECT_DOUBLE_EQ(p.seconds, 0.0);
    ASSERT_TRUE(video.Open("quiet.avi", true));
    EXPECT_FALSE(video.HasSound());
    EXPECT_EQ(video.Width(), 320);
    pictures = 0;
    while (video.NextPicture(p) == VideoFile::Status::kPicture) ++pictures;
    EXPECT_EQ(pictures, 5);
    video.Close();
    video.Close();
    EXPECT_EQ(video.NextPicture(p), VideoFile::Status::kError);
}

TEST(VideoFile, AnAbortStopsOpeningAndReading) {
    ASSERT_TRUE(MakeVideo("--pattern --size 160x120 --seconds 1", "intro.avi"));
    VideoFile video;
    bool abort = true;
    video.SetAbortCheck([&] { return abort; });
    EXPECT_FALSE(video.Open("intro.avi", false));
    abort = false;
    ASSERT_TRUE(video.Open("intro.avi", false));
    VideoPicture p;
    ASSERT_EQ(video.NextPicture(p), VideoFile::Status::kPicture);
    abort = true;
    EXPECT_EQ(video.NextPicture(p), VideoFile::Status::kError);
}
