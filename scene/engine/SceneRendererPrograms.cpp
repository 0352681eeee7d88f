#include "scene/engine/SceneRendererImpl.h"

#include <QDebug>

namespace vtx {

namespace {

// ---- shader sources -------------------------------------------------------------------------------

// Lighting per vertex keeps the fragment work minimal: on a software rasteriser the fragment shader
// dominates the frame time.
// Without INSTANCED the transform comes from uniforms; with it, from per-instance attributes (the
// model matrix in locations 5..8 and the texture repeat in 9), for batches of planes.
constexpr const char* kMeshVertex = R"(
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
constexpr const char* kMeshFragment = R"(
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

constexpr const char* kPickFragment = R"(
uniform vec4 u_pickColor;
out vec4 o_color;
void main() { o_color = u_pickColor; }
)";

constexpr const char* kSkyVertex = R"(
layout(location = 0) in vec3 a_pos;
layout(location = 1) in vec4 a_color;
uniform mat4 u_mvp;
out vec4 v_color;
// At the far plane (z = w), so it is drawn after the opaque objects only where none of them is.
void main() { gl_Position = (u_mvp * vec4(a_pos, 1.0)).xyww; v_color = a_color; }
)";

constexpr const char* kSkyFragment = R"(
in vec4 v_color;
out vec4 o_color;
void main() { o_color = v_color; }
)";

constexpr const char* kParticleVertex = R"(
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
constexpr const char* kParticleFragment = R"(
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

constexpr const char* kHudVertex = R"(
layout(location = 0) in vec2 a_pixel;
layout(location = 1) in vec2 a_uv;
uniform vec2 u_viewport;
out vec2 v_uv;
void main() {
    gl_Position = vec4(a_pixel.x / u_viewport.x * 2.0 - 1.0, 1.0 - a_pixel.y / u_viewport.y * 2.0, 0.0, 1.0);
    v_uv = a_uv;
}
)";

constexpr const char* kHudFragment = R"(
uniform sampler2D u_tex;
uniform vec4 u_modulate;
uniform float u_solid;
in vec2 v_uv;
out vec4 o_color;
void main() {
    if (u_solid > 0.5) {
        o_color = u_modulate;
        return;
    }
    vec4 t = texture(u_tex, v_uv);
    float luminance = dot(t.rgb, vec3(0.299, 0.587, 0.114));
    o_color = vec4(t.rgb * u_modulate.rgb, clamp(luminance * t.a * u_modulate.a, 0.0, 1.0));
}
)";

} // namespace

// Sources carry no #version line: it is added here, followed by `defines`.
GLuint SceneRenderer::Impl::compile(GLenum type, const char* source, const char* what,
                                    const std::string& defines) {
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

GLuint SceneRenderer::Impl::link(const char* vertex, const char* fragment, const char* what,
                                 const std::string& defines) {
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

void SceneRenderer::Impl::locate(MeshProgram& p) {
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

void SceneRenderer::Impl::initialize() {
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

void SceneRenderer::Impl::createGL() {
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
    hudSolid = glGetUniformLocation(hudProgram, "u_solid");

    // The unit quad of planes and sprites: centred, in local XY, facing +Z, v = 0 along +Y.
    const float quad[] = {
        -0.5f, -0.5f, 0, 0, 0, 1, 0, 1, 0.5f,  -0.5f, 0, 0, 0, 1, 1, 1,
        0.5f,  0.5f,  0, 0, 0, 1, 1, 0, -0.5f, 0.5f,  0, 0, 0, 1, 0, 0,
    };
    glGenVertexArrays(1, &quadVao);
    glGenBuffers(1, &quadVbo);
    glBindVertexArray(quadVao);
    glBindBuffer(GL_ARRAY_BUFFER, quadVbo);
    glBufferData(GL_ARRAY_BUFFER, sizeof(quad), quad, GL_STATIC_DRAW);
    setVertexLayout(true);

    // The same quad with per-instance transforms, for batches of planes sharing a material.
    glGenVertexArrays(1, &batchVao);
    glGenBuffers(1, &batchInstances);
    glBindVertexArray(batchVao);
    glBindBuffer(GL_ARRAY_BUFFER, quadVbo);
    setVertexLayout(false);
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

    // One triangle around the blob's unit circle, not a square of two: the fragment shader keeps
    // only the circle either way, and a software rasteriser pays for every small triangle it sets up.
    const float corners[] = {0.0f, 2.0f, -1.7320508f, -1.0f, 1.7320508f, -1.0f};
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
    glVertexAttribPointer(2, 4, GL_FLOAT, GL_FALSE, 8 * sizeof(float),
                          reinterpret_cast<void*>(4 * sizeof(float)));
    glVertexAttribDivisor(2, 1);

    glGenVertexArrays(1, &hudVao);
    glGenBuffers(1, &hudVbo);
    glBindVertexArray(hudVao);
    glBindBuffer(GL_ARRAY_BUFFER, hudVbo);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 4 * sizeof(float), nullptr);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 4 * sizeof(float),
                          reinterpret_cast<void*>(2 * sizeof(float)));
    glBindVertexArray(0);

    // Glyphs are drawn 1:1; nearest sampling keeps neighbouring cells from bleeding in.
    glGenSamplers(1, &nearestSampler);
    glSamplerParameteri(nearestSampler, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glSamplerParameteri(nearestSampler, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glSamplerParameteri(nearestSampler, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glSamplerParameteri(nearestSampler, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

void SceneRenderer::Impl::releaseGL() {
    if (!ready) return;
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

} // namespace vtx
