// The least an SDL2 program does to show a frame: it opens a window, fills
// it and shows it, then waits to be closed. The first-frame measurement
// pairs Patchora with it on the same X server.
//
//   bare-sdl-window [WIDTH HEIGHT [PAUSE_MS]]
//
// PAUSE_MS waits that long between showing the window and filling it: the
// measurement's check that it counts the filled frame, not the window's
// mapping.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    const int width = argc > 2 ? std::atoi(argv[1]) : 640;
    const int height = argc > 2 ? std::atoi(argv[2]) : 480;
    const int pauseMs = argc > 3 ? std::atoi(argv[3]) : 0;
    // Started as Patchora is, so the two differ only in what Patchora does:
    // the window's surface goes to the plain X framebuffer (SDL's default
    // on Linux presents it through an OpenGL texture, in software on a
    // virtual screen), and SDL launches no session bus where there is none.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
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
    if (pauseMs > 0)
        SDL_Delay(static_cast<Uint32>(pauseMs));
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
