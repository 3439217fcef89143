// The least an SDL2 program does to show a frame: it opens a window, fills
// it and shows it, then waits to be closed. The first-frame measurement
// pairs Patchora with it on the same X server.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    const int width = argc > 2 ? std::atoi(argv[1]) : 640;
    const int height = argc > 2 ? std::atoi(argv[2]) : 480;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "SDL_Init: %s\n", SDL_GetError());
        return 1;
    }
    SDL_Window* window = SDL_CreateWindow("Bare", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height, 0);
    SDL_Surface* surface = window != nullptr ? SDL_GetWindowSurface(window) : nullptr;
    if (surface == nullptr) {
        std::fprintf(stderr, "no window: %s\n", SDL_GetError());
        SDL_Quit();
        return 1;
    }
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0xC0, 0xC0, 0xC0));
    SDL_UpdateWindowSurface(window);
    for (SDL_Event event; SDL_WaitEvent(&event) != 0 && event.type != SDL_QUIT;) {
        if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_EXPOSED)
            SDL_UpdateWindowSurface(window);
    }
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
