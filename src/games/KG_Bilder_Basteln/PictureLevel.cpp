#include "games/KG_Bilder_Basteln/PictureLevel.h"

#include <string>

#include "platform/Archive.h"

namespace picture {

// A house under its roof, a tree beside it and the sun above.
const char* BuiltInLevelText() {
    return "ZIELOBJEKT_START\n"
           "OBJEKT_START POSITON: 490 505 SCALE: 1 1 ROT: 0 TYP: 0 SFACTOR: 2 FARBE: F6D28B OBJEKT_END\n"
           "OBJEKT_START POSITON: 490 378.8 SCALE: 1 1 ROT: 0 TYP: 2 SFACTOR: 2 FARBE: E8505F OBJEKT_END\n"
           "OBJEKT_START POSITON: 675 545 SCALE: 1 1 ROT: 90 TYP: 3 SFACTOR: 1 FARBE: A86B3C OBJEKT_END\n"
           "OBJEKT_START POSITON: 675 445 SCALE: 1 1 ROT: 0 TYP: 1 SFACTOR: 1.5 FARBE: 66C06A OBJEKT_END\n"
           "OBJEKT_START POSITON: 320 315 SCALE: 1 1 ROT: 0 TYP: 1 SFACTOR: 0.8 FARBE: FFC93C OBJEKT_END\n"
           "ZIELOBJEKT_END\n"
           "BAUOBJEKT_START\n"
           "OBJEKT_START POSITON: 160 625 SCALE: 1 1 ROT: 30 TYP: 0 SFACTOR: 1.6 OBJEKT_END\n"
           "OBJEKT_START POSITON: 160 335 SCALE: 1 1 ROT: 60 TYP: 2 SFACTOR: 1.4 OBJEKT_END\n"
           "OBJEKT_START POSITON: 830 345 SCALE: 1 1 ROT: 0 TYP: 1 SFACTOR: 1 OBJEKT_END\n"
           "BAUOBJEKT_END\n";
}

bool ReadLevelEntry(FILE* archive, int number, LevelData& out, int width, int height) {
    out = LevelData();
    const std::string name = "bb_" + std::to_string(number);
    ArchiveTextFile text(archive, name.c_str(), kMaxLevelBytes);
    if (text.Stream() == nullptr) return false;
    return ReadLevel(text.Bytes(), out, width, height) == LevelError::kNone;
}

int LoadPicture(FILE* archive, int first, LevelData& out, int width, int height) {
    first = ((first % kLevelCount) + kLevelCount) % kLevelCount;
    for (int i = 0; i < kLevelCount; ++i) {
        const int number = (first + i) % kLevelCount;
        if (ReadLevelEntry(archive, number, out, width, height)) return number;
    }
    ReadLevel(BuiltInLevelText(), out, width, height);
    return kBuiltInPicture;
}

}  // namespace picture
