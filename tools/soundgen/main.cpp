// soundgen OUTDIR: synthesises the sound effects into OUTDIR as 16-bit PCM mono WAVE files.
#include <cstdio>
#include <string>

#include "effects.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: soundgen OUTDIR\n");
        return 2;
    }
    bool ok = true;
    for (const snd::Effect& effect : snd::kEffects) {
        const std::string path = std::string(argv[1]) + "/" + effect.fileName;
        if (!snd::WriteFile(path, snd::EncodeWave(effect.make()))) {
            std::fprintf(stderr, "soundgen: cannot write %s\n", path.c_str());
            ok = false;
        }
    }
    return ok ? 0 : 1;
}
