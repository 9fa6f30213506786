// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/AtomicFileWriter.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace quarvelin {

namespace {

constexpr std::size_t BufferSize = 1 << 16;
constexpr int MaxLinks = 40; // as many as the kernel follows
constexpr int NameTrials = 100;
// The temporary's name adds to the target's; this keeps it under NAME_MAX.
constexpr std::size_t KeptNameLength = 200;

std::atomic<unsigned> temporaryCount{0};

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// The file a path leads to through its symbolic links; 0, or the errno that stopped it.
int followLinks(const std::string& path, std::string& target) {
    target = path;
    for (int hop = 0; hop < MaxLinks; ++hop) {
        struct stat st {};
        // Anything but a link ends it; a missing file is created where the last link points.
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return 0;
        std::string link(PATH_MAX, '\0');
        const ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
        if (n < 0) return errno;
        if (n == 0 || static_cast<std::size_t>(n) == link.size()) return ENAMETOOLONG;
        link.resize(static_cast<std::size_t>(n));
        const std::size_t slash = target.rfind('/');
        if (link.front() != '/' && slash != std::string::npos) link.insert(0, target, 0, slash + 1);
        target = std::move(link);
    }
    return ELOOP;
}

// A new hidden name beside the target; O_EXCL keeps a file already there safe.
int createTemporary(const std::string& target, std::string& name) {
    const std::size_t slash = target.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::string stem =
        target.substr(0, nameStart) + "." + target.substr(nameStart, KeptNameLength) + ".";
    for (int trial = 0; trial < NameTrials; ++trial) {
        std::string candidate =
            stem + std::to_string(::getpid()) + "-" + std::to_string(temporaryCount++) + ".tmp";
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) name = std::move(candidate);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

} // namespace

AtomicFileWriter::~AtomicFileWriter() { discard(); }

AtomicFileWriter::AtomicFileWriter(AtomicFileWriter&& other) noexcept { *this = std::move(other); }

AtomicFileWriter& AtomicFileWriter::operator=(AtomicFileWriter&& other) noexcept {
    if (this == &other) return *this;
    discard();
    target_ = std::move(other.target_);
    temporary_ = std::exchange(other.temporary_, {});
    buffer_ = std::exchange(other.buffer_, {});
    error_ = std::move(other.error_);
    lastByte_ = other.lastByte_;
    fd_ = std::exchange(other.fd_, -1);
    open_ = std::exchange(other.open_, false);
    finished_ = std::exchange(other.finished_, false);
    return *this;
}

bool AtomicFileWriter::open(const std::string& path, Start start) {
    discard();
    error_.clear();
    lastByte_.reset();
    open_ = true;
    if (path.empty()) return fail(ENOENT);
    if (const int e = followLinks(path, target_)) return fail(e);
    struct stat old {};
    const bool exists = ::stat(target_.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) return fail(errno);
    if (exists && S_ISDIR(old.st_mode)) return fail(EISDIR);
    fd_ = createTemporary(target_, temporary_);
    if (fd_ < 0) return fail(errno);
    // A new file has the umask's mode. Best effort: some file systems keep no modes.
    if (exists) ::fchmod(fd_, old.st_mode & 07777);
    if (!exists || start != Start::OldContent) return true;
    const int source = ::open(target_.c_str(), O_RDONLY | O_CLOEXEC);
    if (source < 0) return fail(errno);
    const bool copied = copyFrom(source);
    ::close(source);
    return copied;
}

bool AtomicFileWriter::copyFrom(int source) {
    std::string block(BufferSize, '\0');
    for (;;) {
        const ssize_t n = ::read(source, block.data(), block.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return fail(errno);
        if (n == 0) return true;
        if (!write(std::string_view(block.data(), static_cast<std::size_t>(n)))) return false;
    }
}

bool AtomicFileWriter::write(std::string_view data) {
    if (fd_ < 0) return false;
    if (data.empty()) return true;
    lastByte_ = data.back();
    if (buffer_.size() + data.size() > BufferSize && !flush()) return false;
    if (data.size() < BufferSize) {
        buffer_.append(data);
        return true;
    }
    return writeAll(fd_, data.data(), data.size()) || fail(errno);
}

bool AtomicFileWriter::flush() {
    if (!writeAll(fd_, buffer_.data(), buffer_.size())) return fail(errno);
    buffer_.clear();
    return true;
}

bool AtomicFileWriter::finish() {
    if (finished_) return true;
    if (fd_ < 0) return fail(error_.empty() ? EBADF : 0);
    if (!flush()) return false;
    // On disk before it replaces anything, so a crash leaves one whole file or the other.
    if (::fsync(fd_) != 0) return fail(errno);
    if (::close(std::exchange(fd_, -1)) != 0) return fail(errno);
    finished_ = true;
    return true;
}

bool AtomicFileWriter::commit() {
    const bool done = finish() && replaceTarget();
    open_ = false;
    if (done) syncFolder(folderOf(target_));
    return done;
}

bool AtomicFileWriter::replaceTarget() {
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) return fail(errno);
    temporary_.clear();
    open_ = finished_ = false;
    return true;
}

void AtomicFileWriter::discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    temporary_.clear();
    buffer_.clear();
    open_ = finished_ = false;
}

bool AtomicFileWriter::fail(int error) {
    if (error_.empty() && error != 0) error_ = std::strerror(error);
    const bool wasOpen = open_;
    discard();
    open_ = wasOpen;
    return false;
}

std::string AtomicFileWriter::folderOf(const std::string& file) {
    const std::size_t slash = file.rfind('/');
    return slash == std::string::npos ? "." : file.substr(0, slash + 1);
}

void AtomicFileWriter::syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

std::string AtomicFileWriter::writeFile(const std::string& path, std::string_view content) {
    AtomicFileWriter file;
    if (file.open(path) && file.write(content)) file.commit();
    return file.error();
}

} // namespace quarvelin
