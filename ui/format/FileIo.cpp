#include "ui/format/FileIo.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <system_error>

#if __has_include(<unistd.h>)
#include <fcntl.h>
#include <unistd.h>
#define VTX_HAVE_FSYNC 1
#endif

namespace vtx {

namespace fs = std::filesystem;

FileReadResult readFileBytes(const fs::path& path, std::size_t maxBytes) {
    FileReadResult result;
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return result;
    result.exists = true;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        result.readError = true;
        return result;
    }
    constexpr std::size_t chunk = 64 * 1024;
    char buffer[chunk];
    while (result.bytes.size() < maxBytes && in) {
        const std::size_t want = std::min(chunk, maxBytes - result.bytes.size());
        in.read(buffer, static_cast<std::streamsize>(want));
        const auto got = in.gcount();
        if (got <= 0) break;
        result.bytes.append(buffer, static_cast<std::size_t>(got));
    }
    // A failure part-way (an I/O error, not the end of the file) must not pass for the whole file:
    // a later save would write back only what was read and lose the rest.
    if (in.bad()) {
        result.readError = true;
        result.bytes.clear();
        return result;
    }
    if (result.bytes.size() >= maxBytes && in.peek() != std::char_traits<char>::eof())
        result.truncated = true;
    return result;
}

namespace {

std::string describe(const fs::path& path, const std::string& why) {
    return "Can't save " + path.filename().string() + ": " + why;
}

// Pushes the written bytes to the disk so the rename below never exposes an
// empty file after a power loss.
void syncFile([[maybe_unused]] const fs::path& path) {
#ifdef VTX_HAVE_FSYNC
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#endif
}

} // namespace

std::optional<std::string> writeFileAtomic(const fs::path& path, std::string_view bytes) {
    std::error_code ec;
    fs::path temp = path;
    temp += ".tmp";
    // A stale temporary from an earlier crash is ours to replace.
    fs::remove(temp, ec);
    if (ec && ec != std::errc::no_such_file_or_directory && ec != std::errc::not_a_directory)
        return describe(path, temp.filename().string() + " is in the way (" + ec.message() + ")");
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) {
            const int err = errno;
            return describe(path, "cannot create " + temp.filename().string() + " (" +
                                      (err ? std::strerror(err) : "unknown error") + ")");
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            fs::remove(temp, ec);
            return describe(path, "writing failed (disk full?)");
        }
        out.close();
        if (out.fail()) {
            fs::remove(temp, ec);
            return describe(path, "writing failed (disk full?)");
        }
    }
    syncFile(temp);
    fs::rename(temp, path, ec);
    if (ec) {
        const std::string why = ec.message();
        std::error_code ignored;
        fs::remove(temp, ignored);
        return describe(path, why);
    }
    return std::nullopt;
}

} // namespace vtx
