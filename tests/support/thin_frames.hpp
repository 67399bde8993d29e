// A drawing surface for long runs: every item still draws every frame (so a destroyed
// item that is drawn is caught), but only one frame in `every` reaches the software
// renderer's pixels; the others skip the blits, which cost milliseconds each.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/edit_box.hpp"
#include "platform/graphics.hpp"

namespace test {

class ThinFrames final : public platform::Graphics {
public:
    ThinFrames(std::unique_ptr<platform::Graphics> inner, int every)
        : inner_(std::move(inner)), every_(every) {}

    std::string rendererName() const override { return inner_->rendererName(); }
    void clear(uint32_t argb) override {
        if (full_) inner_->clear(argb);
    }
    void clearRect(int l, int t, int r, int b, uint32_t argb) override {
        if (full_) inner_->clearRect(l, t, r, b, argb);
    }
    void fillRect(int l, int t, int r, int b, uint32_t argb) override {
        if (full_) inner_->fillRect(l, t, r, b, argb);
    }
    void drawOutline(int l, int t, int r, int b, uint32_t argb) override {
        if (full_) inner_->drawOutline(l, t, r, b, argb);
    }
    void drawBevel(int l, int t, int r, int b, uint32_t topLeft, uint32_t bottomRight) override {
        if (full_) inner_->drawBevel(l, t, r, b, topLeft, bottomRight);
    }
    platform::TexturePtr loadTexture(const std::string& path, int* width, int* height) override {
        return inner_->loadTexture(path, width, height);
    }
    platform::TexturePtr loadTextureFromMemory(const std::vector<uint8_t>& file, int* width,
                                               int* height) override {
        return inner_->loadTextureFromMemory(file, width, height);
    }
    void drawTexture(const platform::Texture& texture, int x, int y, const platform::Rect* src,
                     uint32_t argb) override {
        if (full_) inner_->drawTexture(texture, x, y, src, argb);
    }
    platform::FontPtr createFont(const char* face, int height, int weight, bool italic) override {
        return inner_->createFont(face, height, weight, italic);
    }
    // Measuring is never skipped: layout may depend on it. A skipped drawing still
    // answers the height it would have drawn.
    int drawText(platform::Font& font, const char* text, int length, platform::Rect* rect,
                 platform::TextFormat format, uint32_t argb) override {
        if (full_ || has(format, platform::TextFormat::CalcRect)) {
            return inner_->drawText(font, text, length, rect, format, argb);
        }
        platform::Rect measured = *rect;
        return inner_->drawText(font, text, length, &measured, format | platform::TextFormat::CalcRect,
                                argb);
    }
    void present() override {
        if (full_) {
            // The frame asked the edit boxes to draw on this wrapper, which they cannot use.
            platform::drawEditBoxes(*inner_);
            inner_->present();
        }
        full_ = ++frames_ % every_ == 0;
    }
    uint32_t pixel(int x, int y) const override { return inner_->pixel(x, y); }
    bool savePng(const std::string& path) const override { return inner_->savePng(path); }

    long frames() const { return frames_; }

private:
    std::unique_ptr<platform::Graphics> inner_;
    int every_;
    long frames_ = 0;
    bool full_ = true;
};

}  // namespace test
