#include "scene/engine/TGLTextureImage.h"

#include <QImageReader>

#include <atomic>
#include <stdexcept>

namespace vtx {

namespace {
std::uint64_t nextImageId()
{
    static std::atomic<std::uint64_t> counter{0};
    return ++counter;
}
} // namespace

void TGLTextureImage::LoadFromFile(const std::string& path)
{
    QImageReader reader(QString::fromStdString(path));
    QImage image = reader.read();
    if (image.isNull())
        throw std::runtime_error("Could not open file: " + path);
    assign(image);
}

void TGLTextureImage::assign(const QImage& image)
{
    if (image.isNull()) {
        m_data.reset();
        return;
    }
    auto data = std::make_shared<Data>();
    data->image = image.convertToFormat(QImage::Format_RGBA8888);
    data->id = nextImageId();
    m_data = std::move(data);
}

int TGLTextureImage::width() const { return m_data ? m_data->image.width() : 0; }
int TGLTextureImage::height() const { return m_data ? m_data->image.height() : 0; }
std::uint64_t TGLTextureImage::id() const { return m_data ? m_data->id : 0; }
const QImage* TGLTextureImage::image() const { return m_data ? &m_data->image : nullptr; }

} // namespace vtx
