#pragma once
// Picture building: a picture made of squares, circles, triangles and rectangles is shown as
// grey silhouettes, and the same shapes lie scattered over the screen in other places, sizes
// and turns. The player drags them onto the silhouettes, sizes and turns them with the keys;
// a shape that fits closely enough snaps into place. The picture is finished when every
// silhouette is covered. From the middle level on, shapes that belong nowhere lie about too.
#include "framework/Knobel_Game.h"
#include "framework/LockedList.h"
#include "games/KG_Bilder_Basteln/ShapeObject.h"

class KG_Bilder_Basteln : public Knobel_Game {
public:
    // A grade step per this many seconds for each silhouette of the picture: finished (eight
    // shapes allow about two minutes), and left unfinished.
    static constexpr double kSecondsPerShape = 16.0;
    static constexpr double kEarlySecondsPerShape = 8.0;
    static constexpr int kDecoysPerLevel = 5;
    static constexpr int kSoundPop = 12;
    static constexpr int kSoundPunch = 13;

    explicit KG_Bilder_Basteln(int level);
    // The same with a chosen seed for the generator instead of the tick count.
    KG_Bilder_Basteln(int level, unsigned seed);
    ~KG_Bilder_Basteln() override;

    void OnMouseMove(uint16_t x, uint16_t y) override;
    void OnLButtonDown(uint16_t x, uint16_t y) override;
    void OnLButtonUp(uint16_t x, uint16_t y) override;
    void OnRButtonUp(uint16_t x, uint16_t y) override;
    void OnKeyDown(uint16_t key) override;
    void Update() override;
    void Render() override;

    bool HoldsPiece() const override { return holding && selected != nullptr; }
    void OnInputSuspended() override;

    const char* GetHelpText() override;
    const char* GetResultText() override;
    const char* GetTitle() override;
    void ComputeGrade() override;
    PlayShape ShapeOfPlay() override;
    void SetPlayedResult(const PlayedResult& r) override;

    // The archive entry the picture came from ("bb_<n>"), or -1 for the built-in picture.
    int PictureNumber() const { return pictureNumber_; }
    // The topmost shape under the point, or nullptr.
    ShapeObject* ShapeAt(double x, double y);
    // One round of matching, as every frame of play runs it.
    void MatchShapes();

    LockedList<ShapeObject> shapes;       // the movable shapes; the last one lies on top
    LockedList<ShapeObject> silhouettes;  // the picture
    ShapeObject* selected = nullptr;      // the shape the keys act on; drawn red
    ShapeObject* lastMoved = nullptr;     // a move counts only when another shape moves
    int moves = 0;
    bool holding = false;  // the left button went down on the board and is still down
    Font* labelFont = nullptr;
    int matched = 0;

private:
    void LoadPicture();
    void AddDecoys();
    // Moves a shape to a point (kept on the canvas), counting a move as the rules say.
    void MoveShape(ShapeObject* shape, double x, double y);
    // Drops the held shape where it is.
    void DropHeld();
    // A shape put down or resized so that it fits a silhouette lies there exactly.
    void SnapIfFits(ShapeObject* shape);

    Vec2 grabOffset_;  // from the pointer to the held shape's centre
    int pictureNumber_ = -1;

public:
    GradeTermList GradeTerms() const override;
    // ---- Play by keys ----
public:
    int KeysTextId() const override { return 350; }
    std::vector<KeyPlace> KeyPlaces() override;
    bool CarriesFreely() const override { return true; }
    // Shift with an arrow nudges the selected shape a pixel, as before keys carried shapes.
    bool CursorTakesKey(uint16_t key) const override;
};
