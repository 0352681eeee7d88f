#pragma once
// The picture of a texture. Holds an immutable, shared RGBA copy of the image; loading replaces it
// as a whole, so a change shows at the next frame. Copies share the same picture.
// Pictures are uploaded with their top row first: texture coordinate v = 0 is the picture's top.
//
// A picture read from a file or taken encoded keeps its encoded bytes (a JPEG is a tenth of its
// pixels) and is decoded when first asked for; once a renderer holds its own copy (the software
// driver's texture), releasePixels() lets the decoded pixels go, and a later image() decodes them
// again.

#include <QByteArray>
#include <QImage>

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace vtx {

class TextureImage {
public:
    // Reads a picture file (any format Qt reads: JPEG, BMP, PNG...; backslashes in `path` count as
    // directory separators): its bytes and header now, its pixels at the first image() call. Throws
    // std::runtime_error("Could not open file: " + path) when the file is missing or no picture Qt
    // can read; the previous picture is kept then. Loads of an unchanged file share one copy while any holder
    // keeps it (GUI thread only).
    void loadFromFile(const std::string& path);
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
    // Drops the decoded pixels of a picture that can be decoded again (read from a file or taken
    // encoded); the pointer image() returned before is then invalid. GUI thread.
    void releasePixels() const;

private:
    // Decoding on first use fills in the picture of a shared, otherwise unchanging copy (GUI thread).
    struct Data {
        mutable QImage image;                   // empty until decoded when encoded
        QByteArray file;                        // the file's bytes, when read from a file
        std::span<const unsigned char> encoded; // into `file` or not owned; empty when assigned
        mutable QSize size;
        std::uint64_t id = 0;
    };
    bool takeEncoded(std::span<const unsigned char> bytes, QByteArray file);
    std::shared_ptr<const Data> m_data;
};

} // namespace vtx
