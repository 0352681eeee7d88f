#include "scene/engine/SceneRendererImpl.h"

namespace vtx {

SceneRenderer::SceneRenderer() : m(std::make_unique<Impl>()) {}
SceneRenderer::~SceneRenderer() = default;
void SceneRenderer::initialize() {
    m->initialize();
}
bool SceneRenderer::initialized() const {
    return m->ready;
}
void SceneRenderer::releaseGL() {
    m->releaseGL();
}
const RenderStats& SceneRenderer::stats() const {
    return m->stats;
}

void SceneRenderer::render(Scene& scene, Camera* camera, const RenderTarget& target) {
    if (m->ready) m->render(scene, camera, target);
}

SceneObject* SceneRenderer::pick(Scene& scene, Camera* camera, const RenderTarget& target, int x, int y) {
    return m->ready ? m->pick(scene, camera, target, x, y) : nullptr;
}

SceneObject* SceneRenderer::pick(Scene& scene, Camera* camera, const RenderTarget& target, int x, int y,
                                 const PickFilter& lookThrough) {
    return m->ready ? m->pick(scene, camera, target, x, y, lookThrough ? &lookThrough : nullptr) : nullptr;
}

} // namespace vtx
