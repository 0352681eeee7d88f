#include "scene/engine/SceneRendererImpl.h"

#include <algorithm>

namespace vtx {

const std::vector<float>& SceneRenderer::Impl::hudVertices(const THUDText& hud) {
    const TBitmapFont& font = *hud.BitmapFont;
    HudLayout& layout = hudLayouts[hud.serial()];
    layout.lastUsed = frame;
    const std::array<int, 4> cell{font.CharWidth, font.CharHeight, font.GlyphsIntervalX,
                                  font.GlyphsIntervalY};
    const auto sameRanges = [&] {
        if (layout.ranges.size() != font.Ranges.size()) return false;
        for (std::size_t i = 0; i < font.Ranges.size(); ++i) {
            const FontRange &a = layout.ranges[i], &b = font.Ranges[i];
            if (a.StartASCII != b.StartASCII || a.StopASCII != b.StopASCII ||
                a.StartGlyphIdx != b.StartGlyphIdx)
                return false;
        }
        return true;
    };
    const glm::vec2 position(hud.Position.x, hud.Position.y);
    if (layout.text == hud.Text && layout.font == &font && layout.glyphs == font.Glyphs.id() &&
        layout.cell == cell && layout.position == position && sameRanges())
        return layout.vertices;
    layout.text = hud.Text;
    layout.font = &font;
    layout.glyphs = font.Glyphs.id();
    layout.cell = cell;
    layout.ranges = font.Ranges;
    layout.position = position;
    layout.vertices.clear();
    const float pw = float(font.Glyphs.width()), ph = float(font.Glyphs.height());
    for (const GlyphQuad& q : layoutText(font.metrics(), hud.Text)) {
        const float x0 = position.x + q.x, y0 = position.y + q.y;
        const float x1 = x0 + q.w, y1 = y0 + q.h;
        const float u0 = float(q.source[0]) / pw, v0 = float(q.source[1]) / ph;
        const float u1 = float(q.source[0] + q.source[2]) / pw, v1 = float(q.source[1] + q.source[3]) / ph;
        layout.vertices.insert(layout.vertices.end(), {x0, y0, u0, v0, x1, y0, u1, v0, x1, y1, u1, v1,
                                                       x0, y0, u0, v0, x1, y1, u1, v1, x0, y1, u0, v1});
    }
    return layout.vertices;
}

void SceneRenderer::Impl::drawHud(const RenderTarget& target) {
    if (hudItems.empty()) return;
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
        const auto& hud = static_cast<const THUDText&>(*item.object);
        if (!hud.BitmapFont || hud.BitmapFont->Glyphs.isEmpty() || hud.Text.empty()) continue;
        const TGLTextureImage& glyphs = hud.BitmapFont->Glyphs;
        const std::vector<float>& hudData = hudVertices(hud);
        if (hudData.empty()) continue;
        if (hud.BackColor.a > 0.0f) {
            // The plate behind the glyphs: their bounds, padded.
            float x0 = hudData[0], y0 = hudData[1], x1 = x0, y1 = y0;
            for (std::size_t i = 0; i + 3 < hudData.size(); i += 4) {
                x0 = std::min(x0, hudData[i]), x1 = std::max(x1, hudData[i]);
                y0 = std::min(y0, hudData[i + 1]), y1 = std::max(y1, hudData[i + 1]);
            }
            const float p = hud.BackPadding;
            x0 -= p, y0 -= p, x1 += p, y1 += p;
            const float plate[] = {x0, y0, 0, 0, x1, y0, 0, 0, x1, y1, 0, 0,
                                   x0, y0, 0, 0, x1, y1, 0, 0, x0, y1, 0, 0};
            glUniform1f(hudSolid, 1.0f);
            glUniform4fv(hudModulate, 1, glm::value_ptr(hud.BackColor));
            glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(sizeof(plate)), plate, GL_STREAM_DRAW);
            glDrawArrays(GL_TRIANGLES, 0, 6);
            ++stats.drawCalls;
            stats.triangles += 2;
        }
        glUniform1f(hudSolid, 0.0f);
        glBindTexture(GL_TEXTURE_2D, texture(glyphs));
        glUniform4fv(hudModulate, 1, glm::value_ptr(hud.ModulateColor));
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
