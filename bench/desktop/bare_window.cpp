// The floor for the game in a real window: a bare SDL program that copies one full-screen
// picture to a desktop-sized window every 10 ms, with SDL's default renderer choice
// (SDL_RENDER_DRIVER may ask for another). scripts/desktop-bench.sh compares the game
// with it. Usage: ferrolin-bare-window PICTURE.tga
#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    SDL_Window* window = SDL_CreateWindow("bare", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, 1024,
                                          768, SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_SHOWN);
    SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, 0) : nullptr;
    SDL_Surface* picture = IMG_LoadTyped_RW(SDL_RWFromFile(argv[1], "rb"), 1, "TGA");
    SDL_Texture* texture =
        renderer && picture ? SDL_CreateTextureFromSurface(renderer, picture) : nullptr;
    if (!texture) return 1;
    SDL_RenderSetLogicalSize(renderer, 1024, 768);
    for (bool running = true; running;) {
        SDL_Event e;
        while (SDL_PollEvent(&e)) running = running && e.type != SDL_QUIT;
        SDL_RenderCopy(renderer, texture, nullptr, nullptr);
        SDL_RenderPresent(renderer);
        SDL_Delay(10);
    }
    SDL_Quit();
    return 0;
}
