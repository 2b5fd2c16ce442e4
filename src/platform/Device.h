#pragma once
#include "framework/Types.h"

struct SDL_Window;
struct SDL_Renderer;
struct PresentParams;
class Renderer;

// The rendering device: an SDL renderer on the window with the canvas fixed at the
// back-buffer size. Device loss is reported by the renderer's reset events.
class Device {
public:
    static constexpr HResult kDeviceLost = static_cast<HResult>(0x88760868u);
    static constexpr HResult kDeviceNotReset = static_cast<HResult>(0x88760869u);

    // An accelerated renderer with vsync, or the software renderer when none can be made;
    // nullptr when neither works.
    static Device* Create(SDL_Window* window, const PresentParams& params);
    ~Device();

    HResult TestCooperativeLevel();
    HResult Reset(const PresentParams& params);
    void Clear(Color color);
    void BeginScene() {}
    void EndScene() {}
    void Present();
    // Whether presenting waits for the display's refresh. The loading screen does not wait:
    // its steps come faster than the display shows them.
    void SetVSync(bool on);
    // Called by the event pump when the renderer lost its render targets or its whole device
    // (then every texture must be made again).
    void MarkLost(bool texturesLost = true) {
        lost_ = true;
        texturesLost_ = texturesLost_ || texturesLost;
    }
    // Whether the textures were lost since the last call (clears the flag).
    bool TakeTexturesLost() {
        const bool lost = texturesLost_;
        texturesLost_ = false;
        return lost;
    }
    SDL_Renderer* Handle() const { return renderer_; }
    SDL_Window* Window() const { return window_; }
    bool IsSoftware() const { return software_; }
    Renderer* sprite = nullptr;  // the batch whose frames this device presents

private:
    Device() = default;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    bool lost_ = false;
    bool texturesLost_ = false;
    bool software_ = false;
    Color clearColor_ = 0xFF646464;
};
