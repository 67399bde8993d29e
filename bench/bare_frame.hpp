// The baseline of a frame: the same drawing with nothing of ours around it. A frame of
// the game is recorded as the calls that reached the SDL renderer (clear, fills, the
// same picture and cached text textures at the same places) and replayed with bare SDL
// calls on the same renderer. The game's frame costs the replay plus our own work:
// walking the items, laying out and looking up texts, clipping, state changes.
#pragma once

#include <chrono>
#include <memory>

namespace bench {

struct FrameCounts {
    int clears = 0;
    int fills = 0;
    int copies = 0;
    long long pixels = 0;         // destination area of every fill and copy
    long long blendedFill = 0;    // area of the fills that blend
    long long modulatedCopy = 0;  // area of the copies tinted by a colour other than white
};

class BareFrame {
public:
    // Records what one ui::renderFrame() sends to the renderer of platform::graphics().
    static BareFrame record();
    BareFrame(BareFrame&&) noexcept;
    ~BareFrame();

    // The recorded calls with bare SDL, ending with the same flush as the frame's present.
    void replay() const;
    FrameCounts counts() const;

private:
    struct Calls;
    explicit BareFrame(std::unique_ptr<Calls> calls);
    std::unique_ptr<Calls> calls_;
};

// Notes the time the current drawing surface presents its next frame.
class FirstFrameWatch {
public:
    FirstFrameWatch();
    ~FirstFrameWatch();
    FirstFrameWatch(const FirstFrameWatch&) = delete;
    FirstFrameWatch& operator=(const FirstFrameWatch&) = delete;

    bool seen() const;
    std::chrono::steady_clock::time_point when() const;

private:
    struct Log;
    std::unique_ptr<Log> log_;
};

}  // namespace bench
