#pragma once
// Text drawn over the 3D image in viewer pixels (device-independent: at a screen scale factor of 2
// each is two device pixels): Position.x, Position.y is the top-left corner of the text in pixels
// from the viewer's top-left (Position.z is ignored). Each glyph is drawn with its
// picture's luminance as opacity times modulateColor alpha, and its colour multiplied by
// modulateColor, so black parts of the glyph picture vanish and the alpha fades the whole text.
// BitmapFont is not owned. Not pickable; drawn last, over everything, in tree order.
// backColor with a non-zero alpha puts a plate of that colour (straight alpha, not faded by
// modulateColor) behind the text, backPadding pixels wider than its glyphs on every side: a text
// that must read over any picture.

#include "scene/engine/BitmapFont.h"
#include "scene/engine/SceneObject.h"

#include <string>

namespace vtx {

enum class TextAlignment { Left };
enum class TextLayout { Top };

class HudText : public SceneObject {
public:
    std::string text;
    BitmapFont* bitmapFont = nullptr;
    TextAlignment alignment = TextAlignment::Left;
    TextLayout layout = TextLayout::Top;
    glm::vec4 modulateColor{1.0f, 1.0f, 1.0f, 1.0f};
    glm::vec4 backColor{0.0f, 0.0f, 0.0f, 0.0f};
    float backPadding = 0.0f;
    ObjectKind kind() const override { return ObjectKind::HudText; }
};

} // namespace vtx
