// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/Startup.h"

#include "config/LanguageChoice.h"
#include "config/SettingsFile.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

#include <filesystem>
#include <fstream>

namespace quarvelin {

namespace fs = std::filesystem;

std::string settingsFile(const Locations& e) {
    return (fs::path(e.data) / "quarvelin.ini").string();
}

namespace {

bool writable(const fs::path& folder) {
    // Trying is the only sure test: permissions, read-only mounts and ACLs all have a say.
    fs::path trial = folder / ".quarvelin-ecriture";
    {
        std::ofstream f(trial);
        if (!f) return false;
    }
    std::error_code ec;
    fs::remove(trial, ec);
    return true;
}

void copyIfMissing(const fs::path& of, const fs::path& to) {
    std::error_code ec;
    if (fs::exists(to, ec) || !fs::exists(of, ec)) return;
    fs::create_directories(to.parent_path(), ec);
    fs::copy_file(of, to, ec);
    // Copied from a read-only tree: the copy must be the user's to change.
    fs::permissions(to, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
}

} // namespace

Locations settingsLocations(const std::string& programFolder, const std::string& userFolder) {
    Locations e{programFolder, programFolder};
    if (writable(programFolder) || userFolder.empty()) return e;
    e.data = userFolder;
    std::error_code ec;
    fs::create_directories(fs::path(userFolder) / "base", ec);
    const fs::path of(programFolder), to(userFolder);
    for (const char* f : {"quarvelin.ini", "base/eco.db", "base/corres.db"})
        copyIfMissing(of / f, to / f);
    return e;
}

Startup start(const Locations& e, Settings& s, Catalogue& catalogue) {
    Startup d;
    const std::string file = settingsFile(e);
    SettingsReading l = lire_reglages(file, e.data, s);
    switch (l.state) {
    case SettingsReading::State::UnknownKey:
        // The language is not known yet: the message comes by its bare number.
        d.end = true;
        d.message = unknownKeyMessage(catalogue, file, l.line);
        return d;
    case SettingsReading::State::Created:
        d.fileCreated = true;
        d.fileError = l.error;
        break;
    case SettingsReading::State::Unreadable:
        d.fileError = l.error;
        break;
    case SettingsReading::State::Parsed:
        break;
    }
    d.ignored = l.ignored;
    catalogue.appliquer_langue(s.CLE_LANGUE);
    applyLanguageDefaults(s, catalogue);
    // A new file names the player in the language it starts in.
    if (d.fileCreated && d.fileError.empty()) d.fileError = ecrire_reglages(s, file);
    s.BASE_ECO = absolutePath(s.BASE_ECO, e.data);
    s.FILE_LOG = absolutePath(s.FILE_LOG, e.data);
    s.BASE_CORRES = absolutePath(s.BASE_CORRES, e.data);
    return d;
}

} // namespace quarvelin
