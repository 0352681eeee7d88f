#include "scene/CellCursorMark.h"

#include "scene/Boards.h"
#include "scene/World.h"

#include <QImage>
#include <QPainter>

namespace vtx {

namespace {

// Seen through by the pointer's pick: the cell under the frame is the one picked.
class FramePlane : public TPlane {
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
    p.drawRect(QRectF(6.0, 6.0, 52.0, 52.0));
    return image;
}

} // namespace

void CellCursorMark::build() {
    if (!m_world.GLMaterialLibrary1.materialByName(m_look.material))
        m_world.GLMaterialLibrary1.addMaterialFromImage(m_look.material, framePicture(m_look), bmAdditive);
    m_plane = m_world.NonReflecting->AddChild<FramePlane>();
    m_plane->Name = m_look.name;
    m_plane->Tag = 101; // no cell, no sea
    m_plane->setDirection({0.0f, 1.0f, 0.0f});
    m_plane->Width = 1.0f;
    m_plane->Height = 1.0f;
    m_plane->MaterialLibrary = &m_world.GLMaterialLibrary1;
    m_plane->LibMaterialName = m_look.material;
    m_plane->Visible = false;
}

void CellCursorMark::show(bool visible, std::int32_t board, std::int32_t row, std::int32_t column) {
    const TPlane* cell = board != 0 ? m_boards.cell(board, row, column) : nullptr;
    if (!visible || !cell) {
        if (m_plane) m_plane->Visible = false;
        return;
    }
    if (!m_plane) build();
    m_plane->Position = cell->Position + glm::vec3(0.0f, m_look.lift, 0.0f);
    m_plane->Visible = true;
}

} // namespace vtx
