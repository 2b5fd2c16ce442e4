#include "AviWriter.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/error.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <cstring>

AviWriter::~AviWriter() { Release(); }

void AviWriter::Release() {
    sws_freeContext(convert_);
    convert_ = nullptr;
    av_frame_free(&picture_);
    av_frame_free(&samples_);
    av_packet_free(&packet_);
    avcodec_free_context(&video_);
    avcodec_free_context(&sound_);
    if (format_ != nullptr) {
        if (format_->pb != nullptr) avio_closep(&format_->pb);
        avformat_free_context(format_);
        format_ = nullptr;
    }
}

bool AviWriter::Fail(const std::string& what, int code) {
    error_ = what;
    if (code < 0) {
        char text[AV_ERROR_MAX_STRING_SIZE] = {};
        av_strerror(code, text, sizeof text);
        error_ += std::string(": ") + text;
    }
    return false;
}

bool AviWriter::Open(const std::string& path, const AviSettings& settings) {
    Release();
    settings_ = settings;
    soundPosition_ = 0;
    headerWritten_ = false;
    if (settings.width < 16 || settings.height < 16 || settings.width % 2 || settings.height % 2)
        return Fail("the picture size must be even and at least 16 x 16");
    if (settings.fps < 1 || settings.keyInterval < 1) return Fail("bad frame rate or key-frame interval");
    int r = avformat_alloc_output_context2(&format_, nullptr, "avi", path.c_str());
    if (r < 0 || format_ == nullptr) return Fail("no AVI muxer", r);
    format_->flags |= AVFMT_FLAG_BITEXACT;

    const AVCodec* mpeg4 = avcodec_find_encoder(AV_CODEC_ID_MPEG4);
    if (mpeg4 == nullptr) return Fail("no MPEG-4 encoder");
    videoStream_ = avformat_new_stream(format_, nullptr);
    video_ = avcodec_alloc_context3(mpeg4);
    if (videoStream_ == nullptr || video_ == nullptr) return Fail("out of memory");
    video_->width = settings.width;
    video_->height = settings.height;
    video_->time_base = AVRational{1, settings.fps};
    video_->framerate = AVRational{settings.fps, 1};
    video_->pix_fmt = AV_PIX_FMT_YUV420P;
    video_->gop_size = settings.keyInterval;
    video_->max_b_frames = 0;
    video_->thread_count = 1;
    video_->flags |= AV_CODEC_FLAG_QSCALE | AV_CODEC_FLAG_BITEXACT;
    video_->global_quality = settings.quantiser * FF_QP2LAMBDA;
    // Four motion vectors a macroblock: moving letters cost less.
    video_->flags |= AV_CODEC_FLAG_4MV;
    if (format_->oformat->flags & AVFMT_GLOBALHEADER) video_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if ((r = avcodec_open2(video_, mpeg4, nullptr)) < 0) return Fail("cannot open the MPEG-4 encoder", r);
    if ((r = avcodec_parameters_from_context(videoStream_->codecpar, video_)) < 0) return Fail("codec parameters", r);
    videoStream_->time_base = video_->time_base;
    videoStream_->avg_frame_rate = video_->framerate;

    if (settings.soundRate > 0) {
        const AVCodec* pcm = avcodec_find_encoder(AV_CODEC_ID_PCM_S16LE);
        if (pcm == nullptr) return Fail("no PCM encoder");
        soundStream_ = avformat_new_stream(format_, nullptr);
        sound_ = avcodec_alloc_context3(pcm);
        if (soundStream_ == nullptr || sound_ == nullptr) return Fail("out of memory");
        sound_->sample_fmt = AV_SAMPLE_FMT_S16;
        sound_->sample_rate = settings.soundRate;
        av_channel_layout_default(&sound_->ch_layout, 1);
        sound_->time_base = AVRational{1, settings.soundRate};
        sound_->flags |= AV_CODEC_FLAG_BITEXACT;
        if ((r = avcodec_open2(sound_, pcm, nullptr)) < 0) return Fail("cannot open the PCM encoder", r);
        if ((r = avcodec_parameters_from_context(soundStream_->codecpar, sound_)) < 0)
            return Fail("codec parameters", r);
        soundStream_->time_base = sound_->time_base;
    }

    picture_ = av_frame_alloc();
    samples_ = av_frame_alloc();
    packet_ = av_packet_alloc();
    if (picture_ == nullptr || samples_ == nullptr || packet_ == nullptr) return Fail("out of memory");
    picture_->format = AV_PIX_FMT_YUV420P;
    picture_->width = settings.width;
    picture_->height = settings.height;
    if ((r = av_frame_get_buffer(picture_, 0)) < 0) return Fail("picture buffer", r);
    convert_ = sws_getContext(settings.width, settings.height, AV_PIX_FMT_BGRA, settings.width, settings.height,
                              AV_PIX_FMT_YUV420P, SWS_BICUBIC | SWS_ACCURATE_RND | SWS_BITEXACT, nullptr, nullptr,
                              nullptr);
    if (convert_ == nullptr) return Fail("no colour converter");

    if ((r = avio_open(&format_->pb, path.c_str(), AVIO_FLAG_WRITE)) < 0) return Fail("cannot write " + path, r);
    if ((r = avformat_write_header(format_, nullptr)) < 0) return Fail("cannot write the AVI header", r);
    headerWritten_ = true;
    return true;
}

// Writes every packet the encoder has ready.
bool AviWriter::Drain(AVCodecContext* codec, AVStream* stream) {
    for (;;) {
        int r = avcodec_receive_packet(codec, packet_);
        if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) return true;
        if (r < 0) return Fail("encoding failed", r);
        av_packet_rescale_ts(packet_, codec->time_base, stream->time_base);
        packet_->stream_index = stream->index;
        if ((r = av_interleaved_write_frame(format_, packet_)) < 0) return Fail("cannot write a packet", r);
    }
}

bool AviWriter::AddPicture(const uint8_t* bgra, int stride, int64_t index, int quantiser) {
    if (!headerWritten_) return Fail("the file is not open");
    int r = av_frame_make_writable(picture_);
    if (r < 0) return Fail("picture buffer", r);
    const uint8_t* source[4] = {bgra, nullptr, nullptr, nullptr};
    const int strides[4] = {stride, 0, 0, 0};
    sws_scale(convert_, source, strides, 0, settings_.height, picture_->data, picture_->linesize);
    picture_->pts = index;
    picture_->quality = (quantiser > 0 ? quantiser : settings_.quantiser) * FF_QP2LAMBDA;
    if ((r = avcodec_send_frame(video_, picture_)) < 0) return Fail("encoding failed", r);
    return Drain(video_, videoStream_);
}

bool AviWriter::AddSound(const int16_t* samples, int count) {
    if (!headerWritten_ || sound_ == nullptr) return Fail("the file has no sound track");
    if (count <= 0) return true;
    av_frame_unref(samples_);
    samples_->format = AV_SAMPLE_FMT_S16;
    samples_->sample_rate = settings_.soundRate;
    samples_->nb_samples = count;
    int r = av_channel_layout_copy(&samples_->ch_layout, &sound_->ch_layout);
    if (r < 0 || (r = av_frame_get_buffer(samples_, 0)) < 0) return Fail("sound buffer", r);
    std::memcpy(samples_->data[0], samples, static_cast<size_t>(count) * sizeof(int16_t));
    samples_->pts = soundPosition_;
    soundPosition_ += count;
    if ((r = avcodec_send_frame(sound_, samples_)) < 0) return Fail("encoding failed", r);
    return Drain(sound_, soundStream_);
}

bool AviWriter::Finish() {
    if (!headerWritten_) return Fail("the file is not open");
    int r = avcodec_send_frame(video_, nullptr);
    if (r < 0 || !Drain(video_, videoStream_)) return Fail("flushing the pictures failed", r);
    if (sound_ != nullptr) {
        r = avcodec_send_frame(sound_, nullptr);
        if (r < 0 || !Drain(sound_, soundStream_)) return Fail("flushing the sound failed", r);
    }
    if ((r = av_write_trailer(format_)) < 0) return Fail("cannot write the index", r);
    headerWritten_ = false;
    r = avio_closep(&format_->pb);
    if (r < 0) return Fail("cannot close the file", r);
    return true;
}
