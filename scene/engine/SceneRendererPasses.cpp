#include "scene/engine/SceneRendererImpl.h"

#include "scene/engine/AllocatorTuning.h"
#include "scene/engine/Culling.h"
#include "scene/engine/Fnv1a.h"
#include "scene/engine/formats/PlaneGrid.h"

namespace vtx {

void SceneRenderer::Impl::collect(SceneObject& object, const glm::mat4& parent, bool forPick) {
    if (!object.visible) return;
    const glm::mat4 model = parent * object.localMatrix();
    const ObjectKind kind = object.kind();
    if (forPick) {
        if (object.pickable() && !(pickLookThrough && (*pickLookThrough)(object)))
            pickItems.push_back({&object, model, &object.effectiveMaterial()});
    } else {
        switch (kind) {
        case ObjectKind::SkyDome:
            skyItems.push_back({&object, model, nullptr});
            break;
        case ObjectKind::Plane:
        case ObjectKind::Sprite:
        case ObjectKind::Terrain:
        case ObjectKind::Actor: {
            const Material* material = &object.effectiveMaterial();
            (material->blendingMode == BlendMode::Opaque ? opaqueItems : blendedItems)
                .push_back({&object, model, material});
            break;
        }
        case ObjectKind::Light:
            if (!haveLight) {
                haveLight = true;
                lightPos = glm::vec3(model[3]);
                lightColor = static_cast<LightSource&>(object).diffuse;
            }
            break;
        case ObjectKind::HudText:
            hudItems.push_back({&object, model, nullptr});
            break;
        default:
            break;
        }
        for (const FireEffect& fire : object.effects.items())
            if (fire.manager) fireItems.push_back({glm::vec3(model[3]), fire.manager.get()});
    }
    for (int i = 0; i < object.count(); ++i)
        collect(*object.children(i), model, forPick);
}

void SceneRenderer::Impl::beginFrame(Scene& scene, Camera* cam, const RenderTarget& target, bool forPick) {
    ++frame;
    stats = RenderStats{};
    skyItems.clear();
    opaqueItems.clear();
    blendedItems.clear();
    hudItems.clear();
    pickItems.clear();
    fireItems.clear();
    haveLight = false;
    camera = cam;
    const float aspect = target.height > 0 ? float(target.width) / float(target.height) : 1.0f;
    view = cam->viewMatrix();
    projection = cam->projectionMatrix(aspect);
    viewProj = projection * view;
    eye = glm::vec3(glm::inverse(view)[3]);
    farDistance = cam->depthOfView;
    Group& root = scene.objects();
    collect(root, glm::mat4(1.0f), forPick);
}

void SceneRenderer::Impl::setCommonState(const RenderTarget& target) {
    glBindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
    glViewport(0, 0, target.width, target.height);
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_STENCIL_TEST);
    glDisable(GL_BLEND);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glFrontFace(GL_CCW);
    glCullFace(GL_BACK);
    glDisable(GL_CULL_FACE);
    glActiveTexture(GL_TEXTURE0);
    glBindSampler(0, 0);
}

void SceneRenderer::Impl::useProgram(GLuint id) {
    if (id != currentProgram) {
        glUseProgram(id);
        currentProgram = id;
    }
}

// Sets the material's state and returns the program to draw it with (made current).
const MeshProgram& SceneRenderer::Impl::applyMaterial(const Material& material, bool pickPass,
                                                      bool instanced) {
    if (material.faceCulling == FaceCulling::Cull)
        glEnable(GL_CULL_FACE);
    else
        glDisable(GL_CULL_FACE);
    if (pickPass) {
        useProgram(pickMesh.id);
        return pickMesh;
    }
    const bool textured = material.texture.active();
    const int mode = !textured ? 0 : material.texture.textureMode == TextureMode::Modulate ? 2 : 1;
    const MeshProgram& p = meshVariants[instanced ? 1 : 0][mode];
    useProgram(p.id);
    switch (material.blendingMode) {
    case BlendMode::Opaque:
        glDisable(GL_BLEND);
        break;
    case BlendMode::Transparency:
        glEnable(GL_BLEND);
        glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
        break;
    case BlendMode::Additive:
        glEnable(GL_BLEND);
        glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE, GL_ZERO, GL_ONE);
        break;
    }
    const FaceProperties& front = material.frontProperties;
    glUniform4fv(p.diffuse, 1, glm::value_ptr(front.diffuse));
    glUniform4fv(p.ambient, 1, glm::value_ptr(front.ambient));
    glUniform4fv(p.emission, 1, glm::value_ptr(front.emission));
    const TextureGpu* picture = textured ? &textureEntry(material.texture.image) : nullptr;
    if (picture) glBindTexture(GL_TEXTURE_2D, picture->id);
    // The target's alpha must stay as cleared (a window with alpha below 1 lets the desktop show
    // through). Blending keeps it; an opaque draw writes its colour's alpha, times the texel's: where
    // both are 1 it may write all four channels, and a software rasteriser then need not read each
    // pixel back to keep its alpha.
    const bool writesOne = material.blendingMode == BlendMode::Opaque && front.diffuse.a >= 1.0f &&
                           (!picture || picture->opaque);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, alphaIsOne && writesOne ? GL_TRUE : GL_FALSE);
    return p;
}

void SceneRenderer::Impl::setTransform(const MeshProgram& p, const glm::mat4& model) {
    const glm::mat4 mvp = viewProj * model;
    glUniformMatrix4fv(p.mvp, 1, GL_FALSE, glm::value_ptr(mvp));
    glUniformMatrix4fv(p.model, 1, GL_FALSE, glm::value_ptr(model));
    const glm::mat3 normalMatrix = glm::transpose(glm::inverse(glm::mat3(model)));
    glUniformMatrix3fv(p.normalMatrix, 1, GL_FALSE, glm::value_ptr(normalMatrix));
}

void SceneRenderer::Impl::drawItem(const DrawItem& item, bool pickPass) {
    const MeshProgram& p = applyMaterial(*item.material, pickPass, false);
    glUniform2f(p.uvScale, 1.0f, 1.0f);
    glUniform1f(p.blend, 0.0f);
    switch (item.object->kind()) {
    case ObjectKind::Plane: {
        const auto& plane = static_cast<const Plane&>(*item.object);
        setTransform(p, item.model * glm::scale(glm::mat4(1.0f), glm::vec3(plane.width, plane.height, 1.0f)));
        glUniform2f(p.uvScale, float(std::max(1, plane.xTiles)), float(std::max(1, plane.yTiles)));
        glBindVertexArray(quadVao);
        glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
        ++stats.drawCalls;
        stats.triangles += 2;
        break;
    }
    case ObjectKind::Sprite: {
        const auto& sprite = static_cast<const Sprite&>(*item.object);
        // Screen-aligned: the camera's right and up axes, sized by Width x Height and Scale.
        const glm::vec3 right(view[0][0], view[1][0], view[2][0]);
        const glm::vec3 up(view[0][1], view[1][1], view[2][1]);
        const glm::vec3 back(view[0][2], view[1][2], view[2][2]);
        glm::mat4 model(1.0f);
        model[0] = glm::vec4(right * sprite.width * sprite.scale.x, 0.0f);
        model[1] = glm::vec4(up * sprite.height * sprite.scale.y, 0.0f);
        model[2] = glm::vec4(back, 0.0f);
        model[3] = item.model[3];
        glDisable(GL_CULL_FACE);
        setTransform(p, model);
        glBindVertexArray(quadVao);
        glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
        ++stats.drawCalls;
        stats.triangles += 2;
        break;
    }
    case ObjectKind::Actor:
        drawActor(p, static_cast<const AnimatedModel&>(*item.object), item.model);
        break;
    case ObjectKind::Terrain:
        drawTerrain(p, static_cast<Terrain&>(*item.object), item.model, pickPass);
        break;
    default:
        break;
    }
}

void SceneRenderer::Impl::drawActor(const MeshProgram& p, const AnimatedModel& actor,
                                    const glm::mat4& model) {
    ActorGpu* gpu = actorMesh(actor);
    if (!gpu) return;
    const int last = gpu->frameCount - 1;
    const std::size_t a = std::size_t(std::clamp(actor.currentFrame(), 0, last));
    const std::size_t b = std::size_t(std::clamp(actor.nextFrame(), 0, last));
    const GLsizei stride = 6 * sizeof(float);
    setTransform(p, model);
    glUniform1f(p.blend, a == b ? 0.0f : actor.frameBlend());
    glBindVertexArray(gpu->vao);
    const auto at = [](std::size_t bytes) { return reinterpret_cast<void*>(bytes); };
    glBindBuffer(GL_ARRAY_BUFFER, gpu->frames[a]);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride, at(0));
    glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, stride, at(3 * sizeof(float)));
    glBindBuffer(GL_ARRAY_BUFFER, gpu->frames[b]);
    glVertexAttribPointer(3, 3, GL_FLOAT, GL_FALSE, stride, at(0));
    glVertexAttribPointer(4, 3, GL_FLOAT, GL_FALSE, stride, at(3 * sizeof(float)));
    glDrawElements(GL_TRIANGLES, gpu->indexCount, GL_UNSIGNED_INT, nullptr);
    ++stats.drawCalls;
    stats.triangles += gpu->indexCount / 3;
}

// Near tiles one by one, nearest first, then the far ones in one call. The pick pass (a few tiles in
// a narrow view) draws every tile on its own and leaves the merged buffer to the pictures.
void SceneRenderer::Impl::drawTerrain(const MeshProgram& p, Terrain& terrain, const glm::mat4& model,
                                      bool pickPass) {
    if (!terrain.heightDataSource) return;
    terrain.selectTiles(eye, viewProj, farDistance, tiles);
    const glm::mat3 normalMatrix = glm::transpose(glm::inverse(glm::mat3(model)));
    glUniformMatrix3fv(p.normalMatrix, 1, GL_FALSE, glm::value_ptr(normalMatrix));
    const bool trim = terrain.coverHidesFrom(eye);
    farTiles.clear();
    for (const auto& tile : tiles) {
        if (!pickPass && tile.lod >= kMergeFromLod) {
            farTiles.push_back(&tile);
            continue;
        }
        PatchGpu* patch = terrainPatch(terrain, tile, trim);
        if (!patch) continue;
        const glm::mat4 tileModel = glm::translate(model, tile.offset);
        const glm::mat4 mvp = viewProj * tileModel;
        glUniformMatrix4fv(p.mvp, 1, GL_FALSE, glm::value_ptr(mvp));
        glUniformMatrix4fv(p.model, 1, GL_FALSE, glm::value_ptr(tileModel));
        glBindVertexArray(patch->vao);
        glDrawElements(GL_TRIANGLES, patch->indexCount, GL_UNSIGNED_INT, nullptr);
        ++stats.drawCalls;
        stats.triangles += patch->indexCount / 3;
        ++stats.terrainTiles;
    }
    if (!farTiles.empty()) drawMergedTiles(p, terrain, model, trim);
}

void SceneRenderer::Impl::drawMergedTiles(const MeshProgram& p, Terrain& terrain, const glm::mat4& model,
                                          bool trim) {
    // The far tiles' keys (which carry the terrain's revision) and places.
    Fnv1a h;
    h.add(trim);
    for (const auto* tile : farTiles) {
        std::apply([&h](const auto&... part) { (h.add(part), ...); }, patchKey(terrain, *tile));
        h.add(tile->offset);
    }
    MergedTerrainGpu& merged = mergedTerrains[terrain.serial()];
    merged.lastUsed = frame;
    if (!merged.vao || merged.signature != h.value()) {
        merged.signature = h.value();
        mergedVertices.clear();
        mergedIndices.clear();
        for (const auto* tile : farTiles) {
            const PatchCpu& patch = farPatch(terrain, *tile);
            const auto base = std::uint32_t(mergedVertices.size() / 8);
            for (std::size_t v = 0; v < patch.vertices.size(); v += 8) {
                mergedVertices.insert(mergedVertices.end(), patch.vertices.begin() + std::ptrdiff_t(v),
                                      patch.vertices.begin() + std::ptrdiff_t(v + 8));
                float* moved = &mergedVertices[mergedVertices.size() - 8];
                moved[0] += tile->offset.x;
                moved[1] += tile->offset.y;
                moved[2] += tile->offset.z;
            }
            appendTriangles(terrain, patch, tile->offset, trim, base, mergedIndices);
        }
        if (!merged.vao) {
            glGenVertexArrays(1, &merged.vao);
            glGenBuffers(1, &merged.vertices);
            glGenBuffers(1, &merged.indices);
            glBindVertexArray(merged.vao);
            glBindBuffer(GL_ARRAY_BUFFER, merged.vertices);
            setVertexLayout(true);
            glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, merged.indices);
        }
        glBindVertexArray(merged.vao);
        glBindBuffer(GL_ARRAY_BUFFER, merged.vertices);
        glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(mergedVertices.size() * sizeof(float)),
                     mergedVertices.data(), GL_DYNAMIC_DRAW);
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(mergedIndices.size() * sizeof(std::uint32_t)),
                     mergedIndices.data(), GL_DYNAMIC_DRAW);
        merged.indexCount = GLsizei(mergedIndices.size());
    }
    if (merged.indexCount == 0) return;
    const glm::mat4 mvp = viewProj * model;
    glUniformMatrix4fv(p.mvp, 1, GL_FALSE, glm::value_ptr(mvp));
    glUniformMatrix4fv(p.model, 1, GL_FALSE, glm::value_ptr(model));
    glBindVertexArray(merged.vao);
    glDrawElements(GL_TRIANGLES, merged.indexCount, GL_UNSIGNED_INT, nullptr);
    ++stats.drawCalls;
    stats.triangles += merged.indexCount / 3;
    stats.terrainTiles += int(farTiles.size());
}

// The sky lies behind everything: where an opaque plane (the sea seen from above) fills the whole
// view, its pass would only fail the depth test at every pixel, a full-screen pass for nothing.
bool SceneRenderer::Impl::opaquePlaneFillsView() const {
    for (const DrawItem& item : opaqueItems) {
        if (item.object->kind() != ObjectKind::Plane) continue;
        const auto& plane = static_cast<const Plane&>(*item.object);
        if (quadCoversView(viewProj, item.model * glm::scale(glm::mat4(1.0f),
                                                             glm::vec3(plane.width, plane.height, 1.0f))))
            return true;
    }
    return false;
}

void SceneRenderer::Impl::drawSkies() {
    if (skyItems.empty() || opaquePlaneFillsView()) return;
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_FALSE);
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    useProgram(skyProgram);
    // Centred on the eye: only the rotation of the view and of the dome count.
    glm::mat4 rotationView = view;
    rotationView[3] = glm::vec4(0, 0, 0, 1);
    const float radius = std::max(camera->nearPlane * 4.0f, std::min(1.0f, farDistance * 0.5f));
    for (const DrawItem& item : skyItems) {
        SkyGpu& sky = skyMesh(static_cast<Sky&>(*item.object));
        if (sky.count == 0) continue;
        glm::mat4 orientation(1.0f);
        for (int c = 0; c < 3; ++c)
            orientation[c] = glm::vec4(glm::normalize(glm::vec3(item.model[c])), 0.0f);
        const glm::mat4 mvp =
            projection * rotationView * orientation * glm::scale(glm::mat4(1.0f), glm::vec3(radius));
        glUniformMatrix4fv(skyMvp, 1, GL_FALSE, glm::value_ptr(mvp));
        glBindVertexArray(sky.vao);
        glDrawArrays(GL_TRIANGLES, 0, sky.count);
        ++stats.drawCalls;
        stats.triangles += sky.count / 3;
    }
    glDepthMask(GL_TRUE);
}

void SceneRenderer::Impl::setLighting(const MeshProgram& p) {
    glUniform1i(p.tex, 0);
    glUniform1i(p.lit, haveLight ? 1 : 0);
    glUniform3fv(p.lightPos, 1, glm::value_ptr(lightPos));
    glUniform4fv(p.lightColor, 1, glm::value_ptr(lightColor));
}

// Planes whose drawing order does not matter (opaque, or additive: addition commutes) are drawn
// in one instanced call per material, those lying edge to edge joined into larger ones (a board's
// cells: see PlaneGrid.h); everything else one by one in tree order.
// Opaque planes go first: the sea covers most of the picture, and drawn before the terrain and the
// hulls it lets the depth test reject what lies beneath it before that is shaded.
void SceneRenderer::Impl::drawMeshes(std::vector<DrawItem>& items, bool planesFirst) {
    if (items.empty()) return;
    for (Batch& batch : batches)
        batch.instances.clear();
    deferredItems.clear();
    for (const DrawItem& item : items) {
        if (outsideView(item)) continue;
        if (item.object->kind() == ObjectKind::Plane &&
            item.material->blendingMode != BlendMode::Transparency)
            addToBatch(item);
        else if (planesFirst)
            deferredItems.push_back(&item);
        else
            drawItem(item, false);
    }
    drawBatches();
    for (const DrawItem* item : deferredItems)
        drawItem(*item, false);
}

void SceneRenderer::Impl::addToBatch(const DrawItem& item) {
    Batch* batch = nullptr;
    for (Batch& candidate : batches)
        if (candidate.material == item.material) {
            batch = &candidate;
            break;
        }
    if (!batch) {
        auto unused =
            std::find_if(batches.begin(), batches.end(), [](const Batch& b) { return b.instances.empty(); });
        if (unused == batches.end()) {
            batches.emplace_back();
            unused = batches.end() - 1;
        }
        batch = &*unused;
        batch->material = item.material;
    }
    const auto& plane = static_cast<const Plane&>(*item.object);
    const glm::mat4 model =
        item.model * glm::scale(glm::mat4(1.0f), glm::vec3(plane.width, plane.height, 1.0f));
    const float* m = glm::value_ptr(model);
    batch->instances.insert(batch->instances.end(), m, m + 16);
    batch->instances.push_back(float(std::max(1, plane.xTiles)));
    batch->instances.push_back(float(std::max(1, plane.yTiles)));
}

void SceneRenderer::Impl::drawBatches() {
    bool any = false;
    for (const Batch& batch : batches)
        any = any || !batch.instances.empty();
    if (!any) return;
    glBindVertexArray(batchVao);
    glBindBuffer(GL_ARRAY_BUFFER, batchInstances);
    for (Batch& batch : batches) {
        if (batch.instances.empty()) continue;
        static_assert(kBatchFloats == kPlaneFloats);
        joinAdjacentPlanes(batch.instances);
        applyMaterial(*batch.material, false, true);
        glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(batch.instances.size() * sizeof(float)),
                     batch.instances.data(), GL_STREAM_DRAW);
        glDrawArraysInstanced(GL_TRIANGLE_FAN, 0, 4, GLsizei(batch.instances.size() / kBatchFloats));
        ++stats.drawCalls;
        stats.triangles += 2 * (long long)(batch.instances.size() / kBatchFloats);
    }
}

void SceneRenderer::Impl::drawFires() {
    particleData.clear();
    for (const FireItem& fire : fireItems) {
        const FireParticles& system = fire.manager->particles();
        const float defaultSize = system.params.particleSize;
        for (const FireParticle& particle : system.particles()) {
            const glm::vec3 at = fire.position + particle.offset;
            const glm::vec4 color = system.colorOf(particle);
            const float size = kFlameBlobScale * (particle.size > 0.0f ? particle.size : defaultSize);
            particleData.insert(particleData.end(),
                                {at.x, at.y, at.z, size, color.r, color.g, color.b, color.a});
        }
    }
    const GLsizei count = GLsizei(particleData.size() / 8);
    stats.particles = count;
    if (count == 0) return;
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
    glEnable(GL_BLEND);
    glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE, GL_ZERO, GL_ONE);
    glDepthMask(GL_FALSE);
    glDisable(GL_CULL_FACE);
    useProgram(particleProgram);
    const glm::vec3 right(view[0][0], view[1][0], view[2][0]);
    const glm::vec3 up(view[0][1], view[1][1], view[2][1]);
    glUniformMatrix4fv(partViewProj, 1, GL_FALSE, glm::value_ptr(viewProj));
    glUniform3fv(partRight, 1, glm::value_ptr(right));
    glUniform3fv(partUp, 1, glm::value_ptr(up));
    glBindVertexArray(particleVao);
    glBindBuffer(GL_ARRAY_BUFFER, particleInstances);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(particleData.size() * sizeof(float)), particleData.data(),
                 GL_STREAM_DRAW);
    glDrawArraysInstanced(GL_TRIANGLES, 0, 3, count);
    ++stats.drawCalls;
    stats.triangles += count;
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
}

void SceneRenderer::Impl::render(Scene& scene, Camera* cam, const RenderTarget& target) {
    const bool draws = cam && target.width > 0 && target.height > 0;
    if (draws) beginFrame(scene, cam, target, false);
    drawFrame(target, draws);
}

// The frame beginFrame collected; without `draws` only the clear.
void SceneRenderer::Impl::drawFrame(const RenderTarget& target, bool draws) {
    setCommonState(target);
    glClearColor(target.background.r, target.background.g, target.background.b, target.background.a);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // The target's alpha stays as cleared: a widget's framebuffer with alpha below 1 would let
    // the window behind it show through. Each draw masks it unless it writes the same (see
    // applyMaterial).
    alphaIsOne = target.background.a >= 1.0f;
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
    if (!draws) {
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        return;
    }
    for (auto& variants : meshVariants)
        for (MeshProgram& program : variants) {
            glUseProgram(program.id);
            setLighting(program);
            glUniformMatrix4fv(program.viewProj, 1, GL_FALSE, glm::value_ptr(viewProj));
            glUniform1f(program.blend, 0.0f);
            glUniform2f(program.uvScale, 1.0f, 1.0f);
        }
    currentProgram = 0;
    drawMeshes(opaqueItems, true);
    drawSkies();
    drawMeshes(blendedItems, false);
    glDisable(GL_BLEND);
    drawFires();
    drawHud(target);
    glBindVertexArray(0);
    glUseProgram(0);
    currentProgram = 0;
    glDisable(GL_CULL_FACE);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    collectGarbage();
    stats.gpuMeshes = int(actors.size());
    if (stats.textureUploads > 0) releaseFreedMemory(); // the uploaded pictures' pixels
}

// True when the object's bounding box lies entirely outside one side of the current view volume.
// Terrain answers false here: it culls its own tiles.
bool SceneRenderer::Impl::outsideView(const DrawItem& item) const {
    glm::vec3 lo(-0.5f, -0.5f, 0.0f), hi(0.5f, 0.5f, 0.0f);
    glm::mat4 model = item.model;
    switch (item.object->kind()) {
    case ObjectKind::Plane: {
        const auto& plane = static_cast<const Plane&>(*item.object);
        model = model * glm::scale(glm::mat4(1.0f), glm::vec3(plane.width, plane.height, 1.0f));
        break;
    }
    case ObjectKind::Sprite: {
        // Facing the camera: a sphere around the centre bounds it whatever the turn.
        const auto& sprite = static_cast<const Sprite&>(*item.object);
        const float r = 0.5f * std::max(std::fabs(sprite.width * sprite.scale.x),
                                        std::fabs(sprite.height * sprite.scale.y));
        model = glm::translate(glm::mat4(1.0f), glm::vec3(item.model[3]));
        lo = glm::vec3(-r);
        hi = glm::vec3(r);
        break;
    }
    case ObjectKind::Actor: {
        const auto& mesh = static_cast<const AnimatedModel&>(*item.object).mesh();
        if (!mesh) return true;
        lo = mesh->boundsMin;
        hi = mesh->boundsMax;
        break;
    }
    default:
        return false;
    }
    return boxOutsideClip(viewProj * model, lo, hi);
}

} // namespace vtx
