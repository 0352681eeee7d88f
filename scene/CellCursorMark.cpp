#include "scene/CellCursorMark.h"

#include "scene/Boards.h"
#include "scene/World.h"

#include <QImage>
#include <QPainter>

#include <string_view>

namespace vtx {

namespace {

// Seen through by the pointer's pick: the cell under the frame is the one picked.
class FramePlane : public Plane {
public:
    bool pickable() const override { return false; }
};

// A square ring on black; additive blending drops the black. Above the
// cell's mark, below the models' decks.
QImage framePicture(const CellCursorMark::Look& look) {
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(QRgb(look.rgb)), qreal(look.penWidth)));
    p.setBrush(Qt::NoBrush);
    if (look.crossed) {
        QPen dashed = p.pen();
        dashed.setDashPattern({1.5, 1.0});
        p.setPen(dashed);
        p.drawRect(QRectF(6.0, 6.0, 52.0, 52.0));
        p.setPen(QPen(QColor(QRgb(look.rgb)), qreal(look.penWidth)));
        p.drawLine(QPointF(16.0, 16.0), QPointF(48.0, 48.0));
        p.drawLine(QPointF(48.0, 16.0), QPointF(16.0, 48.0));
        return image;
    }
    p.drawRect(QRectF(6.0, 6.0, 52.0, 52.0));
    return image;
}

} // namespace

void CellCursorMark::addMaterial() {
    if (!m_world.materials.materialByName(m_look.material))
        m_world.materials.addMaterialFromImage(m_look.material, framePicture(m_look), BlendMode::Additive);
}

void CellCursorMark::setLook(const Look& look) {
    if (std::string_view(look.material) == m_look.material) return;
    m_look.material = look.material;
    m_look.rgb = look.rgb;
    m_look.penWidth = look.penWidth;
    m_look.crossed = look.crossed;
    if (!m_plane) return;
    addMaterial();
    m_plane->libMaterialName = m_look.material;
}

void CellCursorMark::build() {
    addMaterial();
    m_plane = m_world.nonReflecting->addChild<FramePlane>();
    m_plane->name = m_look.name;
    m_plane->tag = 101; // no cell, no sea
    m_plane->setDirection({0.0f, 1.0f, 0.0f});
    m_plane->width = 1.0f;
    m_plane->height = 1.0f;
    m_plane->materialLibrary = &m_world.materials;
    m_plane->libMaterialName = m_look.material;
    m_plane->visible = false;
}

void CellCursorMark::show(bool visible, std::int32_t board, std::int32_t row, std::int32_t column) {
    const Plane* cell = board != 0 ? m_boards.cell(board, row, column) : nullptr;
    if (!visible || !cell) {
        if (m_plane) m_plane->visible = false;
        return;
    }
    if (!m_plane) build();
    m_plane->position = cell->position + glm::vec3(0.0f, m_look.lift, 0.0f);
    m_plane->visible = true;
}

} // namespace vtx
