// The floor of the start-up benchmark: the least an SDL program does to show a window with a
// renderer on it. It clears the window to the menu's grey, presents once and then waits for
// events until it is closed.
#include <SDL.h>

int main(int, char**) {
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) return 1;
    SDL_Window* window = SDL_CreateWindow("Knobelwerk", 0, 0, 1024, 768, SDL_WINDOW_HIDDEN);
    if (window == nullptr) return 1;
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (renderer == nullptr) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (renderer == nullptr) return 1;
    SDL_ShowWindow(window);
    bool drawn = false;
    SDL_Event e;
    for (;;) {
        if (!drawn) {
            SDL_SetRenderDrawColor(renderer, 0x64, 0x64, 0x64, 0xFF);
            SDL_RenderClear(renderer);
            SDL_RenderPresent(renderer);
            drawn = true;
        }
        if (!SDL_WaitEvent(&e)) break;
        if (e.type == SDL_QUIT) break;
        if (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_EXPOSED) drawn = false;
    }
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
