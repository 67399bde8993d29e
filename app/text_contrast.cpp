#include "app/text_contrast.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <vector>

#include "base/cp1251.hpp"
#include "platform/graphics.hpp"
#include "scene/scene.hpp"
#include "ui/frame.hpp"
#include "ui/resources.hpp"
#include "ui/shell.hpp"

namespace app {

namespace {

struct DrawnText {
    std::string text;
    ui::FontPtr font;
    platform::Rect rect;
    platform::TextFormat format;
    uint32_t colour;
};

std::vector<DrawnText> renderRecording(bool withoutTexts) {
    std::vector<DrawnText> texts;
    // The outlines stay in both frames: they are part of what lies behind the text.
    ui::shell().textObserver = [&texts, withoutTexts](const ui::FontPtr& font, const char* text,
                                                      const platform::Rect& rect,
                                                      platform::TextFormat format, uint32_t colour) {
        if (has(format, ui::kTextBacking)) return true;
        texts.push_back(DrawnText{text, font, rect, format, colour});
        return !withoutTexts;
    };
    ui::renderFrame();
    ui::shell().textObserver = nullptr;
    return texts;
}

double luminance(uint32_t rgb) {
    const auto channel = [](uint32_t c) {
        const double v = c / 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel((rgb >> 16) & 0xFF) + 0.7152 * channel((rgb >> 8) & 0xFF) +
           0.0722 * channel(rgb & 0xFF);
}

bool near(uint32_t a, uint32_t b) {
    for (int shift : {0, 8, 16}) {
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 24)
            return false;
    }
    return true;
}

// Where the text's lines were drawn.
platform::Rect inkBox(const DrawnText& t) {
    platform::Rect size = t.rect;
    platform::graphics().drawText(*t.font, t.text.c_str(), -1, &size,
                                  t.format | platform::TextFormat::CalcRect, 0);
    const int width = size.right - size.left, height = size.bottom - size.top;
    int x = t.rect.left, y = t.rect.top;
    if (has(t.format, platform::TextFormat::Center))
        x = t.rect.left + (t.rect.right - t.rect.left - width) / 2;
    if (has(t.format, platform::TextFormat::Right)) x = t.rect.right - width;
    if (has(t.format, platform::TextFormat::VCenter))
        y = t.rect.top + (t.rect.bottom - t.rect.top - height) / 2;
    if (has(t.format, platform::TextFormat::Bottom)) y = t.rect.bottom - height;
    return platform::Rect{std::max(0, x), std::max(0, y), std::min(1024, x + width),
                          std::min(768, y + height)};
}

bool coveredLater(const std::vector<platform::Rect>& boxes, size_t text, int x, int y) {
    for (size_t j = text + 1; j < boxes.size(); ++j) {
        const platform::Rect& b = boxes[j];
        if (x >= b.left && x < b.right && y >= b.top && y < b.bottom) return true;
    }
    return false;
}

}  // namespace

double contrastRatio(uint32_t a, uint32_t b) {
    const double la = luminance(a & 0xFFFFFF), lb = luminance(b & 0xFFFFFF);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::optional<PoorText> leastReadableText() {
    const std::function<void()> watcher = ui::shell().frameObserver;
    ui::shell().frameObserver = nullptr;  // a film does not get these frames
    const platform::Graphics& g = platform::graphics();
    const std::vector<DrawnText> texts = renderRecording(false);
    std::vector<platform::Rect> boxes;
    std::vector<std::vector<uint32_t>> shown;
    for (const DrawnText& t : texts) {
        boxes.push_back(inkBox(t));
        const platform::Rect& b = boxes.back();
        std::vector<uint32_t> pixels;
        for (int y = b.top; y < b.bottom; ++y) {
            for (int x = b.left; x < b.right; ++x) pixels.push_back(g.pixel(x, y));
        }
        shown.push_back(std::move(pixels));
    }
    renderRecording(true);
    ui::shell().frameObserver = watcher;

    std::optional<PoorText> poorest;
    for (size_t i = 0; i < texts.size(); ++i) {
        const DrawnText& t = texts[i];
        // A message fading out has said what it had to say.
        if ((t.colour >> 24) < 0xF0) continue;
        const platform::Rect& b = boxes[i];
        std::vector<double> ratios;
        size_t k = 0;
        for (int y = b.top; y < b.bottom; ++y) {
            for (int x = b.left; x < b.right; ++x, ++k) {
                // A text drawn later lies on top: its letters are not this text's background.
                if (coveredLater(boxes, i, x, y)) continue;
                const uint32_t ink = shown[i][k];
                const uint32_t behind = g.pixel(x, y);
                // The text's own solid pixels; its smoothed edges mix in the background.
                if (ink != behind && near(ink, t.colour))
                    ratios.push_back(contrastRatio(t.colour, behind));
            }
        }
        if (ratios.size() < 12) continue;  // covered by something drawn later
        std::nth_element(ratios.begin(), ratios.begin() + ratios.size() / 10, ratios.end());
        const double ratio = ratios[ratios.size() / 10];
        if (ratio < kLeastContrast && (!poorest || ratio < poorest->ratio))
            poorest = PoorText{base::cp1251::toUtf8(t.text), ratio};
    }
    return poorest;
}

}  // namespace app
