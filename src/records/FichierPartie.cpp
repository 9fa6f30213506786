#include "records/FichierPartie.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace quarvelin {

namespace {

std::string pourquoi(int error) { return std::strerror(error); }

bool tout_ecrire(int fd, const char* data, std::size_t taille) {
    std::size_t fait = 0;
    while (fait < taille) {
        ssize_t n = ::write(fd, data + fait, taille - fait);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        fait += static_cast<std::size_t>(n);
    }
    return true;
}

// A new name beside the target; O_EXCL keeps a file of the user's with that name safe.
int creer_temporaire(const std::string& cible, std::string& name) {
    for (int essai = 0; essai < 100; ++essai) {
        name = cible + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(essai);
        int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

} // namespace

std::string ecrire_fichier_partie(const std::string& path, std::string_view content,
                                  bool append) {
    namespace fs = std::filesystem;
    std::error_code ec;
    // Through a link, the file it leads to is the one replaced.
    std::string cible = path;
    if (fs::is_symlink(path, ec)) {
        fs::path vrai = fs::weakly_canonical(path, ec);
        if (!ec) cible = vrai.string();
    }
    struct stat ancien {};
    const bool existe = ::stat(cible.c_str(), &ancien) == 0;
    if (existe && S_ISDIR(ancien.st_mode)) return pourquoi(EISDIR);

    std::string temp;
    int fd = creer_temporaire(cible, temp);
    if (fd < 0) return pourquoi(errno);
    auto echec = [&](int error) {
        ::close(fd);
        ::unlink(temp.c_str());
        return pourquoi(error);
    };

    if (existe) ::fchmod(fd, ancien.st_mode & 07777);
    if (append && existe) {
        int source = ::open(cible.c_str(), O_RDONLY | O_CLOEXEC);
        if (source < 0) return echec(errno);
        std::string bloc(1 << 20, '\0');
        char dernier = '\n';
        for (;;) {
            ssize_t n = ::read(source, bloc.data(), bloc.size());
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                int e = errno;
                ::close(source);
                return echec(e);
            }
            if (n == 0) break;
            dernier = bloc[static_cast<std::size_t>(n) - 1];
            if (!tout_ecrire(fd, bloc.data(), static_cast<std::size_t>(n))) {
                int e = errno;
                ::close(source);
                return echec(e);
            }
        }
        ::close(source);
        // A file whose last line has no end would glue its last game to the new one.
        if (dernier != '\n' && !tout_ecrire(fd, "\r\n", 2)) return echec(errno);
    }
    if (!tout_ecrire(fd, content.data(), content.size())) return echec(errno);
    // On disk before it replaces the old file, so a crash leaves one whole file or the other.
    if (::fsync(fd) != 0) return echec(errno);
    if (::close(fd) != 0) {
        int e = errno;
        ::unlink(temp.c_str());
        return pourquoi(e);
    }
    if (::rename(temp.c_str(), cible.c_str()) != 0) {
        int e = errno;
        ::unlink(temp.c_str());
        return pourquoi(e);
    }
    return {};
}

std::string lignes_crlf(std::string_view text) {
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
