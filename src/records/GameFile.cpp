#include "records/GameFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace quarvelin {

namespace {

std::string why(int error) { return std::strerror(error); }

bool writeAll(int fd, const char* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// A new name beside the target; O_EXCL keeps a file of the user's with that name safe.
int createTemporary(const std::string& target, std::string& name) {
    for (int trial = 0; trial < 100; ++trial) {
        name = target + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(trial);
        int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

} // namespace

std::string writeGameFile(const std::string& path, std::string_view content, bool append) {
    namespace fs = std::filesystem;
    std::error_code ec;
    // Through a link, the file it leads to is the one replaced.
    std::string target = path;
    if (fs::is_symlink(path, ec)) {
        fs::path real = fs::weakly_canonical(path, ec);
        if (!ec) target = real.string();
    }
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) return why(EISDIR);

    std::string temp;
    int fd = createTemporary(target, temp);
    if (fd < 0) return why(errno);
    auto failure = [&](int error) {
        ::close(fd);
        ::unlink(temp.c_str());
        return why(error);
    };

    if (exists) ::fchmod(fd, old.st_mode & 07777);
    if (append && exists) {
        int source = ::open(target.c_str(), O_RDONLY | O_CLOEXEC);
        if (source < 0) return failure(errno);
        std::string block(1 << 20, '\0');
        char last = '\n';
        for (;;) {
            ssize_t n = ::read(source, block.data(), block.size());
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                int e = errno;
                ::close(source);
                return failure(e);
            }
            if (n == 0) break;
            last = block[static_cast<std::size_t>(n) - 1];
            if (!writeAll(fd, block.data(), static_cast<std::size_t>(n))) {
                int e = errno;
                ::close(source);
                return failure(e);
            }
        }
        ::close(source);
        // A file whose last line has no end would glue its last game to the new one.
        if (last != '\n' && !writeAll(fd, "\r\n", 2)) return failure(errno);
    }
    if (!writeAll(fd, content.data(), content.size())) return failure(errno);
    // On disk before it replaces the old file, so a crash leaves one whole file or the other.
    if (::fsync(fd) != 0) return failure(errno);
    if (::close(fd) != 0) {
        int e = errno;
        ::unlink(temp.c_str());
        return why(e);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        int e = errno;
        ::unlink(temp.c_str());
        return why(e);
    }
    return {};
}

std::string crlfLines(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 32);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += "\r\n";
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace quarvelin
