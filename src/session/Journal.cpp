#include "session/Journal.h"

#include <ctime>
#include <fstream>

namespace quarvelin {

void ajouter_au_journal(const std::string& path, const std::string& line) {
    if (path.empty()) return;
    std::ofstream f(path, std::ios::app | std::ios::binary);
    if (f) f << line << '\n';
}

namespace {
std::string maintenant(const char* format) {
    std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    char buf[32];
    std::strftime(buf, sizeof buf, format, &local);
    return buf;
}
} // namespace

std::string date_du_jour() { return maintenant("%d/%m/%Y"); }
std::string heure_actuelle() { return maintenant("%H:%M:%S"); }

} // namespace quarvelin
