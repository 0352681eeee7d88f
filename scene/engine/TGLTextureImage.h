#pragma once
// The picture of a texture. Holds an immutable, shared RGBA copy of the image; loading replaces it
// as a whole, so a change shows at the next frame. Copies share the same picture.
// Pictures are uploaded with their top row first: texture coordinate v = 0 is the picture's top.

#include <QImage>

#include <cstdint>
#include <memory>
#include <span>
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
    // Takes a picture still encoded (JPEG, PNG...) in bytes that outlive every copy of this image (the
    // pictures inside the program): only its header is read now, the pixels at the first image() call,
    // so a start-up that holds many pictures decodes only those it shows. Returns false and keeps the
    // previous picture when the bytes are no picture Qt can read.
    bool assignEncoded(std::span<const unsigned char> bytes);
    void clear() { m_data.reset(); }

    bool isEmpty() const { return !m_data; }
    int width() const;
    int height() const;
    // A process-wide unique number for the current picture (0 when empty): GPU caches key on it.
    std::uint64_t id() const;
    const QImage* image() const; // RGBA8888, or nullptr when empty (decodes a picture taken encoded)

private:
    // Decoding on first use fills in the picture of a shared, otherwise unchanging copy (GUI thread).
    struct Data {
        mutable QImage image;                           // empty until decoded when taken encoded
        mutable std::span<const unsigned char> encoded; // not owned; empty once decoded or when assigned
        mutable QSize size;
        std::uint64_t id = 0;
    };
    std::shared_ptr<const Data> m_data;
};

} // namespace vtx
