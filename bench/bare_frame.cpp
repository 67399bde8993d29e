// The one file of the benchmarks that talks to SDL itself.
#include "bench/bare_frame.hpp"

#include <stdexcept>
#include <vector>

#include "platform/sdl_graphics.hpp"
#include "scene/scene.hpp"
#include "ui/frame.hpp"

namespace bench {

namespace {

platform::SdlGraphics& sdlGraphics() {
    auto* g = dynamic_cast<platform::SdlGraphics*>(&platform::graphics());
    if (g == nullptr) throw std::runtime_error("the drawing surface is not SDL's");
    return *g;
}

uint8_t channel(uint32_t argb, int shift) { return static_cast<uint8_t>((argb >> shift) & 0xFF); }

class Recorder final : public platform::DrawLog {
public:
    void add(const platform::DrawCall& call) override { calls.push_back(call); }
    std::vector<platform::DrawCall> calls;
};

}  // namespace

struct BareFrame::Calls {
    SDL_Renderer* renderer = nullptr;
    std::vector<platform::DrawCall> calls;
};

BareFrame::BareFrame(std::unique_ptr<Calls> calls) : calls_(std::move(calls)) {}
BareFrame::BareFrame(BareFrame&&) noexcept = default;
BareFrame::~BareFrame() = default;

BareFrame BareFrame::record() {
    platform::SdlGraphics& g = sdlGraphics();
    Recorder recorder;
    g.setDrawLog(&recorder);
    ui::renderFrame();
    g.setDrawLog(nullptr);
    auto calls = std::make_unique<Calls>();
    calls->renderer = g.renderer();
    calls->calls = std::move(recorder.calls);
    return BareFrame(std::move(calls));
}

void BareFrame::replay() const {
    SDL_Renderer* renderer = calls_->renderer;
    for (const platform::DrawCall& c : calls_->calls) {
        switch (c.kind) {
            case platform::DrawCall::Clear:
                SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
                SDL_SetRenderDrawColor(renderer, channel(c.argb, 16), channel(c.argb, 8),
                                       channel(c.argb, 0), channel(c.argb, 24));
                SDL_RenderClear(renderer);
                break;
            case platform::DrawCall::Fill:
                SDL_SetRenderDrawBlendMode(renderer, c.blend);
                SDL_SetRenderDrawColor(renderer, channel(c.argb, 16), channel(c.argb, 8),
                                       channel(c.argb, 0), channel(c.argb, 24));
                SDL_RenderFillRect(renderer, &c.to);
                break;
            case platform::DrawCall::Copy:
                SDL_SetTextureColorMod(c.texture, channel(c.argb, 16), channel(c.argb, 8),
                                       channel(c.argb, 0));
                SDL_SetTextureAlphaMod(c.texture, channel(c.argb, 24));
                SDL_RenderCopy(renderer, c.texture, &c.from, &c.to);
                break;
            case platform::DrawCall::Present:
                SDL_RenderFlush(renderer);
                break;
        }
    }
}

FrameCounts BareFrame::counts() const {
    FrameCounts counts;
    for (const platform::DrawCall& c : calls_->calls) {
        if (c.kind == platform::DrawCall::Clear) ++counts.clears;
        if (c.kind == platform::DrawCall::Fill) ++counts.fills;
        if (c.kind == platform::DrawCall::Copy) ++counts.copies;
        if (c.kind == platform::DrawCall::Fill || c.kind == platform::DrawCall::Copy) {
            counts.pixels += static_cast<long long>(c.to.w) * c.to.h;
        }
        if (c.kind == platform::DrawCall::Fill && c.blend == SDL_BLENDMODE_BLEND) {
            counts.blendedFill += static_cast<long long>(c.to.w) * c.to.h;
        }
        if (c.kind == platform::DrawCall::Copy && c.argb != 0xFFFFFFFFu) {
            counts.modulatedCopy += static_cast<long long>(c.to.w) * c.to.h;
        }
    }
    return counts;
}

struct FirstFrameWatch::Log final : platform::DrawLog {
    void add(const platform::DrawCall& call) override {
        if (call.kind != platform::DrawCall::Present || seen) return;
        seen = true;
        when = std::chrono::steady_clock::now();
    }
    bool seen = false;
    std::chrono::steady_clock::time_point when;
};

FirstFrameWatch::FirstFrameWatch() : log_(std::make_unique<Log>()) {
    sdlGraphics().setDrawLog(log_.get());
}

FirstFrameWatch::~FirstFrameWatch() {
    if (platform::hasGraphics()) {
        if (auto* g = dynamic_cast<platform::SdlGraphics*>(&platform::graphics()))
            g->setDrawLog(nullptr);
    }
}

bool FirstFrameWatch::seen() const { return log_->seen; }
std::chrono::steady_clock::time_point FirstFrameWatch::when() const { return log_->when; }

}  // namespace bench
