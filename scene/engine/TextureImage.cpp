#include "scene/engine/TextureImage.h"

#include "scene/engine/FilePath.h"

#include <QBuffer>
#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <atomic>
#include <stdexcept>
#include <unordered_map>

namespace vtx {

namespace {
std::uint64_t nextImageId() {
    static std::atomic<std::uint64_t> counter{0};
    return ++counter;
}
} // namespace

void TextureImage::loadFromFile(const std::string& path) {
    // Many objects load the same picture (twenty ships, one hull texture): while one of them still
    // holds it and the file is unchanged, they share one copy and one GPU texture.
    struct Cached {
        std::weak_ptr<const Data> data;
        QDateTime modified;
        qint64 size = 0;
    };
    static std::unordered_map<std::string, Cached> cache;
    const QString native = QString::fromStdString(nativeFilePath(path));
    const QFileInfo info(native);
    auto found = cache.find(path);
    if (found != cache.end() && info.exists() && found->second.modified == info.lastModified() &&
        found->second.size == info.size()) {
        if (auto shared = found->second.data.lock()) {
            m_data = std::move(shared);
            return;
        }
    }
    QFile file(native);
    QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const std::span<const unsigned char> view(reinterpret_cast<const unsigned char*>(bytes.constData()),
                                              std::size_t(bytes.size()));
    if (!takeEncoded(view, std::move(bytes))) throw std::runtime_error("Could not open file: " + path);
    cache[path] = Cached{m_data, info.lastModified(), info.size()};
}

void TextureImage::assign(const QImage& image) {
    if (image.isNull()) {
        m_data.reset();
        return;
    }
    auto data = std::make_shared<Data>();
    data->image = image.convertToFormat(QImage::Format_RGBA8888);
    data->size = data->image.size();
    data->id = nextImageId();
    m_data = std::move(data);
}

bool TextureImage::assignEncoded(std::span<const unsigned char> bytes) {
    return takeEncoded(bytes, QByteArray());
}

// `file`, when not empty, holds the bytes `bytes` points into (moving a QByteArray keeps its data).
bool TextureImage::takeEncoded(std::span<const unsigned char> bytes, QByteArray file) {
    QByteArray view =
        QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    QBuffer buffer(&view);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (bytes.empty() || !reader.canRead() || !size.isValid() || size.isEmpty()) return false;
    auto data = std::make_shared<Data>();
    data->file = std::move(file);
    data->encoded = bytes;
    data->size = size;
    data->id = nextImageId();
    m_data = std::move(data);
    return true;
}

int TextureImage::width() const {
    return m_data ? m_data->size.width() : 0;
}
int TextureImage::height() const {
    return m_data ? m_data->size.height() : 0;
}
std::uint64_t TextureImage::id() const {
    return m_data ? m_data->id : 0;
}

const QImage* TextureImage::image() const {
    if (!m_data) return nullptr;
    if (m_data->image.isNull() && !m_data->encoded.empty()) {
        QImage decoded;
        decoded.loadFromData(m_data->encoded.data(), int(m_data->encoded.size()));
        // The header was readable; should the pixels not be, the picture stays the size it said, black.
        if (decoded.isNull()) {
            decoded = QImage(m_data->size, QImage::Format_RGBA8888);
            decoded.fill(Qt::black);
        }
        m_data->image = decoded.convertToFormat(QImage::Format_RGBA8888);
        m_data->size = m_data->image.size();
    }
    return &m_data->image;
}

void TextureImage::releasePixels() const {
    if (m_data && !m_data->encoded.empty()) m_data->image = QImage();
}

} // namespace vtx
