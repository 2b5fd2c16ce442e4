#pragma once
// The FFmpeg functions the video reader calls, as a table filled by VideoLibrary. Inline helpers
// and macros of the headers (av_q2d, AVERROR ...) need no entry.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/log.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include "platform/VideoLibrary.h"

// X(library, function) for every function.
#define KW_VIDEO_FUNCTIONS(X)                  \
    X(kAvUtil, av_log_set_level)               \
    X(kAvUtil, av_dict_set)                    \
    X(kAvUtil, av_dict_free)                   \
    X(kAvUtil, av_frame_alloc)                 \
    X(kAvUtil, av_frame_free)                  \
    X(kAvUtil, av_frame_unref)                 \
    X(kAvUtil, av_frame_get_buffer)            \
    X(kAvUtil, av_channel_layout_default)      \
    X(kAvUtil, av_channel_layout_copy)         \
    X(kAvUtil, av_channel_layout_uninit)       \
    X(kSwResample, swr_alloc_set_opts2)        \
    X(kSwResample, swr_init)                   \
    X(kSwResample, swr_free)                   \
    X(kSwResample, swr_get_out_samples)        \
    X(kSwResample, swr_convert)                \
    X(kSwScale, sws_getContext)                \
    X(kSwScale, sws_getCoefficients)           \
    X(kSwScale, sws_setColorspaceDetails)      \
    X(kSwScale, sws_scale)                     \
    X(kSwScale, sws_freeContext)               \
    X(kAvCodec, avcodec_alloc_context3)        \
    X(kAvCodec, avcodec_parameters_to_context) \
    X(kAvCodec, avcodec_open2)                 \
    X(kAvCodec, avcodec_free_context)          \
    X(kAvCodec, avcodec_send_packet)           \
    X(kAvCodec, avcodec_receive_frame)         \
    X(kAvCodec, av_packet_alloc)               \
    X(kAvCodec, av_packet_free)                \
    X(kAvCodec, av_packet_unref)               \
    X(kAvFormat, av_find_input_format)         \
    X(kAvFormat, avformat_alloc_context)       \
    X(kAvFormat, avformat_open_input)          \
    X(kAvFormat, avformat_close_input)         \
    X(kAvFormat, av_find_best_stream)          \
    X(kAvFormat, av_read_frame)                \
    X(kAvFormat, avio_open2)                   \
    X(kAvFormat, avio_size)                    \
    X(kAvFormat, avio_closep)

struct VideoApi {
#define KW_VIDEO_POINTER(library, name) decltype(&::name) name = nullptr;
    KW_VIDEO_FUNCTIONS(KW_VIDEO_POINTER)
#undef KW_VIDEO_POINTER
};
