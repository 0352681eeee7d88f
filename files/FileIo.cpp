#include "files/FileIo.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vtx {

namespace fs = std::filesystem;

FileReadResult readFileBytes(const fs::path& path, std::size_t maxBytes) {
    FileReadResult result;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (status.type() == fs::file_type::not_found) return result;
    result.exists = true;
    // A folder of that name, or a name whose status cannot even be read, is
    // there but is no file we can read: never to be overwritten as if missing.
    if (ec || status.type() != fs::file_type::regular) {
        result.readError = true;
        return result;
    }
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

long realWrite(int fd, const void* data, std::size_t size) {
    return static_cast<long>(::write(fd, data, size));
}

std::string describe(const fs::path& path, const std::string& why) {
    return "Can't save " + path.filename().string() + ": " + why;
}

std::string lastError() {
    const int err = errno;
    return err ? std::strerror(err) : "unknown error";
}

// The file a save must replace: a symbolic link is followed to its target (a
// dangling one too), so the link itself stays.
fs::path throughLinks(fs::path path) {
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(path, ec))) break;
        const fs::path target = fs::read_symlink(path, ec);
        if (ec) break;
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return path;
}

// Pushes the new directory entry to the disk as well; the file's own bytes
// are already synced, so a failure here loses nothing that was reported saved.
void syncFolder(const fs::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

FileSyscalls& fileSyscalls() {
    static FileSyscalls calls{realWrite, ::fsync, ::close};
    return calls;
}

std::optional<std::string> writeFileAtomic(const fs::path& path, std::string_view bytes) {
    const FileSyscalls& sys = fileSyscalls();
    const fs::path target = throughLinks(path);
    std::error_code ec;
    fs::path temp = target;
    temp += ".tmp";
    // A stale temporary from an earlier crash is ours to replace.
    fs::remove(temp, ec);
    if (ec && ec != std::errc::no_such_file_or_directory && ec != std::errc::not_a_directory)
        return describe(path, temp.filename().string() + " is in the way (" + ec.message() + ")");

    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return describe(path, "cannot create " + temp.filename().string() + " (" + lastError() + ")");
    const auto fail = [&](const std::string& why, bool closeIt) {
        if (closeIt) sys.close(fd);
        std::error_code ignored;
        fs::remove(temp, ignored);
        return describe(path, why);
    };
    if (replacing) {
        // The player's (or the installer's) choice of who may read the file stays.
        if (::fchmod(fd, old.st_mode & 07777) != 0)
            return fail("cannot keep its permissions (" + lastError() + ")", true);
        [[maybe_unused]] const int owner = ::fchown(fd, old.st_uid, old.st_gid); // only root may give it away
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const long wrote = sys.write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return fail("writing failed (" + lastError() + ")", true);
        done += static_cast<std::size_t>(wrote);
    }
    // A disk that fails here (full, gone, a network folder that refused the
    // data) has not stored the bytes, whatever write said.
    if (sys.fsync(fd) != 0) return fail("writing to the disk failed (" + lastError() + ")", true);
    if (sys.close(fd) != 0) return fail("writing to the disk failed (" + lastError() + ")", false);
    fs::rename(temp, target, ec);
    if (ec) return fail(ec.message(), false);
    syncFolder(target.parent_path());
    return std::nullopt;
}

} // namespace vtx
