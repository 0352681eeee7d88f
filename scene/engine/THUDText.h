#pragma once
// Text drawn over the 3D image in viewer pixels (device-independent: at a screen scale factor of 2
// each is two device pixels): Position.x, Position.y is the top-left corner of the text in pixels
// from the viewer's top-left (Position.z is ignored). Each glyph is drawn with its
// picture's luminance as opacity times ModulateColor alpha, and its colour multiplied by
// ModulateColor, so black parts of the glyph picture vanish and the alpha fades the whole text.
// BitmapFont is not owned. Not pickable; drawn last, over everything, in tree order.
// BackColor with a non-zero alpha puts a plate of that colour (straight alpha, not faded by
// ModulateColor) behind the text, BackPadding pixels wider than its glyphs on every side: a text
// that must read over any picture.

#include "scene/engine/TBitmapFont.h"
#include "scene/engine/TGLBaseSceneObject.h"

#include <string>

namespace vtx {

enum TGLAlignment { taLeftJustify };
enum TGLTextLayout { tlTop };

class THUDText : public TGLBaseSceneObject {
public:
    std::string Text;
    TBitmapFont* BitmapFont = nullptr;
    TGLAlignment Alignment = taLeftJustify;
    TGLTextLayout Layout = tlTop;
    glm::vec4 ModulateColor{1.0f, 1.0f, 1.0f, 1.0f};
    glm::vec4 BackColor{0.0f, 0.0f, 0.0f, 0.0f};
    float BackPadding = 0.0f;
    ObjectKind kind() const override { return ObjectKind::HudText; }
};

} // namespace vtx
