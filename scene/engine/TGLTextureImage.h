#pragma once
// The picture of a texture. Holds an immutable, shared RGBA copy of the image; loading replaces it
// as a whole, so a change shows at the next frame. Copies share the same picture.
// Pictures are uploaded with their top row first: texture coordinate v = 0 is the picture's top.

#include <QImage>

#include <cstdint>
#include <memory>
#include <string>

namespace vtx {

class TGLTextureImage {
public:
    // Reads a picture file (any format Qt reads: JPEG, BMP, PNG...; backslashes in `path` count as
    // directory separators). Throws
    // std::runtime_error("Could not open file: " + path) when the file is missing or unreadable;
    // the previous picture is kept then. Loads of an unchanged file share one copy while any holder
    // keeps it (GUI thread only).
    void LoadFromFile(const std::string& path);
    // Takes a picture from memory (e.g. an embedded image). A null image clears the texture.
    void assign(const QImage& image);
    void clear() { m_data.reset(); }

    bool isEmpty() const { return !m_data; }
    int width() const;
    int height() const;
    // A process-wide unique number for the current picture (0 when empty): GPU caches key on it.
    std::uint64_t id() const;
    const QImage* image() const;    // RGBA8888, or nullptr when empty

private:
    struct Data {
        QImage image;
        std::uint64_t id = 0;
    };
    std::shared_ptr<const Data> m_data;
};

} // namespace vtx
