#pragma once
// The sprite batch. Between Begin and End a frame's draw calls are recorded; PresentFrame
// replays the record on the device and presents it, unless it equals the frame presented
// last (then nothing is drawn: an idle screen costs nothing). The leading draw calls that
// stayed the same from one presented frame to the next are kept drawn in a layer, a texture of
// the canvas's size, and copied as one picture while they stay the same: a pointer moving over
// a still page costs one copy and the pointer, not the whole page.
#include <memory>
#include <string>
#include <vector>

#include "framework/Types.h"

struct SDL_Renderer;
struct SDL_Texture;
class Texture;
class TextCache;
struct Font;

struct DrawCommand {
    enum Kind { kSprite, kText } kind = kSprite;
    Texture* texture = nullptr;
    Rect src;
    float transform[6] = {1, 0, 0, 1, 0, 0};  // x' = m0 x + m2 y + m4, y' = m1 x + m3 y + m5
    Color color = 0xFFFFFFFF;
    Font* font = nullptr;
    std::string text;
    Rect rect;
    unsigned format = 0;
    bool operator==(const DrawCommand&) const = default;
};

// The sprite transformation: scaling about the origin, rotation by `rotation` radians about
// rotationCenter (given in scaled coordinates; positive turns clockwise on the screen), then
// translation by position. Null pointers mean no scaling, centre (0, 0), no translation.
void BuildSpriteTransform(const Vec2* scale, const Vec2* rotationCenter, double rotation, const Vec2* position,
                          float m[6]);

class Renderer {
public:
    explicit Renderer(SDL_Renderer* target);  // a null target only records (headless tests)
    ~Renderer();
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    HResult Begin();
    HResult End();
    // The transformation of the following sprites (2x3 matrix, see DrawCommand).
    void SetTransform(const float m[6]);
    void SetIdentity();
    void Draw(Texture* texture, const Rect* src, Color color);
    void DrawText(Font* font, const char* text, Rect rect, unsigned format, Color color);

    // Draws and presents the recorded frame if it differs from the last one presented, or a
    // redraw was forced. Returns whether it drew.
    bool PresentFrame(Color clearColor);
    // Clears the current render target and draws the recorded frame into it, without
    // presenting (tests read the target back before presenting).
    void Replay(Color clearColor);
    void ForceRedraw() { forceRedraw_ = true; }
    // Forgets the layer: the next frame is drawn whole (after a reset of the device, and for
    // the benchmarks of a page's first frame).
    void DropLayer();
    // How many leading draw calls the layer holds (0: no layer).
    size_t LayerCount() const { return layerCount_; }
    void OnLostDevice();
    void OnResetDevice();
    // Rendered text lines are kept between frames; without the cache every frame renders
    // its texts anew (for comparison in the benchmarks).
    void SetTextCacheEnabled(bool enabled);
    int FramesDrawn() const { return framesDrawn_; }
    // How many text lines were rasterised since the start.
    long LinesRasterised() const;

    const std::vector<DrawCommand>& Commands() const { return commands_; }
    SDL_Renderer* Target() const { return target_; }

private:
    void ReplaySprite(const DrawCommand& c);
    void ReplayRange(size_t from, size_t to);
    bool ReplayOverLayer(Color clearColor, size_t stable);
    bool BuildLayer(Color clearColor, size_t count);

    SDL_Renderer* target_ = nullptr;
    float transform_[6] = {1, 0, 0, 1, 0, 0};
    std::vector<DrawCommand> commands_;
    std::vector<DrawCommand> presented_;
    bool forceRedraw_ = true;
    int framesDrawn_ = 0;
    std::unique_ptr<TextCache> textCache_;
    SDL_Texture* layer_ = nullptr;
    int layerWidth_ = 0, layerHeight_ = 0;
    size_t layerCount_ = 0;
    int framesSinceLayer_ = 0;
    bool layerRefused_ = false;  // the device has no texture targets: frames are drawn whole
};
