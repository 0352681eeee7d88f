#include "scene/engine/PictureSignature.h"

#include "scene/engine/Fnv1a.h"
#include "scene/engine/TActor.h"
#include "scene/engine/TGLCamera.h"
#include "scene/engine/TGLFireFXManager.h"
#include "scene/engine/TGLLightSource.h"
#include "scene/engine/THUDText.h"
#include "scene/engine/TPlane.h"
#include "scene/engine/TSkyDome.h"
#include "scene/engine/TSprite.h"
#include "scene/engine/TTerrainRenderer.h"

#include <string>

namespace vtx {

namespace {

void addMaterial(Fnv1a& h, const TGLMaterial& m) {
    h.add(&m);
    h.add(m.FrontProperties.Diffuse);
    h.add(m.FrontProperties.Ambient);
    h.add(m.FrontProperties.Emission);
    h.add(m.Texture.Disabled);
    h.add(m.Texture.TextureMode);
    h.add(m.Texture.Image.id());
    h.add(m.BlendingMode);
    h.add(m.FaceCulling);
}

void addObject(Fnv1a& h, Fnv1a& drift, Fnv1a& flames, const TGLBaseSceneObject& object) {
    if (!object.Visible) return;
    h.add(object.serial());
    h.add(object.Position);
    h.add(object.Scale);
    h.add(object.Direction());
    h.add(object.Up());
    addMaterial(h, object.effectiveMaterial());
    switch (object.kind()) {
    case ObjectKind::Plane: {
        const auto& plane = static_cast<const TPlane&>(object);
        h.add(plane.Width), h.add(plane.Height), h.add(plane.XTiles), h.add(plane.YTiles);
        break;
    }
    case ObjectKind::Sprite: {
        const auto& sprite = static_cast<const TSprite&>(object);
        h.add(sprite.Width), h.add(sprite.Height);
        break;
    }
    case ObjectKind::Actor: {
        const auto& actor = static_cast<const TActor&>(object);
        h.add(actor.meshId());
        Fnv1a& frames = actor.AnimationDrifts ? drift : h;
        frames.add(actor.serial()), frames.add(actor.CurrentFrame()), frames.add(actor.NextFrame());
        if (actor.CurrentFrame() != actor.NextFrame()) frames.add(actor.frameBlend());
        break;
    }
    case ObjectKind::Terrain: {
        const auto& terrain = static_cast<const TTerrainRenderer&>(object);
        h.add(terrain.revision()), h.add(terrain.QualityDistance), h.add(terrain.ViewDistance);
        h.add(terrain.HiddenBelow), h.add(terrain.HiddenArea);
        break;
    }
    case ObjectKind::SkyDome:
        h.add(static_cast<const TSkyDome&>(object).revision());
        break;
    case ObjectKind::Light:
        h.add(static_cast<const TGLLightSource&>(object).Diffuse);
        break;
    case ObjectKind::HudText: {
        const auto& hud = static_cast<const THUDText&>(object);
        h.add(hud.Text);
        h.add(hud.ModulateColor);
        h.add(hud.BackColor);
        h.add(hud.BackPadding);
        h.add(hud.BitmapFont);
        if (const TBitmapFont* font = hud.BitmapFont) {
            h.add(font->Glyphs.id());
            h.add(font->CharWidth), h.add(font->CharHeight), h.add(font->GlyphsIntervalX),
                h.add(font->GlyphsIntervalY);
            for (const FontRange& range : font->Ranges)
                h.add(range.StartASCII), h.add(range.StopASCII), h.add(range.StartGlyphIdx);
        }
        break;
    }
    default:
        break;
    }
    for (const TGLBFireFX& fire : object.Effects.items())
        if (fire.Manager) {
            h.add(fire.Manager.get());
            // Live particles move at every tick: the tick number stands for their state.
            const std::size_t live = fire.Manager->particles().particles().size();
            flames.add(live);
            if (live > 0) flames.add(fire.Manager->lastTick);
        }
    h.add(object.Count());
    for (int i = 0; i < object.Count(); ++i)
        addObject(h, drift, flames, *object.Children(i));
}

} // namespace

PictureSignatures pictureSignatures(const TGLScene& scene, const TGLCamera* camera) {
    Fnv1a view, objects, drift, flames;
    view.add(camera);
    if (camera) {
        view.add(camera->viewMatrix());
        view.add(camera->DepthOfView), view.add(camera->FocalLength), view.add(camera->NearPlane);
    }
    addObject(objects, drift, flames, scene.Objects());
    return {view.value(), objects.value(), drift.value(), flames.value()};
}

std::uint64_t pictureSignature(const TGLScene& scene, const TGLCamera* camera) {
    const PictureSignatures s = pictureSignatures(scene, camera);
    Fnv1a h;
    h.add(s.view), h.add(s.scene), h.add(s.drift), h.add(s.flames);
    return h.value();
}

} // namespace vtx
