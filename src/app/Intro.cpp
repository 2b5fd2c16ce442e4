#include "app/Intro.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/AppContext.h"
#include "app/Events.h"
#include "app/WindowProc.h"
#include "platform/Device.h"
#include "platform/Sound.h"
#include "platform/VideoFile.h"

namespace {
double Now() {
    return static_cast<double>(SDL_GetPerformanceCounter()) / static_cast<double>(SDL_GetPerformanceFrequency());
}

// At most this much sound waits in the device's queue (four seconds); more is dropped.
constexpr Uint32 kMaxQueuedSoundBytes = kVideoSoundRate * 2 * sizeof(int16_t) * 4;

// The intro's own sound device: opened for the intro and closed with it, before the effects
// open theirs.
class IntroSound {
public:
    explicit IntroSound(int volume) : volume_(volume) {}
    ~IntroSound() { Close(); }
    IntroSound(const IntroSound&) = delete;
    IntroSound& operator=(const IntroSound&) = delete;

    bool Open() {
        if (volume_ <= 0 || SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
        subsystem_ = true;
        SDL_AudioSpec want{};
        want.freq = kVideoSoundRate;
        want.format = AUDIO_S16SYS;
        want.channels = 2;
        want.samples = 1024;
        SDL_AudioSpec have{};
        device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
        if (device_ == 0) Close();
        return device_ != 0;
    }
    // Queues the samples (and empties the vector); silent when there is no device.
    void Queue(std::vector<int16_t>& samples) {
        if (device_ != 0 && !samples.empty() && SDL_GetQueuedAudioSize(device_) < kMaxQueuedSoundBytes) {
            ScaleSamples(samples.data(), samples.size(), volume_);
            SDL_QueueAudio(device_, samples.data(), static_cast<Uint32>(samples.size() * sizeof(int16_t)));
        }
        samples.clear();
    }
    void Start() {
        if (device_ != 0 && !started_) SDL_PauseAudioDevice(device_, 0);
        started_ = true;
    }
    void Close() {
        if (device_ != 0) SDL_CloseAudioDevice(device_);
        device_ = 0;
        if (subsystem_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
        subsystem_ = false;
    }

private:
    int volume_;
    SDL_AudioDeviceID device_ = 0;
    bool subsystem_ = false;
    bool started_ = false;
};

// The window's input while the intro plays. It all belongs to the intro: nothing of it reaches
// the menu, except the pointer position.
struct IntroInput {
    bool skip = false;
    bool closed = false;
    bool escapeHeld = false;  // the Escape press that skipped has not been released yet
    bool deviceReset = false;

    void Take(const SDL_Event& e) {
        switch (e.type) {
            case SDL_QUIT:
                closed = true;
                break;
            case SDL_WINDOWEVENT:
                if (e.window.event == SDL_WINDOWEVENT_CLOSE) closed = true;
                break;
            case SDL_KEYDOWN:
                if (e.key.keysym.sym == SDLK_ESCAPE && e.key.repeat == 0 && !skip) {
                    skip = true;
                    escapeHeld = true;
                }
                break;
            case SDL_KEYUP:
                if (e.key.keysym.sym == SDLK_ESCAPE) escapeHeld = false;
                break;
            case SDL_MOUSEMOTION:
                DispatchEvent(e);
                break;
            case SDL_RENDER_DEVICE_RESET:
                deviceReset = true;  // the picture's texture is gone
                DispatchEvent(e);
                break;
            case SDL_RENDER_TARGETS_RESET:
                DispatchEvent(e);
                break;
            default:
                break;
        }
    }
    void TakeAll() {
        SDL_Event e;
        while (SDL_PollEvent(&e)) Take(e);
    }
    bool Over() const { return skip || closed || deviceReset; }
};

// The picture's streaming texture, made again when the video changes its size.
bool Upload(SDL_Renderer* renderer, SDL_Texture*& texture, const VideoPicture& picture) {
    int w = 0, h = 0;
    if (texture != nullptr && (SDL_QueryTexture(texture, nullptr, nullptr, &w, &h) != 0 || w != picture.width ||
                               h != picture.height)) {
        SDL_DestroyTexture(texture);
        texture = nullptr;
    }
    if (texture == nullptr) {
        texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_IYUV, SDL_TEXTUREACCESS_STREAMING, picture.width,
                                    picture.height);
    }
    return texture != nullptr &&
           SDL_UpdateYUVTexture(texture, nullptr, picture.planes[0], picture.pitches[0], picture.planes[1],
                                picture.pitches[1], picture.planes[2], picture.pitches[2]) == 0;
}

void Show(SDL_Renderer* renderer, SDL_Texture* texture, const SDL_Rect& where) {
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, texture, nullptr, &where);
    SDL_RenderPresent(renderer);
}

IntroEnd Play(SDL_Renderer* renderer, VideoFile& video, IntroSound& sound, const IntroLimits& limits,
              IntroInput& input, IntroReport& report, const IntroPictureHook& onPicture, double start,
              double& lastPicture) {
    const AppContext& app = *GetAppContext();
    const SDL_Rect where = IntroLetterbox(video.DisplayAspect(), app.screenWidth, app.screenHeight);
    const double endOfAll = start + limits.totalSeconds;
    SDL_Texture* texture = nullptr;
    VideoPicture picture;
    std::vector<int16_t> samples;
    bool pending = false;   // a decoded picture waits for its time
    bool ended = false;     // the file has no more pictures
    double clock = 0.0;     // when second 0 of the video is (or would have been) on screen
    double due = 0.0;       // when the pending picture, or the end, is due
    IntroEnd end = IntroEnd::kFinished;
    for (;;) {
        input.TakeAll();
        if (input.Over()) {
            end = input.closed ? IntroEnd::kWindowClosed : input.skip ? IntroEnd::kSkipped : IntroEnd::kBroken;
            break;
        }
        double now = Now();
        if (now >= endOfAll) {
            end = IntroEnd::kTimeLimit;
            break;
        }
        if (!pending && !ended) {
            const VideoFile::Status status = video.NextPicture(picture);
            video.TakeSound(samples);
            sound.Queue(samples);
            now = Now();
            if (status == VideoFile::Status::kError) {
                end = now >= endOfAll                            ? IntroEnd::kTimeLimit
                      : now >= lastPicture + limits.stallSeconds ? IntroEnd::kStalled
                                                                 : IntroEnd::kBroken;
                break;
            }
            if (status == VideoFile::Status::kEnd) {
                // The last picture stays for its frame's time.
                ended = true;
                due = report.picturesShown > 0 ? due + video.FrameDuration() : now;
            } else {
                if (!Upload(renderer, texture, picture)) {
                    end = IntroEnd::kBroken;
                    break;
                }
                if (report.picturesShown == 0) clock = now - picture.seconds;
                due = clock + picture.seconds;
                pending = true;
            }
        }
        if (now >= due) {
            if (ended) break;
            Show(renderer, texture, where);
            sound.Start();
            pending = false;
            lastPicture = now;
            ++report.picturesShown;
            if (onPicture) onPicture(report.picturesShown);
            continue;
        }
        const double stall = lastPicture + limits.stallSeconds;
        if (now >= stall) {
            end = IntroEnd::kStalled;  // e.g. a time stamp far in the future
            break;
        }
        // Sleeps until the picture is due, but wakes for the window's input at once.
        const double wake = std::min({due, stall, endOfAll});
        const int ms = std::max(1, static_cast<int>(std::ceil((wake - now) * 1000.0)));
        SDL_Event e;
        if (SDL_WaitEventTimeout(&e, ms) == 1) input.Take(e);
    }
    if (texture != nullptr) SDL_DestroyTexture(texture);
    return end;
}
}  // namespace

bool IntroWanted(const AppContext& app) { return app.introEnabled && app.fullScreen; }

int IntroSoundVolume(int soundVolume) {
    if (soundVolume <= 0) return 0;
    return MixerVolume(SoundAttenuation(soundVolume, 1.0f));
}

void ScaleSamples(int16_t* samples, size_t count, int volume) {
    volume = std::clamp(volume, 0, 128);
    if (volume == 128) return;
    for (size_t i = 0; i < count; ++i) samples[i] = static_cast<int16_t>(samples[i] * volume / 128);
}

SDL_Rect IntroLetterbox(double aspect, int canvasWidth, int canvasHeight) {
    SDL_Rect r{0, 0, canvasWidth, canvasHeight};
    if (!(aspect > 0.0) || !std::isfinite(aspect) || canvasWidth <= 0 || canvasHeight <= 0) return r;
    if (aspect * canvasHeight >= canvasWidth) {
        r.h = std::clamp(static_cast<int>(std::lround(canvasWidth / aspect)), 1, canvasHeight);
        r.y = (canvasHeight - r.h) / 2;
    } else {
        r.w = std::clamp(static_cast<int>(std::lround(canvasHeight * aspect)), 1, canvasWidth);
        r.x = (canvasWidth - r.w) / 2;
    }
    return r;
}

HResult PlayIntro(const char* fileName) { return PlayIntro(fileName, IntroLimits{}, nullptr); }

HResult PlayIntro(const char* fileName, const IntroLimits& limits, IntroReport* reportOut,
                  const IntroPictureHook& onPicture) {
    AppContext& app = *GetAppContext();
    IntroReport report;
    SDL_Renderer* renderer = app.device != nullptr ? app.device->Handle() : nullptr;
    if (renderer == nullptr || fileName == nullptr) {
        if (reportOut != nullptr) *reportOut = report;
        return kFail;
    }
    // The time without a picture counts from the start: opening and the first picture included.
    const double start = Now();
    double lastPicture = start;
    VideoFile video;
    video.SetAbortCheck([&] { return Now() >= std::min(lastPicture + limits.stallSeconds, start + limits.totalSeconds); });
    const int volume = IntroSoundVolume(app.muted ? 0 : app.soundVolume);
    HResult result = kFail;
    IntroInput input;
    if (video.Open(fileName, volume > 0)) {
        IntroSound sound(volume);
        if (video.HasSound() && sound.Open()) {
            report.soundOpened = true;
            report.soundVolume = volume;
        }
        SDL_ShowCursor(SDL_DISABLE);
        report.end = Play(renderer, video, sound, limits, input, report, onPicture, start, lastPicture);
        result = kOk;
    }
    report.refusedOpens = video.RefusedOpens();
    video.Close();
    // Input that came while the intro played belongs to it as well.
    SDL_PumpEvents();
    input.TakeAll();
    if (input.closed) report.end = IntroEnd::kWindowClosed;
    // A skip with Escape that is still held: the main window swallows the key-up of this press.
    GetInputFlags().escapePass = !input.escapeHeld;
    app.introOnScreen = report.picturesShown > 0;
    if (reportOut != nullptr) *reportOut = report;
    return result;
}
