// The smallest SDL page the game's page is measured against: one picture loaded with
// SDL2_image and drawn by SDL's software renderer into a 1024x768 canvas, redrawn on each
// of the browser's frames the usual Emscripten way.
#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>
#include <emscripten.h>

namespace {
SDL_Renderer* renderer = nullptr;
SDL_Texture* picture = nullptr;

void frame() {
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
    }
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, picture, nullptr, nullptr);
    SDL_RenderPresent(renderer);
}
}  // namespace

int main() {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    SDL_Window* window = SDL_CreateWindow("bare", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, 1024,
                                          768, SDL_WINDOW_SHOWN);
    renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    SDL_RWops* file = SDL_RWFromFile("/background.tga", "rb");
    SDL_Surface* surface = file ? IMG_LoadTyped_RW(file, 1, "TGA") : nullptr;
    if (!renderer || !surface) return 1;
    picture = SDL_CreateTextureFromSurface(renderer, surface);
    SDL_FreeSurface(surface);
    emscripten_set_main_loop(frame, 0, 1);
    return 0;
}
