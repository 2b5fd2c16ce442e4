#include "platform/VideoFile.h"

#include <algorithm>
#include <cerrno>
#include <cmath>

#include "platform/VideoApi.h"

namespace {
bool SaneSide(int side) { return side >= kMinVideoSide && side <= kMaxVideoSide; }

// Full-range ("JPEG") formats: the same layout as their studio-range twins.
AVPixelFormat StudioTwin(int format, bool& fullRange) {
    fullRange = true;
    switch (format) {
        case AV_PIX_FMT_YUVJ420P: return AV_PIX_FMT_YUV420P;
        case AV_PIX_FMT_YUVJ422P: return AV_PIX_FMT_YUV422P;
        case AV_PIX_FMT_YUVJ444P: return AV_PIX_FMT_YUV444P;
        case AV_PIX_FMT_YUVJ440P: return AV_PIX_FMT_YUV440P;
        case AV_PIX_FMT_YUVJ411P: return AV_PIX_FMT_YUV411P;
        default: fullRange = false; return static_cast<AVPixelFormat>(format);
    }
}
}  // namespace

VideoFile::VideoFile() = default;
VideoFile::~VideoFile() { Close(); }

int VideoFile::Interrupt(void* self) { return static_cast<VideoFile*>(self)->Aborted() ? 1 : 0; }

// The demuxer's way to open further files (playlists, segments, references): never allowed.
int VideoFile::RefuseOpen(AVFormatContext* s, AVIOContext** pb, const char*, int, AVDictionary**) {
    if (pb != nullptr) *pb = nullptr;
    if (s != nullptr && s->opaque != nullptr) ++static_cast<VideoFile*>(s->opaque)->refusedOpens_;
    return AVERROR(EPERM);
}

void VideoFile::Close() {
    // Without the libraries nothing was ever made that needs freeing.
    if (api_ != nullptr) {
        api_->sws_freeContext(scaler_);
        api_->swr_free(&resampler_);
        api_->avcodec_free_context(&video_);
        api_->avcodec_free_context(&sound_);
        api_->av_frame_free(&frame_);
        api_->av_frame_free(&soundFrame_);
        api_->av_frame_free(&converted_);
        api_->av_packet_free(&packet_);
        // The context does not own the byte stream (it was opened here), so it is closed after it.
        api_->avformat_close_input(&format_);
        api_->avio_closep(&io_);
    }
    api_ = nullptr;
    scaler_ = nullptr;
    scalerFormat_ = -1;
    resampleFormat_ = -1;
    resampleRate_ = resampleChannels_ = 0;
    videoIndex_ = soundIndex_ = -1;
    width_ = height_ = 0;
    aspect_ = 4.0 / 3.0;
    frameDuration_ = 1.0 / kDefaultVideoFps;
    clock_ = PictureClock(0.0, frameDuration_);
    draining_ = false;
    pendingSound_.clear();
}

bool VideoFile::Open(const char* path, bool wantSound) {
    Close();
    refusedOpens_ = 0;
    // The libraries are loaded with the first video; without them there is no video to play.
    api_ = CurrentVideoLibrary().Get();
    if (api_ == nullptr) return false;
    api_->av_log_set_level(AV_LOG_QUIET);  // damaged files must not fill standard error
    const AVInputFormat* avi = api_->av_find_input_format("avi");
    if (path == nullptr || avi == nullptr) return false;
    format_ = api_->avformat_alloc_context();
    if (format_ == nullptr) return false;
    format_->interrupt_callback.callback = &VideoFile::Interrupt;
    format_->interrupt_callback.opaque = this;
    format_->opaque = this;
    format_->io_open = &VideoFile::RefuseOpen;

    // The one file, through the file protocol only.
    AVDictionary* ioOptions = nullptr;
    api_->av_dict_set(&ioOptions, "protocol_whitelist", "file", 0);
    int r = api_->avio_open2(&io_, path, AVIO_FLAG_READ, &format_->interrupt_callback, &ioOptions);
    api_->av_dict_free(&ioOptions);
    const int64_t size = r >= 0 ? api_->avio_size(io_) : -1;
    if (r < 0 || size <= 0 || size > kMaxVideoFileBytes) {
        Close();
        return false;
    }
    format_->pb = io_;
    format_->flags |= AVFMT_FLAG_CUSTOM_IO;

    AVDictionary* options = nullptr;
    api_->av_dict_set(&options, "format_whitelist", "avi", 0);
    api_->av_dict_set(&options, "protocol_whitelist", "file", 0);
    api_->av_dict_set(&options, "max_streams", "16", 0);
    r = api_->avformat_open_input(&format_, path, avi, &options);  // frees the context on failure
    api_->av_dict_free(&options);
    if (r < 0 || !OpenVideo()) {
        Close();
        return false;
    }
    if (wantSound) OpenSound();
    return true;
}

bool VideoFile::OpenVideo() {
    const AVCodec* decoder = nullptr;
    videoIndex_ = api_->av_find_best_stream(format_, AVMEDIA_TYPE_VIDEO, -1, -1, &decoder, 0);
    if (videoIndex_ < 0 || decoder == nullptr) return false;
    const AVStream* stream = format_->streams[videoIndex_];
    const AVCodecParameters* par = stream->codecpar;
    if (!SaneSide(par->width) || !SaneSide(par->height)) return false;
    width_ = par->width;
    height_ = par->height;

    video_ = api_->avcodec_alloc_context3(decoder);
    if (video_ == nullptr || api_->avcodec_parameters_to_context(video_, par) < 0) return false;
    video_->thread_count = 1;
    video_->max_pixels = static_cast<int64_t>(kMaxVideoSide) * kMaxVideoSide;
    video_->pkt_timebase = stream->time_base;
    if (api_->avcodec_open2(video_, decoder, nullptr) < 0) return false;

    frame_ = api_->av_frame_alloc();
    soundFrame_ = api_->av_frame_alloc();
    converted_ = api_->av_frame_alloc();
    packet_ = api_->av_packet_alloc();
    if (frame_ == nullptr || soundFrame_ == nullptr || converted_ == nullptr || packet_ == nullptr) return false;

    // Time stamps only count with a usable time base; the frame rate fills in where they miss.
    for (AVRational rate : {stream->avg_frame_rate, stream->r_frame_rate}) {
        if (rate.num > 0 && rate.den > 0) {
            const double fps = av_q2d(rate);
            if (fps >= 1.0 && fps <= 240.0) {
                frameDuration_ = 1.0 / fps;
                break;
            }
        }
    }
    const AVRational tb = stream->time_base;
    clock_ = PictureClock(tb.num > 0 && tb.den > 0 ? av_q2d(tb) : 0.0, frameDuration_);
    aspect_ = static_cast<double>(width_) / height_;
    const AVRational sar = par->sample_aspect_ratio;
    if (sar.num > 0 && sar.den > 0) {
        const double s = av_q2d(sar);
        if (s >= 0.25 && s <= 4.0) aspect_ *= s;
    }
    return true;
}

// Sound is a bonus: any trouble here leaves the video without it.
void VideoFile::OpenSound() {
    const AVCodec* decoder = nullptr;
    const int index = api_->av_find_best_stream(format_, AVMEDIA_TYPE_AUDIO, -1, videoIndex_, &decoder, 0);
    if (index < 0 || decoder == nullptr) return;
    sound_ = api_->avcodec_alloc_context3(decoder);
    if (sound_ == nullptr || api_->avcodec_parameters_to_context(sound_, format_->streams[index]->codecpar) < 0) {
        api_->avcodec_free_context(&sound_);
        return;
    }
    sound_->thread_count = 1;
    sound_->pkt_timebase = format_->streams[index]->time_base;
    if (api_->avcodec_open2(sound_, decoder, nullptr) < 0) {
        api_->avcodec_free_context(&sound_);
        return;
    }
    soundIndex_ = index;
}

void VideoFile::DropSound() {
    api_->avcodec_free_context(&sound_);
    api_->swr_free(&resampler_);
    soundIndex_ = -1;
}

VideoFile::Status VideoFile::NextPicture(VideoPicture& out) {
    if (video_ == nullptr) return Status::kError;
    for (;;) {
        if (Aborted()) return Status::kError;
        int r = api_->avcodec_receive_frame(video_, frame_);
        if (r == 0) return Deliver(out) ? Status::kPicture : Status::kError;
        if (r == AVERROR_EOF) return Status::kEnd;
        if (r != AVERROR(EAGAIN) || draining_) return Status::kError;

        r = api_->av_read_frame(format_, packet_);
        if (r == AVERROR_EOF) {
            // The end of the file: the decoder hands out what it still holds.
            draining_ = true;
            if (api_->avcodec_send_packet(video_, nullptr) < 0) return Status::kEnd;
            if (sound_ != nullptr) DecodeSound(nullptr);
            continue;
        }
        if (r < 0) return Status::kError;
        if (packet_->stream_index == videoIndex_) {
            // An empty packet would mean "end of stream" to the decoder: skip it.
            if (packet_->size > 0) r = api_->avcodec_send_packet(video_, packet_);
            api_->av_packet_unref(packet_);
            if (r < 0) return Status::kError;
        } else {
            if (packet_->stream_index == soundIndex_ && packet_->size > 0) DecodeSound(packet_);
            api_->av_packet_unref(packet_);
        }
    }
}

bool VideoFile::Deliver(VideoPicture& out) {
    const int w = frame_->width, h = frame_->height;
    if (!SaneSide(w) || !SaneSide(h) || frame_->format < 0) return false;
    const bool direct = frame_->format == AV_PIX_FMT_YUV420P && frame_->linesize[0] > 0 &&
                        frame_->linesize[1] > 0 && frame_->linesize[2] > 0;
    const AVFrame* source = frame_;
    if (!direct) {
        // Any other layout, size or range is converted to studio-range 4:2:0 of the same size.
        if (scaler_ == nullptr || scalerFormat_ != frame_->format || converted_->width != w ||
            converted_->height != h) {
            api_->sws_freeContext(scaler_);
            bool fullRange = false;
            const AVPixelFormat from = StudioTwin(frame_->format, fullRange);
            scaler_ = api_->sws_getContext(w, h, from, w, h, AV_PIX_FMT_YUV420P, SWS_BILINEAR, nullptr, nullptr, nullptr);
            if (scaler_ == nullptr) return false;
            const int* coefficients = api_->sws_getCoefficients(SWS_CS_ITU601);
            api_->sws_setColorspaceDetails(scaler_, coefficients, fullRange ? 1 : 0, coefficients, 0, 0, 1 << 16, 1 << 16);
            scalerFormat_ = frame_->format;
        }
        if (converted_->width != w || converted_->height != h) {
            api_->av_frame_unref(converted_);
            converted_->format = AV_PIX_FMT_YUV420P;
            converted_->width = w;
            converted_->height = h;
            if (api_->av_frame_get_buffer(converted_, 0) < 0) {
                api_->av_frame_unref(converted_);
                return false;
            }
        }
        if (api_->sws_scale(scaler_, frame_->data, frame_->linesize, 0, h, converted_->data, converted_->linesize) <= 0)
            return false;
        source = converted_;
    }
    for (int i = 0; i < 3; ++i) {
        out.planes[i] = source->data[i];
        out.pitches[i] = source->linesize[i];
    }
    out.width = w;
    out.height = h;

    const int64_t stamp = frame_->best_effort_timestamp;
    out.seconds = clock_.Next(stamp, stamp != AV_NOPTS_VALUE);
    return true;
}

double PictureClock::Next(int64_t stamp, bool hasStamp) {
    double seconds = started_ ? last_ + frameDuration_ : 0.0;
    if (hasStamp && timeBase_ > 0.0 && std::isfinite(timeBase_)) {
        if (!haveFirst_) {
            haveFirst_ = true;
            first_ = stamp;
        }
        const double t = (static_cast<double>(stamp) - static_cast<double>(first_)) * timeBase_;
        if (std::isfinite(t)) seconds = t;
    }
    started_ = true;
    last_ = seconds;
    return seconds;
}

void VideoFile::DecodeSound(const AVPacket* packet) {
    if (api_->avcodec_send_packet(sound_, packet) < 0 && packet != nullptr) {
        DropSound();
        return;
    }
    for (;;) {
        const int r = api_->avcodec_receive_frame(sound_, soundFrame_);
        if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) return;
        if (r < 0) {
            DropSound();
            return;
        }
        Resample(soundFrame_);
        api_->av_frame_unref(soundFrame_);
        if (sound_ == nullptr) return;
    }
}

void VideoFile::Resample(const AVFrame* frame) {
    const int channels = frame->ch_layout.nb_channels;
    if (frame->sample_rate < 4000 || frame->sample_rate > 384000 || channels < 1 || channels > 8) {
        DropSound();
        return;
    }
    // A frame longer than the waiting room could never be kept whole: it is skipped.
    if (frame->nb_samples <= 0 || frame->nb_samples > frame->sample_rate * 4) return;
    if (resampler_ == nullptr || frame->format != resampleFormat_ || frame->sample_rate != resampleRate_ ||
        channels != resampleChannels_) {
        api_->swr_free(&resampler_);
        AVChannelLayout in;
        if (frame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC) api_->av_channel_layout_default(&in, channels);
        else if (api_->av_channel_layout_copy(&in, &frame->ch_layout) < 0) return DropSound();
        // Mono stays mono here and goes to both sides at its full level below (the resampler
        // would lower it by 3 dB, as for the centre of a surround mix).
        AVChannelLayout out;
        api_->av_channel_layout_default(&out, channels == 1 ? 1 : 2);
        const int r = api_->swr_alloc_set_opts2(&resampler_, &out, AV_SAMPLE_FMT_S16, kVideoSoundRate, &in,
                                          static_cast<AVSampleFormat>(frame->format), frame->sample_rate, 0, nullptr);
        api_->av_channel_layout_uninit(&in);
        api_->av_channel_layout_uninit(&out);
        if (r < 0 || api_->swr_init(resampler_) < 0) return DropSound();
        resampleFormat_ = frame->format;
        resampleRate_ = frame->sample_rate;
        resampleChannels_ = channels;
    }
    const int room = static_cast<int>((kMaxPendingSoundSamples - std::min(kMaxPendingSoundSamples, pendingSound_.size())) / 2);
    const int capacity = api_->swr_get_out_samples(resampler_, frame->nb_samples);
    if (capacity <= 0) return;
    // Everything is converted (the resampler keeps no backlog), but only what fits is kept.
    const int outChannels = resampleChannels_ == 1 ? 1 : 2;
    std::vector<int16_t> buffer(static_cast<size_t>(capacity) * outChannels);
    uint8_t* outPlanes[1] = {reinterpret_cast<uint8_t*>(buffer.data())};
    const int made = api_->swr_convert(resampler_, outPlanes, capacity, const_cast<const uint8_t**>(frame->extended_data),
                                 frame->nb_samples);
    if (made <= 0) return;
    const size_t kept = static_cast<size_t>(std::min(made, room));
    if (outChannels == 2) {
        pendingSound_.insert(pendingSound_.end(), buffer.begin(), buffer.begin() + kept * 2);
    } else {
        for (size_t i = 0; i < kept; ++i) pendingSound_.insert(pendingSound_.end(), 2, buffer[i]);
    }
}

void VideoFile::TakeSound(std::vector<int16_t>& out) {
    out.insert(out.end(), pendingSound_.begin(), pendingSound_.end());
    pendingSound_.clear();
}
