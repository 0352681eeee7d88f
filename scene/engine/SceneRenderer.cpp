#include "scene/engine/SceneRenderer.h"

#include "scene/engine/Culling.h"

#include "scene/engine/TActor.h"
#include "scene/engine/TGLCamera.h"
#include "scene/engine/TGLFireFXManager.h"
#include "scene/engine/TGLLightSource.h"
#include "scene/engine/THUDText.h"
#include "scene/engine/TPlane.h"
#include "scene/engine/TSkyDome.h"
#include "scene/engine/TSprite.h"
#include "scene/engine/TTerrainRenderer.h"
#include "scene/engine/formats/TerrainPatch.h"

#include <QDebug>

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <stdexcept>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace vtx {

namespace {

// ---- shader sources -------------------------------------------------------------------------------

// Lighting per vertex keeps the fragment work minimal: on a software rasteriser the fragment shader
// dominates the frame time.
// Without INSTANCED the transform comes from uniforms; with it, from per-instance attributes (the
// model matrix in locations 5..8 and the texture repeat in 9), for batches of planes.
const char* kMeshVertex = R"(
layout(location = 0) in vec3 a_pos;
layout(location = 1) in vec3 a_normal;
layout(location = 2) in vec2 a_uv;
layout(location = 3) in vec3 a_pos2;
layout(location = 4) in vec3 a_normal2;
#ifdef INSTANCED
layout(location = 5) in vec4 a_model0;
layout(location = 6) in vec4 a_model1;
layout(location = 7) in vec4 a_model2;
layout(location = 8) in vec4 a_model3;
layout(location = 9) in vec2 a_uvScale;
uniform mat4 u_viewProj;
#else
uniform mat4 u_mvp;
uniform mat4 u_model;
uniform mat3 u_normalMatrix;
uniform vec2 u_uvScale;
#endif
uniform float u_blend;
uniform int u_lit;
uniform vec3 u_lightPos;
uniform vec4 u_lightColor;
uniform vec4 u_diffuse;
uniform vec4 u_ambient;
uniform vec4 u_emission;
out vec2 v_uv;
out vec4 v_color;
void main() {
    vec3 p = mix(a_pos, a_pos2, u_blend);
#ifdef INSTANCED
    mat4 model = mat4(a_model0, a_model1, a_model2, a_model3);
    // Planes scale only within their own plane, so the model matrix carries the normal correctly.
    mat3 normalMatrix = mat3(model);
    gl_Position = u_viewProj * (model * vec4(p, 1.0));
    v_uv = a_uv * a_uvScale;
#else
    mat4 model = u_model;
    mat3 normalMatrix = u_normalMatrix;
    gl_Position = u_mvp * vec4(p, 1.0);
    v_uv = a_uv * u_uvScale;
#endif
#if TEXMODE == 1
    // The texel replaces the colour: only the alpha is used, lighting would be wasted work.
    v_color = u_diffuse;
#else
    if (u_lit == 1) {
        vec3 n = mix(a_normal, a_normal2, u_blend);
        vec3 wp = (model * vec4(p, 1.0)).xyz;
        float len = length(n);
        vec3 wn = len > 0.0 ? normalize(normalMatrix * n) : vec3(0.0, 1.0, 0.0);
        float d = max(dot(wn, normalize(u_lightPos - wp)), 0.0);
        v_color = vec4(u_emission.rgb + u_ambient.rgb * 0.2 + u_diffuse.rgb * u_lightColor.rgb * d, u_diffuse.a);
    } else {
        v_color = vec4(u_diffuse.rgb + u_emission.rgb, u_diffuse.a);
    }
#endif
}
)";

// TEXMODE 0: colour only, 1: the texel replaces the colour, 2: texel times colour. One program per
// mode, so no fragment pays for a branch.
const char* kMeshFragment = R"(
uniform sampler2D u_tex;
in vec2 v_uv;
in vec4 v_color;
out vec4 o_color;
void main() {
#if TEXMODE == 0
    o_color = v_color;
#elif TEXMODE == 1
    vec4 t = texture(u_tex, v_uv);
    o_color = vec4(t.rgb, t.a * v_color.a);
#else
    o_color = texture(u_tex, v_uv) * v_color;
#endif
}
)";

const char* kPickFragment = R"(
uniform vec4 u_pickColor;
out vec4 o_color;
void main() { o_color = u_pickColor; }
)";

const char* kSkyVertex = R"(
layout(location = 0) in vec3 a_pos;
layout(location = 1) in vec4 a_color;
uniform mat4 u_mvp;
out vec4 v_color;
// At the far plane (z = w), so it is drawn after the opaque objects only where none of them is.
void main() { gl_Position = (u_mvp * vec4(a_pos, 1.0)).xyww; v_color = a_color; }
)";

const char* kSkyFragment = R"(
in vec4 v_color;
out vec4 o_color;
void main() { o_color = v_color; }
)";

const char* kParticleVertex = R"(
layout(location = 0) in vec2 a_corner;
layout(location = 1) in vec4 a_centerSize;
layout(location = 2) in vec4 a_color;
uniform mat4 u_viewProj;
uniform vec3 u_camRight;
uniform vec3 u_camUp;
out vec2 v_corner;
out vec4 v_color;
void main() {
    vec3 p = a_centerSize.xyz + (u_camRight * a_corner.x + u_camUp * a_corner.y) * (0.5 * a_centerSize.w);
    gl_Position = u_viewProj * vec4(p, 1.0);
    v_corner = a_corner;
    v_color = a_color;
}
)";

// A soft round blob with a hot core: overlapping additive blobs read as flame, not as dots.
const char* kParticleFragment = R"(
in vec2 v_corner;
in vec4 v_color;
out vec4 o_color;
void main() {
    float r2 = dot(v_corner, v_corner);
    if (r2 >= 1.0) discard;
    float f = 1.0 - r2;
    f *= f;
    vec3 hot = mix(v_color.rgb, vec3(1.0, 0.95, 0.7), f * f * 0.6);
    o_color = vec4(hot, v_color.a * f);
}
)";

const char* kHudVertex = R"(
layout(location = 0) in vec2 a_pixel;
layout(location = 1) in vec2 a_uv;
uniform vec2 u_viewport;
out vec2 v_uv;
void main() {
    gl_Position = vec4(a_pixel.x / u_viewport.x * 2.0 - 1.0, 1.0 - a_pixel.y / u_viewport.y * 2.0, 0.0, 1.0);
    v_uv = a_uv;
}
)";

const char* kHudFragment = R"(
uniform sampler2D u_tex;
uniform vec4 u_modulate;
in vec2 v_uv;
out vec4 o_color;
void main() {
    vec4 t = texture(u_tex, v_uv);
    float luminance = dot(t.rgb, vec3(0.299, 0.587, 0.114));
    o_color = vec4(t.rgb * u_modulate.rgb, clamp(luminance * t.a * u_modulate.a, 0.0, 1.0));
}
)";

// ---- small helpers ----------------------------------------------------------------------------------

constexpr GLsizei kBatchFloats = 18;    // per plane instance: model matrix (16) and texture repeat (2)
constexpr std::uint64_t kKeepUnusedFrames = 300;    // GPU copies unused this long are dropped
// A flame particle is drawn as a soft blob this many times its nominal size: the blob's fall-off
// leaves a visible core of about the nominal size, and neighbours overlap into one flame.
constexpr float kFlameBlobScale = 3.0f;

struct MeshProgram {
    GLuint id = 0;
    GLint mvp = -1, model = -1, normalMatrix = -1, blend = -1, uvScale = -1, lit = -1, lightPos = -1,
          lightColor = -1, diffuse = -1, ambient = -1, emission = -1, tex = -1, texMode = -1, pickColor = -1,
          viewProj = -1;
};

struct TextureGpu {
    GLuint id = 0;
    std::uint64_t lastUsed = 0;
};

// One vertex buffer per frame: drawing any pair of frames then keeps the same vertex layout (only the
// buffers change), which software rasterisers can reuse without rebuilding their vertex fetch code.
struct ActorGpu {
    // Held while any actor holds the mesh: a ship hidden for a while and shown again (a sinking) finds
    // its copy still there.
    std::weak_ptr<const Md2Mesh> mesh;
    GLuint vao = 0, uvs = 0, indices = 0;
    std::vector<GLuint> frames;
    GLsizei indexCount = 0;
    std::size_t vertexCount = 0;
    int frameCount = 0;
    std::uint64_t lastUsed = 0;
};

struct PatchGpu {
    GLuint vao = 0, vertices = 0, indices = 0;
    GLsizei indexCount = 0;
    std::uint64_t lastUsed = 0;
};

// The far tiles of one terrain in one buffer (vertices moved to their tiles' places), drawn in one
// call; built again only when the set of far tiles changes (the camera moved or the world turned).
struct MergedTerrainGpu {
    GLuint vao = 0, vertices = 0, indices = 0;
    GLsizei indexCount = 0;
    std::uint64_t signature = 0;
    std::uint64_t lastUsed = 0;
};

// A tile's vertices (position, normal, texture coordinate: 8 floats each) and triangles in memory.
struct PatchCpu {
    std::vector<float> vertices;
    std::vector<std::uint32_t> indices;
    std::uint64_t lastUsed = 0;
};

struct SkyGpu {
    GLuint vao = 0, vertices = 0;
    GLsizei count = 0;
    std::uint64_t revision = ~0ull;
    std::uint64_t lastUsed = 0;
};

using PatchKey = std::tuple<std::uint64_t, std::uint64_t, int, int, int, int, int, int, int>;

// Tiles this coarse or coarser (beyond the terrain's QualityDistance) are merged into one draw call:
// each has few triangles, and on a software renderer every call costs setup work of its own.
constexpr int kMergeFromLod = 1;

struct DrawItem {
    TGLBaseSceneObject* object = nullptr;
    glm::mat4 model{1.0f};
    const TGLMaterial* material = nullptr;
};

struct FireItem {
    glm::vec3 position{0.0f};
    TGLFireFXManager* manager = nullptr;
};

} // namespace

struct SceneRenderer::Impl : protected QOpenGLExtraFunctions {
    bool ready = false;
    std::uint64_t frame = 0;
    RenderStats stats;

    MeshProgram meshVariants[2][3];    // [instanced][texture mode]
    MeshProgram pickMesh;
    GLuint currentProgram = 0;
    GLuint skyProgram = 0, particleProgram = 0, hudProgram = 0;
    GLint skyMvp = -1, partViewProj = -1, partRight = -1, partUp = -1, hudViewport = -1, hudTex = -1,
          hudModulate = -1;

    GLuint quadVao = 0, quadVbo = 0;
    GLuint batchVao = 0, batchInstances = 0;
    GLuint particleVao = 0, particleCorners = 0, particleInstances = 0;
    GLuint hudVao = 0, hudVbo = 0;
    GLuint nearestSampler = 0;
    GLuint pickFbo = 0, pickColor = 0, pickDepth = 0;
    int pickWidth = 0, pickHeight = 0;

    std::unordered_map<std::uint64_t, TextureGpu> textures;
    std::unordered_map<std::uint64_t, ActorGpu> actors;
    std::map<PatchKey, PatchGpu> patches;
    std::map<PatchKey, PatchCpu> farPatches;
    std::unordered_map<std::uint64_t, MergedTerrainGpu> mergedTerrains;    // by terrain serial
    std::vector<float> mergedVertices;
    std::vector<std::uint32_t> mergedIndices;
    std::vector<const TTerrainRenderer::VisibleTile*> farTiles;
    std::unordered_map<std::uint64_t, SkyGpu> skies;

    // Per-frame lists, kept to reuse their storage.
    std::vector<DrawItem> skyItems, opaqueItems, blendedItems, hudItems, pickItems;
    std::vector<FireItem> fireItems;
    struct Batch {
        const TGLMaterial* material = nullptr;
        std::vector<float> instances;
    };
    std::vector<Batch> batches;
    std::vector<TTerrainRenderer::VisibleTile> tiles;
    std::vector<float> particleData;
    bool haveLight = false;
    glm::vec3 lightPos{0.0f};
    glm::vec4 lightColor{1.0f};
    glm::mat4 view{1.0f}, projection{1.0f}, viewProj{1.0f};
    glm::vec3 eye{0.0f};
    float farDistance = 100.0f;
    TGLCamera* camera = nullptr;

    // ---- setup ------------------------------------------------------------------------------------

    // Sources carry no #version line: it is added here, followed by `defines`.
    GLuint compile(GLenum type, const char* source, const char* what, const std::string& defines = "")
    {
        const GLuint shader = glCreateShader(type);
        const char* parts[] = {"#version 330 core\n", defines.c_str(), source};
        glShaderSource(shader, 3, parts, nullptr);
        glCompileShader(shader);
        GLint ok = 0;
        glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
        GLint length = 0;
        glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
        std::string log(std::size_t(std::max(length, 1)), '\0');
        glGetShaderInfoLog(shader, length, nullptr, log.data());
        if (!ok) {
            glDeleteShader(shader);
            qWarning("engine: shader %s failed to compile:\n%s", what, log.c_str());
            throw std::runtime_error(std::string("shader ") + what + " failed to compile: " + log);
        }
        return shader;
    }

    GLuint link(const char* vertex, const char* fragment, const char* what, const std::string& defines = "")
    {
        const GLuint vs = compile(GL_VERTEX_SHADER, vertex, what, defines);
        const GLuint fs = compile(GL_FRAGMENT_SHADER, fragment, what, defines);
        const GLuint program = glCreateProgram();
        glAttachShader(program, vs);
        glAttachShader(program, fs);
        glLinkProgram(program);
        glDeleteShader(vs);
        glDeleteShader(fs);
        GLint ok = 0;
        glGetProgramiv(program, GL_LINK_STATUS, &ok);
        if (!ok) {
            GLint length = 0;
            glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
            std::string log(std::size_t(std::max(length, 1)), '\0');
            glGetProgramInfoLog(program, length, nullptr, log.data());
            glDeleteProgram(program);
            qWarning("engine: program %s failed to link:\n%s", what, log.c_str());
            throw std::runtime_error(std::string("program ") + what + " failed to link: " + log);
        }
        return program;
    }

    void locate(MeshProgram& p)
    {
        p.mvp = glGetUniformLocation(p.id, "u_mvp");
        p.model = glGetUniformLocation(p.id, "u_model");
        p.normalMatrix = glGetUniformLocation(p.id, "u_normalMatrix");
        p.blend = glGetUniformLocation(p.id, "u_blend");
        p.uvScale = glGetUniformLocation(p.id, "u_uvScale");
        p.lit = glGetUniformLocation(p.id, "u_lit");
        p.lightPos = glGetUniformLocation(p.id, "u_lightPos");
        p.lightColor = glGetUniformLocation(p.id, "u_lightColor");
        p.diffuse = glGetUniformLocation(p.id, "u_diffuse");
        p.ambient = glGetUniformLocation(p.id, "u_ambient");
        p.emission = glGetUniformLocation(p.id, "u_emission");
        p.tex = glGetUniformLocation(p.id, "u_tex");
        p.texMode = glGetUniformLocation(p.id, "u_texMode");
        p.pickColor = glGetUniformLocation(p.id, "u_pickColor");
        p.viewProj = glGetUniformLocation(p.id, "u_viewProj");
    }

    void initialize()
    {
        initializeOpenGLFunctions();
        try {
            createGL();
        } catch (...) {
            // What was made before the failing shader goes again; the names not yet made are 0,
            // which every glDelete* ignores.
            ready = true;
            releaseGL();
            throw;
        }
        ready = true;
    }

    void createGL()
    {
        for (int instanced = 0; instanced < 2; ++instanced)
            for (int mode = 0; mode < 3; ++mode) {
                const std::string defines = std::string(instanced ? "#define INSTANCED\n" : "") +
                                            "#define TEXMODE " + std::to_string(mode) + "\n";
                MeshProgram& program = meshVariants[instanced][mode];
                program.id = link(kMeshVertex, kMeshFragment, "mesh", defines);
                locate(program);
            }
        pickMesh.id = link(kMeshVertex, kPickFragment, "pick", "#define TEXMODE 0\n");
        locate(pickMesh);
        skyProgram = link(kSkyVertex, kSkyFragment, "sky");
        skyMvp = glGetUniformLocation(skyProgram, "u_mvp");
        particleProgram = link(kParticleVertex, kParticleFragment, "particles");
        partViewProj = glGetUniformLocation(particleProgram, "u_viewProj");
        partRight = glGetUniformLocation(particleProgram, "u_camRight");
        partUp = glGetUniformLocation(particleProgram, "u_camUp");
        hudProgram = link(kHudVertex, kHudFragment, "hud");
        hudViewport = glGetUniformLocation(hudProgram, "u_viewport");
        hudTex = glGetUniformLocation(hudProgram, "u_tex");
        hudModulate = glGetUniformLocation(hudProgram, "u_modulate");

        // The unit quad of planes and sprites: centred, in local XY, facing +Z, v = 0 along +Y.
        const float quad[] = {
            -0.5f, -0.5f, 0, 0, 0, 1, 0, 1, 0.5f, -0.5f, 0, 0, 0, 1, 1, 1,
            0.5f,  0.5f,  0, 0, 0, 1, 1, 0, -0.5f, 0.5f, 0, 0, 0, 1, 0, 0,
        };
        glGenVertexArrays(1, &quadVao);
        glGenBuffers(1, &quadVbo);
        glBindVertexArray(quadVao);
        glBindBuffer(GL_ARRAY_BUFFER, quadVbo);
        glBufferData(GL_ARRAY_BUFFER, sizeof(quad), quad, GL_STATIC_DRAW);
        glEnableVertexAttribArray(0);
        glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 8 * sizeof(float), nullptr);
        glEnableVertexAttribArray(1);
        glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, 8 * sizeof(float), reinterpret_cast<void*>(3 * sizeof(float)));
        glEnableVertexAttribArray(2);
        glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, 8 * sizeof(float), reinterpret_cast<void*>(6 * sizeof(float)));
        glVertexAttrib3f(3, 0, 0, 0);
        glVertexAttrib3f(4, 0, 0, 0);

        // The same quad with per-instance transforms, for batches of planes sharing a material.
        glGenVertexArrays(1, &batchVao);
        glGenBuffers(1, &batchInstances);
        glBindVertexArray(batchVao);
        glBindBuffer(GL_ARRAY_BUFFER, quadVbo);
        glEnableVertexAttribArray(0);
        glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 8 * sizeof(float), nullptr);
        glEnableVertexAttribArray(1);
        glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, 8 * sizeof(float), reinterpret_cast<void*>(3 * sizeof(float)));
        glEnableVertexAttribArray(2);
        glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, 8 * sizeof(float), reinterpret_cast<void*>(6 * sizeof(float)));
        glBindBuffer(GL_ARRAY_BUFFER, batchInstances);
        for (GLuint column = 0; column < 4; ++column) {
            glEnableVertexAttribArray(5 + column);
            glVertexAttribPointer(5 + column, 4, GL_FLOAT, GL_FALSE, kBatchFloats * sizeof(float),
                                  reinterpret_cast<void*>(column * 4 * sizeof(float)));
            glVertexAttribDivisor(5 + column, 1);
        }
        glEnableVertexAttribArray(9);
        glVertexAttribPointer(9, 2, GL_FLOAT, GL_FALSE, kBatchFloats * sizeof(float),
                              reinterpret_cast<void*>(16 * sizeof(float)));
        glVertexAttribDivisor(9, 1);

        const float corners[] = {-1, -1, 1, -1, 1, 1, -1, -1, 1, 1, -1, 1};
        glGenVertexArrays(1, &particleVao);
        glGenBuffers(1, &particleCorners);
        glGenBuffers(1, &particleInstances);
        glBindVertexArray(particleVao);
        glBindBuffer(GL_ARRAY_BUFFER, particleCorners);
        glBufferData(GL_ARRAY_BUFFER, sizeof(corners), corners, GL_STATIC_DRAW);
        glEnableVertexAttribArray(0);
        glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 2 * sizeof(float), nullptr);
        glBindBuffer(GL_ARRAY_BUFFER, particleInstances);
        glEnableVertexAttribArray(1);
        glVertexAttribPointer(1, 4, GL_FLOAT, GL_FALSE, 8 * sizeof(float), nullptr);
        glVertexAttribDivisor(1, 1);
        glEnableVertexAttribArray(2);
        glVertexAttribPointer(2, 4, GL_FLOAT, GL_FALSE, 8 * sizeof(float), reinterpret_cast<void*>(4 * sizeof(float)));
        glVertexAttribDivisor(2, 1);

        glGenVertexArrays(1, &hudVao);
        glGenBuffers(1, &hudVbo);
        glBindVertexArray(hudVao);
        glBindBuffer(GL_ARRAY_BUFFER, hudVbo);
        glEnableVertexAttribArray(0);
        glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 4 * sizeof(float), nullptr);
        glEnableVertexAttribArray(1);
        glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 4 * sizeof(float), reinterpret_cast<void*>(2 * sizeof(float)));
        glBindVertexArray(0);

        // Glyphs are drawn 1:1; nearest sampling keeps neighbouring cells from bleeding in.
        glGenSamplers(1, &nearestSampler);
        glSamplerParameteri(nearestSampler, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glSamplerParameteri(nearestSampler, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glSamplerParameteri(nearestSampler, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glSamplerParameteri(nearestSampler, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }

    void releaseGL()
    {
        if (!ready)
            return;
        for (auto& [id, t] : textures)
            glDeleteTextures(1, &t.id);
        textures.clear();
        for (auto& [id, a] : actors)
            freeActor(a);
        actors.clear();
        for (auto& [key, p] : patches)
            freePatch(p);
        patches.clear();
        farPatches.clear();
        for (auto& [id, m] : mergedTerrains)
            freeMerged(m);
        mergedTerrains.clear();
        for (auto& [id, s] : skies)
            freeSky(s);
        skies.clear();
        for (auto& variants : meshVariants)
            for (MeshProgram& program : variants)
                glDeleteProgram(program.id);
        for (GLuint program : {pickMesh.id, skyProgram, particleProgram, hudProgram})
            glDeleteProgram(program);
        const GLuint arrays[] = {quadVao, batchVao, particleVao, hudVao};
        glDeleteVertexArrays(4, arrays);
        const GLuint buffers[] = {quadVbo, batchInstances, particleCorners, particleInstances, hudVbo};
        glDeleteBuffers(5, buffers);
        glDeleteSamplers(1, &nearestSampler);
        if (pickFbo) {
            glDeleteFramebuffers(1, &pickFbo);
            glDeleteRenderbuffers(1, &pickColor);
            glDeleteRenderbuffers(1, &pickDepth);
        }
        // Forget the names: the next context may hand out the same numbers for objects of its own.
        for (auto& variants : meshVariants)
            for (MeshProgram& program : variants)
                program = MeshProgram{};
        pickMesh = MeshProgram{};
        currentProgram = skyProgram = particleProgram = hudProgram = 0;
        quadVao = quadVbo = batchVao = batchInstances = particleVao = particleCorners = particleInstances = 0;
        hudVao = hudVbo = nearestSampler = pickFbo = pickColor = pickDepth = 0;
        ready = false;
    }

    void freeActor(ActorGpu& a)
    {
        glDeleteVertexArrays(1, &a.vao);
        const GLuint b[] = {a.uvs, a.indices};
        glDeleteBuffers(2, b);
        glDeleteBuffers(GLsizei(a.frames.size()), a.frames.data());
    }
    void freePatch(PatchGpu& p)
    {
        glDeleteVertexArrays(1, &p.vao);
        const GLuint b[] = {p.vertices, p.indices};
        glDeleteBuffers(2, b);
    }
    void freeMerged(MergedTerrainGpu& m)
    {
        glDeleteVertexArrays(1, &m.vao);
        const GLuint b[] = {m.vertices, m.indices};
        glDeleteBuffers(2, b);
    }
    void freeSky(SkyGpu& s)
    {
        glDeleteVertexArrays(1, &s.vao);
        glDeleteBuffers(1, &s.vertices);
    }

    void collectGarbage()
    {
        if (frame % 60 != 0)
            return;
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

    // ---- GPU copies -------------------------------------------------------------------------------

    GLuint texture(const TGLTextureImage& image)
    {
        const std::uint64_t id = image.id();
        auto found = textures.find(id);
        if (found != textures.end()) {
            found->second.lastUsed = frame;
            return found->second.id;
        }
        const QImage* picture = image.image();
        ++stats.textureUploads;
        TextureGpu t;
        glGenTextures(1, &t.id);
        glBindTexture(GL_TEXTURE_2D, t.id);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, picture->width(), picture->height(), 0, GL_RGBA,
                     GL_UNSIGNED_BYTE, picture->constBits());
        glGenerateMipmap(GL_TEXTURE_2D);
        // Bilinear within the nearest mip level: trilinear costs twice the texel fetches, which a
        // software rasteriser feels on every pixel of the sea.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
        t.lastUsed = frame;
        textures.emplace(id, t);
        return t.id;
    }

    ActorGpu* actorMesh(const TActor& actor)
    {
        const auto& meshData = actor.mesh();
        if (!meshData || meshData->positions.empty() || meshData->indices.empty())
            return nullptr;
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
            glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(vertices.size() * sizeof(float)), vertices.data(), GL_STATIC_DRAW);
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

    static PatchKey patchKey(const TTerrainRenderer& terrain, const TTerrainRenderer::VisibleTile& tile)
    {
        return {terrain.serial(), terrain.revision(), tile.keyTileX, tile.keyTileY, tile.lod,
                tile.neighbourLod[0], tile.neighbourLod[1], tile.neighbourLod[2], tile.neighbourLod[3]};
    }

    // The tile's patch interleaved for drawing; no vertices when the patch is malformed.
    static PatchCpu buildPatch(const TTerrainRenderer& terrain, const TTerrainRenderer::VisibleTile& tile)
    {
        TerrainTileKey tileKey;
        tileKey.tileX = tile.keyTileX;
        tileKey.tileY = tile.keyTileY;
        tileKey.lod = tile.lod;
        tileKey.neighbourLod = tile.neighbourLod;
        const TerrainPatch patch =
            buildTerrainPatch(*terrain.HeightDataSource, terrain.TileSize, std::max(1, terrain.TilesPerTexture), tileKey);
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

    const PatchCpu& farPatch(const TTerrainRenderer& terrain, const TTerrainRenderer::VisibleTile& tile)
    {
        const PatchKey key = patchKey(terrain, tile);
        auto found = farPatches.find(key);
        if (found == farPatches.end())
            found = farPatches.emplace(key, buildPatch(terrain, tile)).first;
        found->second.lastUsed = frame;
        return found->second;
    }

    PatchGpu* terrainPatch(TTerrainRenderer& terrain, const TTerrainRenderer::VisibleTile& tile)
    {
        const PatchKey key = patchKey(terrain, tile);
        auto found = patches.find(key);
        if (found != patches.end()) {
            found->second.lastUsed = frame;
            return found->second.indexCount > 0 ? &found->second : nullptr;
        }
        const PatchCpu patch = buildPatch(terrain, tile);
        PatchGpu p;
        p.lastUsed = frame;
        if (!patch.indices.empty()) {
            const std::vector<float>& vertices = patch.vertices;
            glGenVertexArrays(1, &p.vao);
            glGenBuffers(1, &p.vertices);
            glGenBuffers(1, &p.indices);
            glBindVertexArray(p.vao);
            glBindBuffer(GL_ARRAY_BUFFER, p.vertices);
            glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(vertices.size() * sizeof(float)), vertices.data(), GL_STATIC_DRAW);
            glEnableVertexAttribArray(0);
            glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 8 * sizeof(float), nullptr);
            glEnableVertexAttribArray(1);
            glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, 8 * sizeof(float), reinterpret_cast<void*>(3 * sizeof(float)));
            glEnableVertexAttribArray(2);
            glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, 8 * sizeof(float), reinterpret_cast<void*>(6 * sizeof(float)));
            glVertexAttrib3f(3, 0, 0, 0);
            glVertexAttrib3f(4, 0, 0, 0);
            glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, p.indices);
            glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(patch.indices.size() * sizeof(std::uint32_t)),
                         patch.indices.data(), GL_STATIC_DRAW);
            p.indexCount = GLsizei(patch.indices.size());
            glBindVertexArray(0);
        }
        auto& stored = patches.emplace(key, p).first->second;
        return stored.indexCount > 0 ? &stored : nullptr;
    }

    SkyGpu& skyMesh(TSkyDome& dome)
    {
        SkyGpu& s = skies[dome.serial()];
        s.lastUsed = frame;
        if (s.revision == dome.revision())
            return s;
        s.revision = dome.revision();
        const auto vertices = dome.buildMesh();
        if (!s.vao) {
            glGenVertexArrays(1, &s.vao);
            glGenBuffers(1, &s.vertices);
            glBindVertexArray(s.vao);
            glBindBuffer(GL_ARRAY_BUFFER, s.vertices);
            glEnableVertexAttribArray(0);
            glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(TSkyDome::Vertex), nullptr);
            glEnableVertexAttribArray(1);
            glVertexAttribPointer(1, 4, GL_FLOAT, GL_FALSE, sizeof(TSkyDome::Vertex),
                                  reinterpret_cast<void*>(offsetof(TSkyDome::Vertex, color)));
        }
        glBindBuffer(GL_ARRAY_BUFFER, s.vertices);
        glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(vertices.size() * sizeof(TSkyDome::Vertex)), vertices.data(),
                     GL_STATIC_DRAW);
        s.count = GLsizei(vertices.size());
        glBindVertexArray(0);
        return s;
    }

    // ---- traversal --------------------------------------------------------------------------------

    void collect(TGLBaseSceneObject& object, const glm::mat4& parent, bool forPick)
    {
        if (!object.Visible)
            return;
        const glm::mat4 model = parent * object.localMatrix();
        const ObjectKind kind = object.kind();
        if (forPick) {
            if (object.pickable())
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
                const TGLMaterial* material = &object.effectiveMaterial();
                (material->BlendingMode == bmOpaque ? opaqueItems : blendedItems).push_back({&object, model, material});
                break;
            }
            case ObjectKind::Light:
                if (!haveLight) {
                    haveLight = true;
                    lightPos = glm::vec3(model[3]);
                    lightColor = static_cast<TGLLightSource&>(object).Diffuse;
                }
                break;
            case ObjectKind::HudText:
                hudItems.push_back({&object, model, nullptr});
                break;
            default:
                break;
            }
            for (const TGLBFireFX& fire : object.Effects.items())
                if (fire.Manager)
                    fireItems.push_back({glm::vec3(model[3]), fire.Manager.get()});
        }
        for (int i = 0; i < object.Count(); ++i)
            collect(*object.Children(i), model, forPick);
    }

    void beginFrame(TGLScene& scene, TGLCamera* cam, const RenderTarget& target, bool forPick)
    {
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
        farDistance = cam->DepthOfView;
        TDummyCube& root = scene.Objects();
        collect(root, glm::mat4(1.0f), forPick);
    }

    void setCommonState(const RenderTarget& target)
    {
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

    // ---- drawing ----------------------------------------------------------------------------------

    void useProgram(GLuint id)
    {
        if (id != currentProgram) {
            glUseProgram(id);
            currentProgram = id;
        }
    }

    // Sets the material's state and returns the program to draw it with (made current).
    const MeshProgram& applyMaterial(const TGLMaterial& material, bool pickPass, bool instanced)
    {
        if (material.FaceCulling == fcCull)
            glEnable(GL_CULL_FACE);
        else
            glDisable(GL_CULL_FACE);
        if (pickPass) {
            useProgram(pickMesh.id);
            return pickMesh;
        }
        const bool textured = material.Texture.active();
        const int mode = !textured ? 0 : material.Texture.TextureMode == tmModulate ? 2 : 1;
        const MeshProgram& p = meshVariants[instanced ? 1 : 0][mode];
        useProgram(p.id);
        switch (material.BlendingMode) {
        case bmOpaque:
            glDisable(GL_BLEND);
            break;
        case bmTransparency:
            glEnable(GL_BLEND);
            glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
            break;
        case bmAdditive:
            glEnable(GL_BLEND);
            glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE, GL_ZERO, GL_ONE);
            break;
        }
        const TGLFaceProperties& front = material.FrontProperties;
        glUniform4fv(p.diffuse, 1, glm::value_ptr(front.Diffuse));
        glUniform4fv(p.ambient, 1, glm::value_ptr(front.Ambient));
        glUniform4fv(p.emission, 1, glm::value_ptr(front.Emission));
        if (textured)
            glBindTexture(GL_TEXTURE_2D, texture(material.Texture.Image));
        return p;
    }

    void setTransform(const MeshProgram& p, const glm::mat4& model)
    {
        const glm::mat4 mvp = viewProj * model;
        glUniformMatrix4fv(p.mvp, 1, GL_FALSE, glm::value_ptr(mvp));
        glUniformMatrix4fv(p.model, 1, GL_FALSE, glm::value_ptr(model));
        const glm::mat3 normalMatrix = glm::transpose(glm::inverse(glm::mat3(model)));
        glUniformMatrix3fv(p.normalMatrix, 1, GL_FALSE, glm::value_ptr(normalMatrix));
    }

    void drawItem(const DrawItem& item, bool pickPass)
    {
        const MeshProgram& p = applyMaterial(*item.material, pickPass, false);
        glUniform2f(p.uvScale, 1.0f, 1.0f);
        glUniform1f(p.blend, 0.0f);
        switch (item.object->kind()) {
        case ObjectKind::Plane: {
            const auto& plane = static_cast<const TPlane&>(*item.object);
            setTransform(p, item.model * glm::scale(glm::mat4(1.0f), glm::vec3(plane.Width, plane.Height, 1.0f)));
            glUniform2f(p.uvScale, float(std::max(1, plane.XTiles)), float(std::max(1, plane.YTiles)));
            glBindVertexArray(quadVao);
            glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
            ++stats.drawCalls;
            stats.triangles += 2;
            break;
        }
        case ObjectKind::Sprite: {
            const auto& sprite = static_cast<const TSprite&>(*item.object);
            // Screen-aligned: the camera's right and up axes, sized by Width x Height and Scale.
            const glm::vec3 right(view[0][0], view[1][0], view[2][0]);
            const glm::vec3 up(view[0][1], view[1][1], view[2][1]);
            const glm::vec3 back(view[0][2], view[1][2], view[2][2]);
            glm::mat4 model(1.0f);
            model[0] = glm::vec4(right * sprite.Width * sprite.Scale.x, 0.0f);
            model[1] = glm::vec4(up * sprite.Height * sprite.Scale.y, 0.0f);
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
            drawActor(p, static_cast<const TActor&>(*item.object), item.model);
            break;
        case ObjectKind::Terrain:
            drawTerrain(p, static_cast<TTerrainRenderer&>(*item.object), item.model, pickPass);
            break;
        default:
            break;
        }
    }

    void drawActor(const MeshProgram& p, const TActor& actor, const glm::mat4& model)
    {
        ActorGpu* gpu = actorMesh(actor);
        if (!gpu)
            return;
        const int last = gpu->frameCount - 1;
        const std::size_t a = std::size_t(std::clamp(actor.CurrentFrame(), 0, last));
        const std::size_t b = std::size_t(std::clamp(actor.NextFrame(), 0, last));
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
    void drawTerrain(const MeshProgram& p, TTerrainRenderer& terrain, const glm::mat4& model, bool pickPass)
    {
        if (!terrain.HeightDataSource)
            return;
        terrain.selectTiles(eye, viewProj, farDistance, tiles);
        const glm::mat3 normalMatrix = glm::transpose(glm::inverse(glm::mat3(model)));
        glUniformMatrix3fv(p.normalMatrix, 1, GL_FALSE, glm::value_ptr(normalMatrix));
        farTiles.clear();
        for (const auto& tile : tiles) {
            if (!pickPass && tile.lod >= kMergeFromLod) {
                farTiles.push_back(&tile);
                continue;
            }
            PatchGpu* patch = terrainPatch(terrain, tile);
            if (!patch)
                continue;
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
        if (!farTiles.empty())
            drawMergedTiles(p, terrain, model);
    }

    void drawMergedTiles(const MeshProgram& p, TTerrainRenderer& terrain, const glm::mat4& model)
    {
        std::uint64_t signature = 0xcbf29ce484222325ull;
        const auto mix = [&signature](std::uint64_t v) { signature = (signature ^ v) * 0x100000001b3ull; };
        mix(terrain.revision());
        for (const auto* tile : farTiles) {
            const PatchKey key = patchKey(terrain, *tile);
            mix(std::uint64_t(std::uint32_t(std::get<2>(key))) << 32 | std::uint32_t(std::get<3>(key)));
            mix(std::uint64_t(std::get<4>(key)) << 48 | std::uint64_t(std::get<5>(key)) << 36 |
                std::uint64_t(std::get<6>(key)) << 24 | std::uint64_t(std::get<7>(key)) << 12 |
                std::uint64_t(std::get<8>(key)));
            mix(std::uint64_t(std::int64_t(tile->offset.x)) << 32 | std::uint32_t(std::int32_t(tile->offset.y)));
        }
        MergedTerrainGpu& merged = mergedTerrains[terrain.serial()];
        merged.lastUsed = frame;
        if (!merged.vao || merged.signature != signature) {
            merged.signature = signature;
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
                for (std::uint32_t index : patch.indices)
                    mergedIndices.push_back(base + index);
            }
            if (!merged.vao) {
                glGenVertexArrays(1, &merged.vao);
                glGenBuffers(1, &merged.vertices);
                glGenBuffers(1, &merged.indices);
                glBindVertexArray(merged.vao);
                glBindBuffer(GL_ARRAY_BUFFER, merged.vertices);
                glEnableVertexAttribArray(0);
                glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 8 * sizeof(float), nullptr);
                glEnableVertexAttribArray(1);
                glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, 8 * sizeof(float), reinterpret_cast<void*>(3 * sizeof(float)));
                glEnableVertexAttribArray(2);
                glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, 8 * sizeof(float), reinterpret_cast<void*>(6 * sizeof(float)));
                glVertexAttrib3f(3, 0, 0, 0);
                glVertexAttrib3f(4, 0, 0, 0);
                glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, merged.indices);
            }
            glBindVertexArray(merged.vao);
            glBindBuffer(GL_ARRAY_BUFFER, merged.vertices);
            glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(mergedVertices.size() * sizeof(float)), mergedVertices.data(),
                         GL_DYNAMIC_DRAW);
            glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(mergedIndices.size() * sizeof(std::uint32_t)),
                         mergedIndices.data(), GL_DYNAMIC_DRAW);
            merged.indexCount = GLsizei(mergedIndices.size());
        }
        if (merged.indexCount == 0)
            return;
        const glm::mat4 mvp = viewProj * model;
        glUniformMatrix4fv(p.mvp, 1, GL_FALSE, glm::value_ptr(mvp));
        glUniformMatrix4fv(p.model, 1, GL_FALSE, glm::value_ptr(model));
        glBindVertexArray(merged.vao);
        glDrawElements(GL_TRIANGLES, merged.indexCount, GL_UNSIGNED_INT, nullptr);
        ++stats.drawCalls;
        stats.triangles += merged.indexCount / 3;
        stats.terrainTiles += int(farTiles.size());
    }

    void drawSkies()
    {
        if (skyItems.empty())
            return;
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
        glDepthMask(GL_FALSE);
        glDisable(GL_CULL_FACE);
        glDisable(GL_BLEND);
        useProgram(skyProgram);
        // Centred on the eye: only the rotation of the view and of the dome count.
        glm::mat4 rotationView = view;
        rotationView[3] = glm::vec4(0, 0, 0, 1);
        const float radius = std::max(camera->NearPlane * 4.0f, std::min(1.0f, farDistance * 0.5f));
        for (const DrawItem& item : skyItems) {
            SkyGpu& sky = skyMesh(static_cast<TSkyDome&>(*item.object));
            if (sky.count == 0)
                continue;
            glm::mat4 orientation(1.0f);
            for (int c = 0; c < 3; ++c)
                orientation[c] = glm::vec4(glm::normalize(glm::vec3(item.model[c])), 0.0f);
            const glm::mat4 mvp = projection * rotationView * orientation *
                                  glm::scale(glm::mat4(1.0f), glm::vec3(radius));
            glUniformMatrix4fv(skyMvp, 1, GL_FALSE, glm::value_ptr(mvp));
            glBindVertexArray(sky.vao);
            glDrawArrays(GL_TRIANGLES, 0, sky.count);
            ++stats.drawCalls;
            stats.triangles += sky.count / 3;
        }
        glDepthMask(GL_TRUE);
    }

    void setLighting(const MeshProgram& p)
    {
        glUniform1i(p.tex, 0);
        glUniform1i(p.lit, haveLight ? 1 : 0);
        glUniform3fv(p.lightPos, 1, glm::value_ptr(lightPos));
        glUniform4fv(p.lightColor, 1, glm::value_ptr(lightColor));
    }

    // Planes whose drawing order does not matter (opaque, or additive: addition commutes) are drawn
    // in one instanced call per material; everything else one by one in tree order.
    // Opaque planes go first: the sea covers most of the picture, and drawn before the terrain and the
    // hulls it lets the depth test reject what lies beneath it before that is shaded.
    void drawMeshes(std::vector<DrawItem>& items, bool planesFirst)
    {
        if (items.empty())
            return;
        for (Batch& batch : batches)
            batch.instances.clear();
        deferredItems.clear();
        for (const DrawItem& item : items) {
            if (outsideView(item))
                continue;
            if (item.object->kind() == ObjectKind::Plane && item.material->BlendingMode != bmTransparency)
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
    std::vector<const DrawItem*> deferredItems;

    void addToBatch(const DrawItem& item)
    {
        Batch* batch = nullptr;
        for (Batch& candidate : batches)
            if (candidate.material == item.material) {
                batch = &candidate;
                break;
            }
        if (!batch) {
            auto unused = std::find_if(batches.begin(), batches.end(), [](const Batch& b) { return b.instances.empty(); });
            if (unused == batches.end()) {
                batches.emplace_back();
                unused = batches.end() - 1;
            }
            batch = &*unused;
            batch->material = item.material;
        }
        const auto& plane = static_cast<const TPlane&>(*item.object);
        const glm::mat4 model = item.model * glm::scale(glm::mat4(1.0f), glm::vec3(plane.Width, plane.Height, 1.0f));
        const float* m = glm::value_ptr(model);
        batch->instances.insert(batch->instances.end(), m, m + 16);
        batch->instances.push_back(float(std::max(1, plane.XTiles)));
        batch->instances.push_back(float(std::max(1, plane.YTiles)));
    }

    void drawBatches()
    {
        bool any = false;
        for (const Batch& batch : batches)
            any = any || !batch.instances.empty();
        if (!any)
            return;
        glBindVertexArray(batchVao);
        glBindBuffer(GL_ARRAY_BUFFER, batchInstances);
        for (const Batch& batch : batches) {
            if (batch.instances.empty())
                continue;
            applyMaterial(*batch.material, false, true);
            glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(batch.instances.size() * sizeof(float)), batch.instances.data(),
                         GL_STREAM_DRAW);
            glDrawArraysInstanced(GL_TRIANGLE_FAN, 0, 4, GLsizei(batch.instances.size() / kBatchFloats));
            ++stats.drawCalls;
            stats.triangles += 2 * (long long)(batch.instances.size() / kBatchFloats);
        }
    }

    void drawFires()
    {
        particleData.clear();
        for (const FireItem& fire : fireItems) {
            const FireParticles& system = fire.manager->particles();
            const float defaultSize = system.params.ParticleSize;
            for (const FireParticle& particle : system.particles()) {
                const glm::vec3 at = fire.position + particle.offset;
                const glm::vec4 color = system.colorOf(particle);
                const float size = kFlameBlobScale * (particle.size > 0.0f ? particle.size : defaultSize);
                particleData.insert(particleData.end(), {at.x, at.y, at.z, size, color.r, color.g, color.b, color.a});
            }
        }
        const GLsizei count = GLsizei(particleData.size() / 8);
        stats.particles = count;
        if (count == 0)
            return;
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
        glDrawArraysInstanced(GL_TRIANGLES, 0, 6, count);
        ++stats.drawCalls;
        stats.triangles += 2 * count;
        glDepthMask(GL_TRUE);
        glDisable(GL_BLEND);
    }

    // The glyph quads of a text in pixels relative to its top-left corner, laid out again only when
    // the text, the font or its picture changed.
    struct HudLayout {
        std::string text;
        const TBitmapFont* font = nullptr;
        std::uint64_t glyphs = 0;
        std::array<int, 4> cell{};
        std::vector<FontRange> ranges;
        glm::vec2 position{0.0f};
        std::vector<float> vertices;
        std::uint64_t lastUsed = 0;
    };
    std::unordered_map<std::uint64_t, HudLayout> hudLayouts;

    const std::vector<float>& hudVertices(const THUDText& hud)
    {
        const TBitmapFont& font = *hud.BitmapFont;
        HudLayout& layout = hudLayouts[hud.serial()];
        layout.lastUsed = frame;
        const std::array<int, 4> cell{font.CharWidth, font.CharHeight, font.GlyphsIntervalX, font.GlyphsIntervalY};
        const auto sameRanges = [&] {
            if (layout.ranges.size() != font.Ranges.size())
                return false;
            for (std::size_t i = 0; i < font.Ranges.size(); ++i) {
                const FontRange &a = layout.ranges[i], &b = font.Ranges[i];
                if (a.StartASCII != b.StartASCII || a.StopASCII != b.StopASCII || a.StartGlyphIdx != b.StartGlyphIdx)
                    return false;
            }
            return true;
        };
        const glm::vec2 position(hud.Position.x, hud.Position.y);
        if (layout.text == hud.Text && layout.font == &font && layout.glyphs == font.Glyphs.id() && layout.cell == cell &&
            layout.position == position && sameRanges())
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

    void drawHud(const RenderTarget& target)
    {
        if (hudItems.empty())
            return;
        glDisable(GL_DEPTH_TEST);
        glDepthMask(GL_FALSE);
        glDisable(GL_CULL_FACE);
        glEnable(GL_BLEND);
        glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
        useProgram(hudProgram);
        glUniform2f(hudViewport, float(std::max(1, target.width)), float(std::max(1, target.height)));
        glUniform1i(hudTex, 0);
        glBindSampler(0, nearestSampler);
        glBindVertexArray(hudVao);
        glBindBuffer(GL_ARRAY_BUFFER, hudVbo);
        for (const DrawItem& item : hudItems) {
            const auto& hud = static_cast<const THUDText&>(*item.object);
            if (!hud.BitmapFont || hud.BitmapFont->Glyphs.isEmpty() || hud.Text.empty())
                continue;
            const TGLTextureImage& glyphs = hud.BitmapFont->Glyphs;
            const std::vector<float>& hudData = hudVertices(hud);
            if (hudData.empty())
                continue;
            glBindTexture(GL_TEXTURE_2D, texture(glyphs));
            glUniform4fv(hudModulate, 1, glm::value_ptr(hud.ModulateColor));
            glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(hudData.size() * sizeof(float)), hudData.data(), GL_STREAM_DRAW);
            glDrawArrays(GL_TRIANGLES, 0, GLsizei(hudData.size() / 4));
            ++stats.drawCalls;
            stats.triangles += (long long)(hudData.size() / 12);
        }
        glBindSampler(0, 0);
        glDisable(GL_BLEND);
        glEnable(GL_DEPTH_TEST);
        glDepthMask(GL_TRUE);
    }

    void render(TGLScene& scene, TGLCamera* cam, const RenderTarget& target)
    {
        setCommonState(target);
        glClearColor(target.background.r, target.background.g, target.background.b, target.background.a);
        glClearDepth(1.0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        // The target's alpha stays as cleared: a widget's framebuffer with alpha below 1 would let
        // the window behind it show through.
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
        if (!cam || target.width <= 0 || target.height <= 0) {
            glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
            return;
        }
        beginFrame(scene, cam, target, false);
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
    }

    // True when the object's bounding box lies entirely outside one side of the current view volume.
    // Terrain answers false here: it culls its own tiles.
    bool outsideView(const DrawItem& item) const
    {
        glm::vec3 lo(-0.5f, -0.5f, 0.0f), hi(0.5f, 0.5f, 0.0f);
        glm::mat4 model = item.model;
        switch (item.object->kind()) {
        case ObjectKind::Plane: {
            const auto& plane = static_cast<const TPlane&>(*item.object);
            model = model * glm::scale(glm::mat4(1.0f), glm::vec3(plane.Width, plane.Height, 1.0f));
            break;
        }
        case ObjectKind::Sprite: {
            // Facing the camera: a sphere around the centre bounds it whatever the turn.
            const auto& sprite = static_cast<const TSprite&>(*item.object);
            const float r = 0.5f * std::max(std::fabs(sprite.Width * sprite.Scale.x), std::fabs(sprite.Height * sprite.Scale.y));
            model = glm::translate(glm::mat4(1.0f), glm::vec3(item.model[3]));
            lo = glm::vec3(-r);
            hi = glm::vec3(r);
            break;
        }
        case ObjectKind::Actor: {
            const auto& mesh = static_cast<const TActor&>(*item.object).mesh();
            if (!mesh)
                return true;
            lo = mesh->boundsMin;
            hi = mesh->boundsMax;
            break;
        }
        default:
            return false;
        }
        return boxOutsideClip(viewProj * model, lo, hi);
    }

    void ensurePickBuffer(int width, int height)
    {
        if (pickFbo && pickWidth == width && pickHeight == height)
            return;
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

    TGLBaseSceneObject* pick(TGLScene& scene, TGLCamera* cam, const RenderTarget& target, int x, int y)
    {
        if (!cam || target.width <= 0 || target.height <= 0)
            return nullptr;
        // The 3 x 3 square around the pixel, clipped to the target (GL rows count from the bottom).
        const int x0 = std::max(0, x - 1), x1 = std::min(target.width - 1, x + 1);
        const int glY = target.height - 1 - y;
        const int y0 = std::max(0, glY - 1), y1 = std::min(target.height - 1, glY + 1);
        if (x0 > x1 || y0 > y1)
            return nullptr;
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
            if (outsideView(pickItems[i]))
                continue;
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
        TGLBaseSceneObject* best = nullptr;
        float bestDepth = 2.0f;
        for (int i = 0; i < w * h; ++i) {
            const std::uint32_t id = std::uint32_t(colors[std::size_t(i) * 4]) |
                                     (std::uint32_t(colors[std::size_t(i) * 4 + 1]) << 8) |
                                     (std::uint32_t(colors[std::size_t(i) * 4 + 2]) << 16);
            if (id == 0 || id > pickItems.size())
                continue;
            if (depths[std::size_t(i)] < bestDepth) {
                bestDepth = depths[std::size_t(i)];
                best = pickItems[id - 1].object;
            }
        }
        return best;
    }
};

SceneRenderer::SceneRenderer() : m(std::make_unique<Impl>()) {}
SceneRenderer::~SceneRenderer() = default;
void SceneRenderer::initialize() { m->initialize(); }
bool SceneRenderer::initialized() const { return m->ready; }
void SceneRenderer::releaseGL() { m->releaseGL(); }
const RenderStats& SceneRenderer::stats() const { return m->stats; }

void SceneRenderer::render(TGLScene& scene, TGLCamera* camera, const RenderTarget& target)
{
    if (m->ready)
        m->render(scene, camera, target);
}

TGLBaseSceneObject* SceneRenderer::pick(TGLScene& scene, TGLCamera* camera, const RenderTarget& target, int x, int y)
{
    return m->ready ? m->pick(scene, camera, target, x, y) : nullptr;
}

} // namespace vtx
