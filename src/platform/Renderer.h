#pragma once
// The sprite batch. Between Begin and End a frame's draw calls are recorded; PresentFrame
// replays the record on the device and presents it, unless it equals the frame presented
// last (then nothing is drawn: an idle screen costs nothing).
#include <string>
#include <vector>

#include "framework/Types.h"

struct SDL_Renderer;
class Texture;
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
    void ForceRedraw() { forceRedraw_ = true; }
    void OnLostDevice();
    void OnResetDevice();

    const std::vector<DrawCommand>& Commands() const { return commands_; }
    SDL_Renderer* Target() const { return target_; }

private:
    SDL_Renderer* target_ = nullptr;
    float transform_[6] = {1, 0, 0, 1, 0, 0};
    std::vector<DrawCommand> commands_;
    std::vector<DrawCommand> presented_;
    bool forceRedraw_ = true;
};
