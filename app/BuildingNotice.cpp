#include "app/BuildingNotice.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vtx {

BuildingNotice::BuildingNotice(QWidget* parent) : QWidget(parent)
{
    setWindowTitle("Vortalix 3D");
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel("Vortalix 3D is being built.\nThe game window is not ready yet.", this);
    text->setAlignment(Qt::AlignCenter);
    auto* close = new QPushButton("Close", this);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    layout->addWidget(text);
    layout->addWidget(close);
    resize(360, 160);
}

} // namespace vtx
