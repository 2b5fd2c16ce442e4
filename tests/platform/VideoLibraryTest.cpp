// The video libraries opened at run time: the names the program asks for, a failed load that
// leaves nothing half done, and a video reader that goes on without them.
#include "platform/VideoLibrary.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "app/IntroTestSupport.h"
#include "platform/VideoApi.h"
#include "platform/VideoFile.h"

using introtest::MakeVideo;
using introtest::MissingVideoLibraries;

TEST(VideoLibrary, TheProgramsNamesOpenTheVersionsItWasCompiledAgainstWithEveryFunction) {
    const VideoLibraryNames names = DefaultVideoLibraryNames();
    EXPECT_EQ(names[kAvFormat], "libavformat.so." + std::to_string(LIBAVFORMAT_VERSION_MAJOR));
    EXPECT_EQ(names[kAvCodec], "libavcodec.so." + std::to_string(LIBAVCODEC_VERSION_MAJOR));
    EXPECT_EQ(names[kAvUtil], "libavutil.so." + std::to_string(LIBAVUTIL_VERSION_MAJOR));
    EXPECT_EQ(names[kSwScale], "libswscale.so." + std::to_string(LIBSWSCALE_VERSION_MAJOR));
    EXPECT_EQ(names[kSwResample], "libswresample.so." + std::to_string(LIBSWRESAMPLE_VERSION_MAJOR));

    VideoLibrary library(names);
    const VideoApi* api = library.Get();
    ASSERT_NE(api, nullptr) << library.Error();
    EXPECT_EQ(library.Error(), "");
    EXPECT_EQ(library.Get(), api);  // loaded once
#define KW_EXPECT_FOUND(lib, name) EXPECT_NE(api->name, nullptr) << #name;
    KW_VIDEO_FUNCTIONS(KW_EXPECT_FOUND)
#undef KW_EXPECT_FOUND
    EXPECT_NE(api->av_find_input_format("avi"), nullptr);
}

TEST(VideoLibrary, AMissingLibraryOrFunctionFailsCleanlyAndGoodNamesStillLoad) {
    VideoLibraryNames noCodec = DefaultVideoLibraryNames();
    noCodec[kAvCodec] = "libkw-no-such-avcodec.so.1";
    VideoLibrary missing(noCodec);
    EXPECT_EQ(missing.Get(), nullptr);
    EXPECT_NE(missing.Error().find("libkw-no-such-avcodec.so.1"), std::string::npos) << missing.Error();
    EXPECT_EQ(missing.Get(), nullptr);  // not tried again

    // A library that opens but is not the one wanted: its functions are missing.
    VideoLibraryNames wrong = DefaultVideoLibraryNames();
    wrong[kSwScale] = "libm.so.6";
    VideoLibrary foreign(wrong);
    EXPECT_EQ(foreign.Get(), nullptr);
    EXPECT_NE(foreign.Error().find("no sws_"), std::string::npos) << foreign.Error();

    VideoLibrary good;
    EXPECT_NE(good.Get(), nullptr) << good.Error();
}

TEST(VideoLibrary, ThreadsAskingAtOnceGetTheOneTable) {
    VideoLibrary library;
    std::vector<const VideoApi*> got(8, nullptr);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < got.size(); ++i) threads.emplace_back([&, i] { got[i] = library.Get(); });
    for (std::thread& t : threads) t.join();
    ASSERT_NE(got[0], nullptr);
    for (const VideoApi* api : got) EXPECT_EQ(api, got[0]);
}

TEST(VideoLibrary, WithoutTheLibrariesAReaderOpensNothingAndWorksOnceTheyAreBack) {
    ASSERT_TRUE(MakeVideo("--pattern --size 160x120 --seconds 0.2", "intro.avi"));
    VideoFile video;
    VideoPicture p;
    {
        MissingVideoLibraries missing;
        EXPECT_FALSE(video.Open("intro.avi", true));
        EXPECT_EQ(video.NextPicture(p), VideoFile::Status::kError);
        EXPECT_FALSE(video.HasSound());
        EXPECT_EQ(video.Width(), 0);
        video.Close();
    }
    ASSERT_TRUE(video.Open("intro.avi", false));
    EXPECT_EQ(video.NextPicture(p), VideoFile::Status::kPicture);
    {
        // Opened with the libraries, the reader still closes through them when they go away
        // for the next file.
        MissingVideoLibraries missing;
        EXPECT_FALSE(video.Open("intro.avi", false));
    }
    EXPECT_EQ(video.NextPicture(p), VideoFile::Status::kError);
}
