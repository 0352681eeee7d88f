#include "scene/engine/PictureSignature.h"

#include "scene/engine/AnimatedModel.h"
#include "scene/engine/Camera.h"
#include "scene/engine/FireSystem.h"
#include "scene/engine/Fnv1a.h"
#include "scene/engine/HudText.h"
#include "scene/engine/LightSource.h"
#include "scene/engine/Plane.h"
#include "scene/engine/Sky.h"
#include "scene/engine/Sprite.h"
#include "scene/engine/Terrain.h"

#include <string>

namespace vtx {

namespace {

void addMaterial(Fnv1a& h, const Material& m) {
    h.add(&m);
    h.add(m.frontProperties.diffuse);
    h.add(m.frontProperties.ambient);
    h.add(m.frontProperties.emission);
    h.add(m.texture.disabled);
    h.add(m.texture.textureMode);
    h.add(m.texture.image.id());
    h.add(m.blendingMode);
    h.add(m.faceCulling);
}

void addObject(Fnv1a& h, Fnv1a& drift, Fnv1a& flames, const SceneObject& object) {
    if (!object.visible) return;
    h.add(object.serial());
    h.add(object.position);
    h.add(object.scale);
    h.add(object.direction());
    h.add(object.up());
    addMaterial(h, object.effectiveMaterial());
    switch (object.kind()) {
    case ObjectKind::Plane: {
        const auto& plane = static_cast<const Plane&>(object);
        h.add(plane.width), h.add(plane.height), h.add(plane.xTiles), h.add(plane.yTiles);
        break;
    }
    case ObjectKind::Sprite: {
        const auto& sprite = static_cast<const Sprite&>(object);
        h.add(sprite.width), h.add(sprite.height);
        break;
    }
    case ObjectKind::Actor: {
        const auto& actor = static_cast<const AnimatedModel&>(object);
        h.add(actor.meshId());
        Fnv1a& frames = actor.animationDrifts ? drift : h;
        frames.add(actor.serial()), frames.add(actor.currentFrame()), frames.add(actor.nextFrame());
        if (actor.currentFrame() != actor.nextFrame()) frames.add(actor.frameBlend());
        break;
    }
    case ObjectKind::Terrain: {
        const auto& terrain = static_cast<const Terrain&>(object);
        h.add(terrain.revision()), h.add(terrain.qualityDistance), h.add(terrain.viewDistance);
        h.add(terrain.hiddenBelow), h.add(terrain.hiddenArea);
        break;
    }
    case ObjectKind::SkyDome:
        h.add(static_cast<const Sky&>(object).revision());
        break;
    case ObjectKind::Light:
        h.add(static_cast<const LightSource&>(object).diffuse);
        break;
    case ObjectKind::HudText: {
        const auto& hud = static_cast<const HudText&>(object);
        h.add(hud.text);
        h.add(hud.modulateColor);
        h.add(hud.backColor);
        h.add(hud.backPadding);
        h.add(hud.bitmapFont);
        if (const BitmapFont* font = hud.bitmapFont) {
            h.add(font->glyphs.id());
            h.add(font->charWidth), h.add(font->charHeight), h.add(font->glyphsIntervalX),
                h.add(font->glyphsIntervalY);
            for (const FontRange& range : font->ranges)
                h.add(range.startAscii), h.add(range.stopAscii), h.add(range.startGlyphIdx);
        }
        break;
    }
    default:
        break;
    }
    for (const FireEffect& fire : object.effects.items())
        if (fire.manager) {
            h.add(fire.manager.get());
            // Live particles move at every tick: the tick number stands for their state.
            const std::size_t live = fire.manager->particles().particles().size();
            flames.add(live);
            if (live > 0) flames.add(fire.manager->lastTick);
        }
    h.add(object.count());
    for (int i = 0; i < object.count(); ++i)
        addObject(h, drift, flames, *object.children(i));
}

} // namespace

PictureSignatures pictureSignatures(const Scene& scene, const Camera* camera) {
    Fnv1a view, objects, drift, flames;
    view.add(camera);
    if (camera) {
        view.add(camera->viewMatrix());
        view.add(camera->depthOfView), view.add(camera->focalLength), view.add(camera->nearPlane);
    }
    addObject(objects, drift, flames, scene.objects());
    return {view.value(), objects.value(), drift.value(), flames.value()};
}

std::uint64_t pictureSignature(const Scene& scene, const Camera* camera) {
    const PictureSignatures s = pictureSignatures(scene, camera);
    Fnv1a h;
    h.add(s.view), h.add(s.scene), h.add(s.drift), h.add(s.flames);
    return h.value();
}

} // namespace vtx
