#include "scene/engine/SceneRendererImpl.h"

namespace vtx {

void SceneRenderer::Impl::ensurePickBuffer(int width, int height) {
    if (pickFbo && pickWidth == width && pickHeight == height) return;
    if (!pickFbo) {
        glGenFramebuffers(1, &pickFbo);
        glGenRenderbuffers(1, &pickColor);
        glGenRenderbuffers(1, &pickDepth);
    }
    glBindRenderbuffer(GL_RENDERBUFFER, pickColor);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, pickDepth);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    glBindFramebuffer(GL_FRAMEBUFFER, pickFbo);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, pickColor);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, pickDepth);
    pickWidth = width;
    pickHeight = height;
}

SceneObject* SceneRenderer::Impl::pick(Scene& scene, Camera* cam, const RenderTarget& target, int x, int y,
                                       const PickFilter* lookThrough) {
    // Read by collect() during this pick only.
    pickLookThrough = lookThrough;
    struct Forget {
        const PickFilter*& filter;
        ~Forget() { filter = nullptr; }
    } forget{pickLookThrough};
    if (!cam || target.width <= 0 || target.height <= 0) return nullptr;
    // The 3 x 3 square around the pixel, clipped to the target (GL rows count from the bottom).
    const int x0 = std::max(0, x - 1), x1 = std::min(target.width - 1, x + 1);
    const int glY = target.height - 1 - y;
    const int y0 = std::max(0, glY - 1), y1 = std::min(target.height - 1, glY + 1);
    if (x0 > x1 || y0 > y1) return nullptr;
    const int w = x1 - x0 + 1, h = y1 - y0 + 1;
    // Only the square is drawn, into a 3 x 3 framebuffer: the projection is narrowed to it (a pick
    // matrix), so everything outside is culled before any GL work and the square's pixels sample
    // exactly the same points as the full picture.
    ensurePickBuffer(3, 3);
    RenderTarget pickTarget = target;
    pickTarget.framebuffer = pickFbo;
    pickTarget.width = 3;
    pickTarget.height = 3;
    setCommonState(pickTarget);
    glViewport(0, 0, w, h);
    glClearColor(0, 0, 0, 0);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    beginFrame(scene, cam, target, true);
    const float centreX = float(x0) + 0.5f * float(w), centreY = float(y0) + 0.5f * float(h);
    glm::mat4 narrow(1.0f);
    narrow[0][0] = float(target.width) / float(w);
    narrow[1][1] = float(target.height) / float(h);
    narrow[3][0] = (float(target.width) - 2.0f * centreX) / float(w);
    narrow[3][1] = (float(target.height) - 2.0f * centreY) / float(h);
    projection = narrow * projection;
    viewProj = projection * view;
    currentProgram = 0;
    useProgram(pickMesh.id);
    for (std::size_t i = 0; i < pickItems.size(); ++i) {
        if (outsideView(pickItems[i])) continue;
        const std::uint32_t id = std::uint32_t(i + 1);
        glUniform4f(pickMesh.pickColor, float(id & 0xff) / 255.0f, float((id >> 8) & 0xff) / 255.0f,
                    float((id >> 16) & 0xff) / 255.0f, 1.0f);
        drawItem(pickItems[i], true);
    }
    std::array<unsigned char, 9 * 4> colors{};
    std::array<float, 9> depths{};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, colors.data());
    glReadPixels(0, 0, w, h, GL_DEPTH_COMPONENT, GL_FLOAT, depths.data());
    glBindVertexArray(0);
    glUseProgram(0);
    currentProgram = 0;
    glBindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
    glViewport(0, 0, target.width, target.height);
    SceneObject* best = nullptr;
    float bestDepth = 2.0f;
    for (int i = 0; i < w * h; ++i) {
        const std::uint32_t id = std::uint32_t(colors[std::size_t(i) * 4]) |
                                 (std::uint32_t(colors[std::size_t(i) * 4 + 1]) << 8) |
                                 (std::uint32_t(colors[std::size_t(i) * 4 + 2]) << 16);
        if (id == 0 || id > pickItems.size()) continue;
        if (depths[std::size_t(i)] < bestDepth) {
            bestDepth = depths[std::size_t(i)];
            best = pickItems[id - 1].object;
        }
    }
    return best;
}

} // namespace vtx
