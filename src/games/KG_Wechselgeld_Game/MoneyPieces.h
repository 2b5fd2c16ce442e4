#pragma once
// The things on the change game's table: a coin or note (MoneyPiece), the supply of one
// denomination at the bottom edge (MoneySource) and a labelled area that holds pieces
// (MoneyTray). Pieces glide towards their targets.
#include "framework/LockedList.h"
#include "framework/Types.h"
#include "games/KG_Wechselgeld_Game/ChangeTask.h"

struct AppContext;
struct Font;

struct MoneyPiece {
    MoneyPiece(float x, float y, int cents);

    void Draw() const;
    // One frame of gliding towards the target.
    void Move();
    void SetTarget(float x, float y) { target = Vec2{x, y}; }
    // Coins take clicks on their round face, notes on their whole picture.
    bool Contains(float x, float y) const;
    bool HasArrived(double limit) const;
    Vec2 DrawnHalf() const { return money::DrawnHalfOf(value); }

    AppContext* app;
    Vec2 position;
    Vec2 target;
    int value;
    double scale;
    Color color = 0xFFFFFFFF;
};

struct MoneySource {
    MoneySource(Vec2 centre, int cents, int stock = -1);
    ~MoneySource();
    MoneySource(const MoneySource&) = delete;
    MoneySource& operator=(const MoneySource&) = delete;

    // The supply piece, centred like the pieces taken from it, then the pieces flying home.
    void Draw();
    // Pieces flying home glide on and vanish once they are within 10 pixels of the supply.
    void Update();
    bool Contains(float x, float y) const;
    // A new piece lying on the supply, or null when the stock is used up.
    MoneyPiece* Take();
    // Takes a piece of its own value back (it flies home); false for any other value.
    bool GiveBack(MoneyPiece* piece);

    AppContext* app;
    Vec2 centre;
    LockedList<MoneyPiece> returning;
    int stock;  // -1: unlimited
    int value;
    double scale;
    Color color = 0xFFFFFFFF;
};

// A tray: a paper floor in a wooden frame, its label in a band along the top; pieces lie
// below the band.
struct MoneyTray {
    static constexpr float kFrame = 5.0f;
    static constexpr float kLabelBand = 36.0f;

    // labelKind 0 price, 1 paid, 2 change; the label font belongs to the game.
    MoneyTray(const money::Area& area, int labelKind, bool framed, Font* labelFont);

    void Draw();
    void Update();
    bool Contains(float x, float y) const { return area.Contains(x, y); }
    // Where pieces lie: inside the frame, below the label.
    money::Area PieceArea() const;
    int Count() const { return pieces.Count(); }
    MoneyPiece* PieceAt(int i) { return pieces.Get(i); }
    // A random point at which a piece of that value lies wholly inside the tray.
    Vec2 RandomPoint(int cents) const;
    bool HitAny(float x, float y);
    // Takes the topmost piece under the point out of the tray (not deleted), or null.
    MoneyPiece* TakeAt(float x, float y);
    // Lays the piece on top; it glides to the point, or to the nearest point at which it lies
    // wholly inside the tray.
    void Add(MoneyPiece* piece, float x, float y);
    void Clear() { pieces.Clear(true); }

    AppContext* app;
    Font* labelFont;
    int labelKind;
    bool framed;
    money::Area area;
    LockedList<MoneyPiece> pieces;  // drawing order: the last one lies on top
};
