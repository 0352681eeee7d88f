#include "scene/engine/SceneRendererImpl.h"

#include "scene/engine/formats/MipChain.h"

namespace vtx {

void SceneRenderer::Impl::freeActor(ActorGpu& a) {
    glDeleteVertexArrays(1, &a.vao);
    const GLuint b[] = {a.uvs, a.indices};
    glDeleteBuffers(2, b);
    glDeleteBuffers(GLsizei(a.frames.size()), a.frames.data());
}

void SceneRenderer::Impl::freePatch(PatchGpu& p) {
    glDeleteVertexArrays(1, &p.vao);
    const GLuint b[] = {p.vertices, p.indices};
    glDeleteBuffers(2, b);
}

void SceneRenderer::Impl::freeMerged(MergedTerrainGpu& m) {
    glDeleteVertexArrays(1, &m.vao);
    const GLuint b[] = {m.vertices, m.indices};
    glDeleteBuffers(2, b);
}

void SceneRenderer::Impl::freeSky(SkyGpu& s) {
    glDeleteVertexArrays(1, &s.vao);
    glDeleteBuffers(1, &s.vertices);
}

void SceneRenderer::Impl::collectGarbage() {
    if (frame % 60 != 0) return;
    // Drops the GPU copies that no frame has used for a while, freeing each with its own release.
    const auto sweep = [this](auto& cache, auto release) {
        for (auto it = cache.begin(); it != cache.end();)
            if (it->second.lastUsed + kKeepUnusedFrames < frame) {
                release(it->second);
                it = cache.erase(it);
            } else {
                ++it;
            }
    };
    sweep(textures, [this](auto& t) { glDeleteTextures(1, &t.id); });
    for (auto it = actors.begin(); it != actors.end();)
        if (it->second.mesh.expired()) {
            freeActor(it->second);
            it = actors.erase(it);
        } else {
            ++it;
        }
    sweep(patches, [this](auto& p) { freePatch(p); });
    sweep(farPatches, [](auto&) {});
    sweep(mergedTerrains, [this](auto& m) { freeMerged(m); });
    sweep(hudLayouts, [](auto&) {});
    sweep(skies, [this](auto& s) { freeSky(s); });
}

GLuint SceneRenderer::Impl::texture(const TextureImage& image) {
    return textureEntry(image).id;
}

const TextureGpu& SceneRenderer::Impl::textureEntry(const TextureImage& image) {
    const std::uint64_t id = image.id();
    auto found = textures.find(id);
    if (found != textures.end()) {
        found->second.lastUsed = frame;
        return found->second;
    }
    const QImage* picture = image.image();
    ++stats.textureUploads;
    TextureGpu t;
    t.opaque = true;
    for (int y = 0; y < picture->height() && t.opaque; ++y) {
        const uchar* row = picture->constScanLine(y);
        for (int x = 0; x < picture->width(); ++x)
            if (row[4 * x + 3] != 255) {
                t.opaque = false;
                break;
            }
    }
    glGenTextures(1, &t.id);
    glBindTexture(GL_TEXTURE_2D, t.id);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, picture->width(), picture->height(), 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, picture->constBits());
    // Not glGenerateMipmap: see MipChain.h.
    const std::vector<MipLevel> levels = buildMipChain(picture->constBits(), picture->width(),
                                                       picture->height(), int(picture->bytesPerLine()));
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (std::size_t i = 0; i < levels.size(); ++i)
        glTexImage2D(GL_TEXTURE_2D, GLint(i + 1), GL_RGBA8, levels[i].width, levels[i].height, 0, GL_RGBA,
                     GL_UNSIGNED_BYTE, levels[i].rgba.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, GLint(levels.size()));
    // Bilinear within the nearest mip level: trilinear costs twice the texel fetches, which a
    // software rasteriser feels on every pixel of the sea.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    // The driver keeps its own copy: a picture that can be decoded again need not stay in memory twice.
    image.releasePixels();
    t.lastUsed = frame;
    return textures.emplace(id, t).first->second;
}

ActorGpu* SceneRenderer::Impl::actorMesh(const AnimatedModel& actor) {
    const auto& meshData = actor.mesh();
    if (!meshData || meshData->positions.empty() || meshData->indices.empty()) return nullptr;
    auto found = actors.find(actor.meshId());
    if (found != actors.end()) {
        found->second.lastUsed = frame;
        return &found->second;
    }
    ActorGpu a;
    a.mesh = meshData;
    ++stats.meshUploads;
    a.vertexCount = meshData->texCoords.size();
    a.frameCount = int(meshData->positions.size());
    std::vector<float> vertices;
    vertices.reserve(a.vertexCount * 6);
    glGenVertexArrays(1, &a.vao);
    glGenBuffers(1, &a.uvs);
    glGenBuffers(1, &a.indices);
    a.frames.assign(std::size_t(a.frameCount), 0);
    glGenBuffers(GLsizei(a.frames.size()), a.frames.data());
    for (int f = 0; f < a.frameCount; ++f) {
        const auto& pos = meshData->positions[std::size_t(f)];
        const auto& nor = meshData->normals[std::size_t(f)];
        vertices.clear();
        for (std::size_t v = 0; v < a.vertexCount; ++v) {
            const glm::vec3 p = v < pos.size() ? pos[v] : glm::vec3(0.0f);
            const glm::vec3 n = v < nor.size() ? nor[v] : glm::vec3(0.0f, 0.0f, 1.0f);
            vertices.insert(vertices.end(), {p.x, p.y, p.z, n.x, n.y, n.z});
        }
        glBindBuffer(GL_ARRAY_BUFFER, a.frames[std::size_t(f)]);
        glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(vertices.size() * sizeof(float)), vertices.data(),
                     GL_STATIC_DRAW);
    }
    glBindVertexArray(a.vao);
    glBindBuffer(GL_ARRAY_BUFFER, a.uvs);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(meshData->texCoords.size() * sizeof(glm::vec2)),
                 meshData->texCoords.data(), GL_STATIC_DRAW);
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, sizeof(glm::vec2), nullptr);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, a.indices);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(meshData->indices.size() * sizeof(std::uint32_t)),
                 meshData->indices.data(), GL_STATIC_DRAW);
    a.indexCount = GLsizei(meshData->indices.size());
    for (GLuint attribute : {0u, 1u, 3u, 4u})
        glEnableVertexAttribArray(attribute);
    glBindVertexArray(0);
    a.lastUsed = frame;
    return &actors.emplace(actor.meshId(), a).first->second;
}

PatchKey SceneRenderer::Impl::patchKey(const Terrain& terrain, const Terrain::VisibleTile& tile) {
    return {terrain.serial(),     terrain.revision(),   tile.keyTileX,        tile.keyTileY,       tile.lod,
            tile.neighbourLod[0], tile.neighbourLod[1], tile.neighbourLod[2], tile.neighbourLod[3]};
}

// The tile's patch interleaved for drawing; no vertices when the patch is malformed.
PatchCpu SceneRenderer::Impl::buildPatch(const Terrain& terrain, const Terrain::VisibleTile& tile) {
    TerrainTileKey tileKey;
    tileKey.tileX = tile.keyTileX;
    tileKey.tileY = tile.keyTileY;
    tileKey.lod = tile.lod;
    tileKey.neighbourLod = tile.neighbourLod;
    const TerrainPatch patch = buildTerrainPatch(*terrain.heightDataSource, terrain.tileSize,
                                                 std::max(1, terrain.tilesPerTexture), tileKey);
    PatchCpu out;
    if (patch.indices.empty() || patch.normals.size() != patch.positions.size() ||
        patch.texCoords.size() != patch.positions.size())
        return out;
    out.vertices.reserve(patch.positions.size() * 8);
    for (std::size_t i = 0; i < patch.positions.size(); ++i) {
        const glm::vec3& v = patch.positions[i];
        const glm::vec3& n = patch.normals[i];
        const glm::vec2& t = patch.texCoords[i];
        out.vertices.insert(out.vertices.end(), {v.x, v.y, v.z, n.x, n.y, n.z, t.x, t.y});
    }
    out.indices = patch.indices;
    return out;
}

const PatchCpu& SceneRenderer::Impl::farPatch(const Terrain& terrain, const Terrain::VisibleTile& tile) {
    const PatchKey key = patchKey(terrain, tile);
    auto found = farPatches.find(key);
    if (found == farPatches.end()) found = farPatches.emplace(key, buildPatch(terrain, tile)).first;
    found->second.lastUsed = frame;
    return found->second;
}

void SceneRenderer::Impl::appendTriangles(const Terrain& terrain, const PatchCpu& patch,
                                          const glm::vec3& offset, bool trim, std::uint32_t base,
                                          std::vector<std::uint32_t>& out) {
    const auto at = [&](std::uint32_t index) {
        const float* v = &patch.vertices[std::size_t(index) * 8];
        return glm::vec3(v[0], v[1], v[2]) + offset;
    };
    for (std::size_t i = 0; i + 2 < patch.indices.size(); i += 3) {
        const std::uint32_t a = patch.indices[i], b = patch.indices[i + 1], c = patch.indices[i + 2];
        if (trim && terrain.underCover(at(a), at(b), at(c))) continue;
        out.insert(out.end(), {base + a, base + b, base + c});
    }
}

PatchGpu* SceneRenderer::Impl::terrainPatch(Terrain& terrain, const Terrain::VisibleTile& tile, bool trim) {
    const PlacedPatchKey key{patchKey(terrain, tile), trim, trim ? int(tile.offset.x) : 0,
                             trim ? int(tile.offset.y) : 0};
    auto found = patches.find(key);
    if (found != patches.end()) {
        found->second.lastUsed = frame;
        return found->second.indexCount > 0 ? &found->second : nullptr;
    }
    PatchCpu patch = buildPatch(terrain, tile);
    if (trim) {
        std::vector<std::uint32_t> kept;
        appendTriangles(terrain, patch, tile.offset, true, 0, kept);
        patch.indices = std::move(kept);
    }
    PatchGpu p;
    p.lastUsed = frame;
    if (!patch.indices.empty()) {
        const std::vector<float>& vertices = patch.vertices;
        glGenVertexArrays(1, &p.vao);
        glGenBuffers(1, &p.vertices);
        glGenBuffers(1, &p.indices);
        glBindVertexArray(p.vao);
        glBindBuffer(GL_ARRAY_BUFFER, p.vertices);
        glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(vertices.size() * sizeof(float)), vertices.data(),
                     GL_STATIC_DRAW);
        setVertexLayout(true);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, p.indices);
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(patch.indices.size() * sizeof(std::uint32_t)),
                     patch.indices.data(), GL_STATIC_DRAW);
        p.indexCount = GLsizei(patch.indices.size());
        glBindVertexArray(0);
    }
    auto& stored = patches.emplace(key, p).first->second;
    return stored.indexCount > 0 ? &stored : nullptr;
}

SkyGpu& SceneRenderer::Impl::skyMesh(Sky& dome) {
    SkyGpu& s = skies[dome.serial()];
    s.lastUsed = frame;
    if (s.revision == dome.revision()) return s;
    s.revision = dome.revision();
    const auto vertices = dome.buildMesh();
    if (!s.vao) {
        glGenVertexArrays(1, &s.vao);
        glGenBuffers(1, &s.vertices);
        glBindVertexArray(s.vao);
        glBindBuffer(GL_ARRAY_BUFFER, s.vertices);
        glEnableVertexAttribArray(0);
        glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(Sky::Vertex), nullptr);
        glEnableVertexAttribArray(1);
        glVertexAttribPointer(1, 4, GL_FLOAT, GL_FALSE, sizeof(Sky::Vertex),
                              reinterpret_cast<void*>(offsetof(Sky::Vertex, color)));
    }
    glBindBuffer(GL_ARRAY_BUFFER, s.vertices);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(vertices.size() * sizeof(Sky::Vertex)), vertices.data(),
                 GL_STATIC_DRAW);
    s.count = GLsizei(vertices.size());
    glBindVertexArray(0);
    return s;
}

void SceneRenderer::Impl::setVertexLayout(bool still) {
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 8 * sizeof(float), nullptr);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, 8 * sizeof(float),
                          reinterpret_cast<void*>(3 * sizeof(float)));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, 8 * sizeof(float),
                          reinterpret_cast<void*>(6 * sizeof(float)));
    if (!still) return;
    glVertexAttrib3f(3, 0, 0, 0);
    glVertexAttrib3f(4, 0, 0, 0);
}

} // namespace vtx
