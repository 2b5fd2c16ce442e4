#pragma once
// The pieces of the code-breaking game: coloured pegs, the holes that hold them, and the key
// boards on which a scored row gets its black and white key pegs.
#include "framework/LockedList.h"
#include "framework/Types.h"

struct AppContext;

enum PegColour {
    kPegRed = 0, kPegBlue, kPegGreen, kPegYellow, kPegOrange, kPegMagenta,
    kPegEmpty = 6,  // a free key-peg slot: never seen
    kKeyWhite = 7,
    kKeyBlack = 8,
};
constexpr int kPlayColours = 6;

// The tint of a peg; a dimmed peg has its red, green and blue at two thirds (key pegs never).
Color PegTint(int colour, bool bright);

struct Peg {
    Peg(int colour, Vec2 at);  // lies where it belongs: position and home both at `at`
    // Moves a share of the way home (ten times the frame time per second).
    void Glide(double frameTime);
    // The round peg centred on its position; key pegs are drawn at half size so that four of
    // them fit on a board side by side.
    void Draw(bool bright) const;
    bool Hit(int x, int y) const;

    AppContext* app = nullptr;
    Vec2 position;
    Vec2 home;
    int colour = kPegEmpty;
};

struct PegHole {
    explicit PegHole(Vec2 at);
    ~PegHole();
    PegHole(const PegHole&) = delete;
    PegHole& operator=(const PegHole&) = delete;

    // Takes the peg unless the hole holds one already; the peg then moves to the hole.
    bool Place(Peg* p);
    Peg* Take();
    int Colour() const { return peg != nullptr ? peg->colour : kPegEmpty; }
    bool Hit(int x, int y) const;
    void Draw(bool bright) const;

    AppContext* app = nullptr;
    Vec2 position;
    Peg* peg = nullptr;  // owned
};

struct KeyBoard {
    static constexpr int kSlots = 5;
    explicit KeyBoard(Vec2 at);

    // A new key peg in the given slot (only when that slot is still free), or in front of
    // the others with slot -1.
    void AddBlack(int slot = -1) { Add(kKeyBlack, slot); ++blackCount; }
    void AddWhite(int slot = -1) { Add(kKeyWhite, slot); ++whiteCount; }
    // The key pegs move to their slots: the four corners of the board, the fifth in its middle.
    void Settle(double frameTime);
    static Vec2 SlotOffset(int slot);
    bool Hit(int x, int y) const;
    void Draw(bool bright) const;

    AppContext* app = nullptr;
    int whiteCount = 0;
    int blackCount = 0;
    Vec2 position;
    LockedList<Peg> keyPegs;

private:
    void Add(int colour, int slot);
};
