// Texture loading, sprite drawing and the loading screen: the operations of the application
// record that talk to the rendering device.
#include "platform/TextureLoading.h"

#include <SDL.h>

#ifdef __linux__
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "app/AppContext.h"
#include "platform/Archive.h"
#include "platform/Device.h"
#include "platform/Renderer.h"
#include "platform/Texture.h"

namespace {
const SharedTextureSlot kSlots[kSharedTextureCount] = {
    {"splash.PNG", &AppContext::texSplash},
    {"misc1.PNG", &AppContext::texMisc1},
    {"misc2.PNG", &AppContext::texMisc2},
    {"misc3.PNG", &AppContext::texMisc3},
    {"misc4.PNG", &AppContext::texMisc4},
    {"menu1.PNG", &AppContext::texMenu1},
    {"menu2.PNG", &AppContext::texMenu2},
    {"menu3.PNG", &AppContext::texMenu3},
    {"back1.PNG", &AppContext::texBack1},
    {"back2.PNG", &AppContext::texBack2},
    {"back3.PNG", &AppContext::texBack3},
    {"back4.PNG", &AppContext::texBack4},
    {"MemoryCards1.png", &AppContext::texCards1},
    {"MemoryCards2.png", &AppContext::texCards2},
    {"Memory_Muster.PNG", &AppContext::texMemoryPattern},
    {"bg.PNG", &AppContext::texBackground},
};

SDL_Renderer* DeviceRenderer(const AppContext& app) { return app.device != nullptr ? app.device->Handle() : nullptr; }

// Decodes the bytes and puts them into the texture; the device gets a second try.
bool CreateFromBytes(SDL_Renderer* renderer, const std::vector<uint8_t>& bytes, Texture& texture) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        TextureImage image;
        if (DecodeTextureImage(bytes.data(), bytes.size(), image) && texture.Upload(renderer, image)) return true;
    }
    return false;
}

// Puts a decoded picture into the texture; the device gets a second try.
bool UploadImage(SDL_Renderer* renderer, const TextureImage& image, Texture& texture) {
    for (int attempt = 0; attempt < 2; ++attempt)
        if (texture.Upload(renderer, image)) return true;
    return false;
}

// The calling thread runs after the others when they compete for a core.
void LowerThreadPriority() {
#ifdef __linux__
    setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 10);
#endif
}

// Decodes PNG files on worker threads, taken in the order given, while the caller collects
// the pictures in that order (and uploads and shows each as it comes).
class ParallelDecoder {
public:
    // Without workers until AddWorkers starts some.
    explicit ParallelDecoder(std::vector<std::vector<uint8_t>>& files)
        : files_(files), images_(files.size()), done_(files.size(), 0), decoded_(files.size(), false) {}
    // Starts more workers until there are `threads` (a thread that cannot start is done
    // without). Background workers yield to everything else of the program when the cores are
    // busy.
    void AddWorkers(unsigned threads, bool background = false) {
        std::lock_guard<std::mutex> lock(mutex_);
        while (workers_.size() < threads) {
            try {
                workers_.emplace_back([this, background] {
                    if (background) LowerThreadPriority();
                    Work();
                });
            } catch (const std::system_error&) {
                break;
            }
        }
    }
    ~ParallelDecoder() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        for (std::thread& t : workers_) t.join();
    }
    ParallelDecoder(const ParallelDecoder&) = delete;
    ParallelDecoder& operator=(const ParallelDecoder&) = delete;

    // Waits for picture i; false when its bytes are no picture.
    bool Take(size_t i, TextureImage& out) {
        std::unique_lock<std::mutex> lock(mutex_);
        if (i >= files_.size()) return false;
        if (workers_.empty()) {  // no thread could be started: decode here
            lock.unlock();
            return DecodeTextureImage(files_[i].data(), files_[i].size(), out);
        }
        ready_.wait(lock, [&] { return done_[i] != 0; });
        out = std::move(images_[i]);
        return decoded_[i];
    }

private:
    void Work() {
        for (;;) {
            size_t i;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                if (stop_ || next_ >= files_.size()) return;
                i = next_++;
            }
            TextureImage image;
            const bool ok = DecodeTextureImage(files_[i].data(), files_[i].size(), image);
            std::vector<uint8_t>().swap(files_[i]);  // the packed bytes are done with
            {
                std::lock_guard<std::mutex> lock(mutex_);
                images_[i] = std::move(image);
                decoded_[i] = ok;
                done_[i] = 1;
            }
            ready_.notify_all();
        }
    }

    std::vector<std::vector<uint8_t>>& files_;
    std::vector<TextureImage> images_;
    std::vector<char> done_;
    std::vector<bool> decoded_;
    std::vector<std::thread> workers_;
    std::mutex mutex_;
    std::condition_variable ready_;
    size_t next_ = 0;
    bool stop_ = false;
};

// Worker threads for decoding: two, or one on a single core.
unsigned DecoderThreads() {
    const unsigned cores = std::thread::hardware_concurrency();
    return cores <= 1 ? 1u : 2u;
}

// The shared pictures read from one archive and being decoded.
struct SharedTextureDecoding {
    SharedTextureDecoding() = default;
    SharedTextureDecoding(const SharedTextureDecoding&) = delete;
    SharedTextureDecoding& operator=(const SharedTextureDecoding&) = delete;
    ~SharedTextureDecoding() { Started(); }
    // Waits until the pictures are read and their decoding runs.
    void Started() {
        if (starter.joinable()) starter.join();
    }

    FILE* archive = nullptr;
    std::vector<std::vector<uint8_t>> files;
    std::vector<bool> found;
    std::unique_ptr<ParallelDecoder> decoder;
    std::thread starter;  // reads the archive and starts the decoding, when begun ahead
};

void ReadAndDecode(SharedTextureDecoding& d, unsigned threads, bool background) {
    d.files.resize(kSharedTextureCount);
    d.found.assign(kSharedTextureCount, false);
    for (int i = 0; i < kSharedTextureCount; ++i) d.found[i] = ReadArchiveEntry(d.archive, kSlots[i].fileName, d.files[i]);
    d.decoder = std::make_unique<ParallelDecoder>(d.files);
    d.decoder->AddWorkers(threads, background);
}

// Begun in the background, even the reading happens on a thread of its own (the archive is
// not touched by anything else until the loading takes the pictures).
std::unique_ptr<SharedTextureDecoding> StartDecoding(FILE* archive, unsigned threads, bool background) {
    auto d = std::make_unique<SharedTextureDecoding>();
    d->archive = archive;
    if (background) {
        try {
            d->starter = std::thread([p = d.get(), threads] {
                LowerThreadPriority();
                ReadAndDecode(*p, threads, true);
            });
            return d;
        } catch (const std::system_error&) {
        }
    }
    ReadAndDecode(*d, threads, background);
    return d;
}

// Decoding started ahead of the loading.
std::unique_ptr<SharedTextureDecoding> g_early;

bool ReadPlainFile(const char* path, std::vector<uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return false;
    const std::streamoff size = in.tellg();
    if (size < 0 || size > (64 << 20)) return false;  // no picture of the program is that large
    bytes.resize(static_cast<size_t>(size));
    in.seekg(0);
    return static_cast<bool>(in.read(reinterpret_cast<char*>(bytes.data()), size));
}
}  // namespace

const SharedTextureSlot* SharedTextureSlots() { return kSlots; }

HResult AppContext::LoadTexture(const char* fileName, Texture** outTexture, FILE** archiveFile, bool allowFileFallback) {
    if (outTexture == nullptr || fileName == nullptr) return kFail;
    *outTexture = nullptr;
    Texture* texture = new Texture();
    texture->archiveName = fileName;
    std::vector<uint8_t> bytes;
    FILE* file = archiveFile != nullptr ? *archiveFile : nullptr;
    bool ok = ReadArchiveEntry(file, fileName, bytes) && CreateFromBytes(DeviceRenderer(*this), bytes, *texture);
    if (!ok && allowFileFallback) {
        ok = ReadPlainFile(fileName, bytes) && CreateFromBytes(DeviceRenderer(*this), bytes, *texture);
        texture->archiveName.clear();
    }
    if (!ok) {
        delete texture;
        return kFail;
    }
    *outTexture = texture;
    return kOk;
}

void AppContext::DrawSprite(Texture* texture, const Rect* srcRect, const Vec2* scale, const Vec2* rotationCenter,
                            double rotation, const Vec2* position, Color color) {
    if (sprite == nullptr || texture == nullptr) return;
    float m[6];
    BuildSpriteTransform(scale, rotationCenter, rotation, position, m);
    sprite->SetTransform(m);
    sprite->Draw(texture, srcRect, color);
}

void AppContext::DrawLoadingScreen() {
    ++loadingSteps;
    if (device == nullptr || sprite == nullptr) return;
    if (texSplash == nullptr && introOnScreen) {
        SDL_PumpEvents();
        return;
    }
    introOnScreen = false;
    device->Clear(0xFF646464);
    device->BeginScene();
    sprite->Begin();
    if (texSplash != nullptr) {
        const Vec2 scale{screenWidth / 1024.0f, screenHeight / 768.0f};
        const Rect picture{0, 0, 1024, 768};
        DrawSprite(texSplash, &picture, &scale, nullptr, 0.0, nullptr, 0xFFFFFFFF);
        if (language == 0 || language == 1) {
            const Rect caption = language == 0 ? Rect{0, 900, 700, 1012} : Rect{0, 1012, 700, 1124};
            const Vec2 at{0.0f, 168.0f * scale.y};
            DrawSprite(texSplash, &caption, &scale, nullptr, 0.0, &at, 0xFFFFFFFF);
        }
        const Vec2 bar{103.0f * scale.x, 667.0f * scale.y};
        const Rect frame{122, 768, 940, 834};
        DrawSprite(texSplash, &frame, &scale, nullptr, 0.0, &bar, 0xFFFFFFFF);
        // Start-up has more steps than the bar has room for: the fill stops at the frame's end.
        const int fill = std::min(loadingSteps * 818 / 14, 818);
        const Rect filled{122, 834, 122 + fill, 900};
        if (fill > 0) DrawSprite(texSplash, &filled, &scale, nullptr, 0.0, &bar, 0xFFFFFFFF);
    }
    sprite->End();
    device->EndScene();
    // A step that looks like the one before (the bar is full) is not presented again.
    device->Present();
    SDL_PumpEvents();
}

HResult LoadSharedTextures(AppContext& app) {
    if (app.sprite == nullptr) app.sprite = new Renderer(DeviceRenderer(app));
    if (app.device != nullptr) app.device->sprite = app.sprite;
    app.DrawLoadingScreen();
    // The packed pictures are read first (the archive is one file), then decoded on worker
    // threads while this thread puts them on the device in their order and draws a loading
    // step after each. Decoding may have begun already, while the device was being made.
    std::unique_ptr<SharedTextureDecoding> decoding = std::move(g_early);
    if (decoding != nullptr) decoding->Started();
    if (decoding == nullptr || decoding->archive != app.archive) decoding = StartDecoding(app.archive, DecoderThreads(), false);
    decoding->decoder->AddWorkers(DecoderThreads());
    ParallelDecoder& decoder = *decoding->decoder;
    const std::vector<bool>& found = decoding->found;
    for (int i = 0; i < kSharedTextureCount; ++i) {
        const SharedTextureSlot& slot = kSlots[i];
        Texture*& field = app.*slot.field;
        delete field;
        field = nullptr;
        TextureImage image;
        if (!decoder.Take(static_cast<size_t>(i), image) || !found[i]) return kFail;
        auto* texture = new Texture();
        texture->archiveName = slot.fileName;
        if (!UploadImage(DeviceRenderer(app), image, *texture)) {
            delete texture;
            return kFail;
        }
        field = texture;
        if (slot.field != &AppContext::texSplash) app.DrawLoadingScreen();
    }
    return kOk;
}

void ReloadSharedTextures(AppContext& app) {
    // A full-screen switch resets the device without losing anything; a lost device lost all.
    if (app.device != nullptr && !app.device->TakeTexturesLost()) return;
    SDL_Renderer* renderer = DeviceRenderer(app);
    std::vector<uint8_t> bytes;
    for (const SharedTextureSlot& slot : kSlots) {
        Texture* texture = app.*slot.field;
        if (texture == nullptr || texture->archiveName.empty()) continue;
        // The object stays the same, so every holder of the pointer sees the new picture.
        if (!ReadArchiveEntry(app.archive, texture->archiveName.c_str(), bytes) ||
            !CreateFromBytes(renderer, bytes, *texture))
            texture->ReleaseHandle();
    }
}

void StartDecodingSharedTextures(AppContext& app) {
    g_early.reset();
    if (app.archive == nullptr) return;
    // One worker in the background: making the device comes first.
    g_early = StartDecoding(app.archive, 1, true);
}

void StopDecodingSharedTextures() { g_early.reset(); }

void ReleaseSharedTextures(AppContext& app) {
    StopDecodingSharedTextures();
    for (const SharedTextureSlot& slot : kSlots) {
        delete (app.*slot.field);
        app.*slot.field = nullptr;
    }
    if (app.device != nullptr) app.device->sprite = nullptr;
    delete app.sprite;
    app.sprite = nullptr;
}
