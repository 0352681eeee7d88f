#include "scene/engine/SceneRendererImpl.h"

#include <algorithm>

namespace vtx {

namespace {

constexpr int kTile = 8;
// Glyphs smaller than this are drawn whole: a text's glyphs gain little from tiles.
constexpr int kTiledGlyph = 64;

} // namespace

const std::vector<std::array<int, 4>>& SceneRenderer::Impl::visibleRuns(const TextureImage& picture,
                                                                        const std::array<int, 4>& source) {
    const auto key = std::make_pair(picture.id(), source);
    if (const auto found = glyphRuns.find(key); found != glyphRuns.end()) return found->second;
    std::vector<std::array<int, 4>>& runs = glyphRuns[key];
    const QImage* image = picture.image();
    const int sw = source[2], sh = source[3];
    if (!image) {
        runs.push_back({0, 0, sw, sh});
        return runs;
    }
    // Under this blend a texel's weight is its luminance x alpha (times the text's alpha, at most
    // 1), and it moves a pixel by at most that weight: up to 1/255, a step of the picture's
    // colours at most, as the dark noise around a compressed logo does. A tile counts with one
    // texel around it: a pixel on a tile's edge may sample its neighbour.
    const auto shown = [&](int x, int y) {
        const uchar* texel = image->constScanLine(y) + 4 * x;
        const double luminance = 0.299 * texel[0] + 0.587 * texel[1] + 0.114 * texel[2];
        return luminance * texel[3] > 255.0; // (luminance / 255) x (alpha / 255) > 1 / 255
    };
    const auto tileShown = [&](int tx, int ty) {
        const int xa = std::max(0, source[0] + tx - 1), ya = std::max(0, source[1] + ty - 1);
        const int xb = std::min(image->width(), source[0] + std::min(tx + kTile, sw) + 1);
        const int yb = std::min(image->height(), source[1] + std::min(ty + kTile, sh) + 1);
        for (int y = ya; y < yb; ++y)
            for (int x = xa; x < xb; ++x)
                if (shown(x, y)) return true;
        return false;
    };
    for (int ty = 0; ty < sh; ty += kTile) {
        const int th = std::min(kTile, sh - ty);
        for (int tx = 0; tx < sw; tx += kTile) {
            if (!tileShown(tx, ty)) continue;
            const int tw = std::min(kTile, sw - tx);
            if (!runs.empty() && runs.back()[1] == ty && runs.back()[0] + runs.back()[2] == tx)
                runs.back()[2] += tw;
            else
                runs.push_back({tx, ty, tw, th});
        }
    }
    return runs;
}

const SceneRenderer::Impl::HudLayout& SceneRenderer::Impl::hudLayout(const HudText& hud) {
    const BitmapFont& font = *hud.bitmapFont;
    HudLayout& layout = hudLayouts[hud.serial()];
    layout.lastUsed = frame;
    const std::array<int, 4> cell{font.charWidth, font.charHeight, font.glyphsIntervalX,
                                  font.glyphsIntervalY};
    const auto sameRanges = [&] {
        if (layout.ranges.size() != font.ranges.size()) return false;
        for (std::size_t i = 0; i < font.ranges.size(); ++i) {
            const FontRange &a = layout.ranges[i], &b = font.ranges[i];
            if (a.startAscii != b.startAscii || a.stopAscii != b.stopAscii ||
                a.startGlyphIdx != b.startGlyphIdx)
                return false;
        }
        return true;
    };
    const glm::vec2 position(hud.position.x, hud.position.y);
    if (layout.text == hud.text && layout.font == &font && layout.glyphs == font.glyphs.id() &&
        layout.cell == cell && layout.position == position && sameRanges())
        return layout;
    layout.text = hud.text;
    layout.font = &font;
    layout.glyphs = font.glyphs.id();
    layout.cell = cell;
    layout.ranges = font.ranges;
    layout.position = position;
    layout.vertices.clear();
    layout.bounds = {position.x, position.y, position.x, position.y};
    layout.hasGlyphs = false;
    const float pw = float(font.glyphs.width()), ph = float(font.glyphs.height());
    const auto addQuad = [&](float x0, float y0, float x1, float y1, int sx0, int sy0, int sx1, int sy1) {
        const float u0 = float(sx0) / pw, v0 = float(sy0) / ph, u1 = float(sx1) / pw, v1 = float(sy1) / ph;
        layout.vertices.insert(layout.vertices.end(), {x0, y0, u0, v0, x1, y0, u1, v0, x1, y1, u1, v1,
                                                       x0, y0, u0, v0, x1, y1, u1, v1, x0, y1, u0, v1});
    };
    for (const GlyphQuad& q : layoutText(font.metrics(), hud.text)) {
        const float x0 = position.x + q.x, y0 = position.y + q.y;
        const float x1 = x0 + q.w, y1 = y0 + q.h;
        const auto& [sx, sy, sw, sh] = q.source;
        auto& b = layout.bounds;
        b = !layout.hasGlyphs ? std::array<float, 4>{x0, y0, x1, y1}
                              : std::array<float, 4>{std::min(b[0], x0), std::min(b[1], y0),
                                                     std::max(b[2], x1), std::max(b[3], y1)};
        layout.hasGlyphs = true;
        if (sw < kTiledGlyph || sh < kTiledGlyph) {
            addQuad(x0, y0, x1, y1, sx, sy, sx + sw, sy + sh);
            continue;
        }
        // A large glyph, mostly transparent like the logo, is drawn as its shown tiles only: the
        // same pixels at a fraction of the fragments. Its outer edges stay the quad's own.
        const auto at = [](float a, float b, int t, int size) {
            return t == 0 ? a : t == size ? b : a + (b - a) * float(t) / float(size);
        };
        for (const auto& [rx, ry, rw, rh] : visibleRuns(font.glyphs, q.source))
            addQuad(at(x0, x1, rx, sw), at(y0, y1, ry, sh), at(x0, x1, rx + rw, sw), at(y0, y1, ry + rh, sh),
                    sx + rx, sy + ry, sx + rx + rw, sy + ry + rh);
    }
    return layout;
}

void SceneRenderer::Impl::drawHud(const RenderTarget& target) {
    if (hudItems.empty()) return;
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    useProgram(hudProgram);
    // HUD texts are placed in viewer units: the screen's scale factor keeps
    // them where and as large as they are relative to the viewer.
    const float ratio = target.pixelRatio > 0.0f ? target.pixelRatio : 1.0f;
    glUniform2f(hudViewport, float(std::max(1, target.width)) / ratio,
                float(std::max(1, target.height)) / ratio);
    glUniform1i(hudTex, 0);
    glBindSampler(0, nearestSampler);
    glBindVertexArray(hudVao);
    glBindBuffer(GL_ARRAY_BUFFER, hudVbo);
    for (const DrawItem& item : hudItems) {
        const auto& hud = static_cast<const HudText&>(*item.object);
        if (!hud.bitmapFont || hud.bitmapFont->glyphs.isEmpty() || hud.text.empty()) continue;
        const TextureImage& glyphs = hud.bitmapFont->glyphs;
        const HudLayout& layout = hudLayout(hud);
        const std::vector<float>& hudData = layout.vertices;
        if (!layout.hasGlyphs) continue;
        if (hud.backColor.a > 0.0f) {
            // The plate behind the glyphs: their bounds, padded.
            const float p = hud.backPadding;
            const auto& b = layout.bounds;
            const float x0 = b[0] - p, y0 = b[1] - p, x1 = b[2] + p, y1 = b[3] + p;
            const float plate[] = {x0, y0, 0, 0, x1, y0, 0, 0, x1, y1, 0, 0,
                                   x0, y0, 0, 0, x1, y1, 0, 0, x0, y1, 0, 0};
            glUniform1f(hudSolid, 1.0f);
            glUniform4fv(hudModulate, 1, glm::value_ptr(hud.backColor));
            glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(sizeof(plate)), plate, GL_STREAM_DRAW);
            glDrawArrays(GL_TRIANGLES, 0, 6);
            ++stats.drawCalls;
            stats.triangles += 2;
        }
        if (hudData.empty()) continue;
        glUniform1f(hudSolid, 0.0f);
        glBindTexture(GL_TEXTURE_2D, texture(glyphs));
        glUniform4fv(hudModulate, 1, glm::value_ptr(hud.modulateColor));
        glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(hudData.size() * sizeof(float)), hudData.data(),
                     GL_STREAM_DRAW);
        glDrawArrays(GL_TRIANGLES, 0, GLsizei(hudData.size() / 4));
        ++stats.drawCalls;
        stats.triangles += (long long)(hudData.size() / 12);
    }
    glBindSampler(0, 0);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
}

} // namespace vtx
