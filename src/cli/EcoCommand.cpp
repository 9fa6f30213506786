// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/EcoCommand.h"

#include "config/Startup.h"
#include "localisation/Catalogue.h"
#include "openings/EcoCsv.h"
#include "openings/ImportEco.h"
#include "openings/OpeningBase.h"
#include "openings/OpeningLearning.h"

#include <QCoreApplication>
#include <QStandardPaths>

#include <fstream>
#include <sstream>

namespace quarvelin {

std::string desktopOpeningBase(const std::string& programFolder) {
    // The folder names the desktop program gives itself, for the same data folder.
    QCoreApplication::setOrganizationName(QStringLiteral("Quarvelin"));
    QCoreApplication::setApplicationName(QStringLiteral("Quarvelin"));
    const Locations places = settingsLocations(
        programFolder,
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString());
    Settings settings;
    Catalogue catalogue;
    start(places, settings, catalogue);
    return settings.BASE_ECO;
}

int ecoCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               const TextCatalogue& catalogue, const std::string& programFolder) {
    auto usage = [&](TextKey key, const std::string& detail) {
        err << "quarvelin-cli: " << catalogue.text(key) << detail << '\n';
        return 2;
    };
    auto failure = [&](const std::string& message) {
        err << "quarvelin-cli: " << message << '\n';
        return 1;
    };
    std::vector<std::string> plain;
    std::string basePath;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--base") {
            if (i + 1 == args.size()) return usage(TextKey::MissingArgument, "--base");
            basePath = args[++i];
        } else if (args[i].starts_with("--")) {
            return usage(TextKey::UnknownArgument, args[i]);
        } else {
            plain.push_back(args[i]);
        }
    }
    if (plain.empty()) return usage(TextKey::MissingArgument, "learn|export|import|name");
    const std::string& action = plain[0];
    if (action != "learn" && action != "export" && action != "import" && action != "name")
        return usage(TextKey::UnknownArgument, action);
    if (plain.size() < 2) return usage(TextKey::MissingArgument, action);
    if (plain.size() > 2) return usage(TextKey::UnknownArgument, plain[2]);
    const std::string& operand = plain[1];
    if (basePath.empty()) basePath = desktopOpeningBase(programFolder);

    const auto access = action == "learn" || action == "import" ? OpeningBase::Access::Write
                                                                : OpeningBase::Access::Read;
    OpeningBase base;
    if (!base.open(basePath, access))
        return failure(catalogue.text(TextKey::FileUnreadable) + basePath + " (" + base.error() +
                       ")");

    if (action == "name") {
        const std::string line = replayLine(operand);
        if (line.empty()) return failure(catalogue.text(TextKey::EcoMoveUnreadable, {operand}));
        const std::string text = line.substr(0, line.size() - 2); // without " *"
        auto opening = base.openingOfGame(text);
        if (!opening) return failure(catalogue.text(TextKey::EcoNoLineFollows));
        out << opening->code << '\t' << opening->label << '\n';
        return 0;
    }
    if (action == "export") {
        std::string error;
        long long n = exporter_csv(base, operand, error);
        if (n < 0) return failure(catalogue.text(TextKey::CannotOpenFile) + operand + " " + error);
        out << "rows " << n << '\n';
        return 0;
    }
    std::ifstream in(operand, std::ios::binary);
    if (!in) return failure(catalogue.text(TextKey::FileUnreadable) + operand);
    if (action == "learn") {
        in.seekg(0, std::ios::end);
        const auto size = static_cast<std::uint64_t>(std::max<std::streamoff>(0, in.tellg()));
        in.seekg(0);
        PgnLearning r = learnPgn(base, in, size);
        if (!r.error.empty())
            return failure(catalogue.text(TextKey::BaseOperationFailed, {r.error}));
        out << "games " << r.games << " skipped " << r.skipped << " added " << r.added << '\n';
        return 0;
    }
    std::ostringstream content;
    content << in.rdbuf();
    CsvReading read = readEcoCsv(content.str());
    if (read.problem == CsvProblem::MissingField)
        return failure(catalogue.text(TextKey::CsvMissingField, {read.field}));
    if (!read.ok()) {
        std::string why = read.problem == CsvProblem::UnclosedQuote
                              ? catalogue.text(TextKey::CsvUnclosedQuote)
                              : catalogue.text(TextKey::CsvNumberExpected, {read.field});
        return failure(
            catalogue.text(TextKey::CsvLineRefused, {std::to_string(read.lineNumber), why}));
    }
    if (!base.replaceAll(read.lines))
        return failure(catalogue.text(TextKey::BaseOperationFailed, {base.error()}));
    out << "rows " << read.lines.size() << '\n';
    return 0;
}

} // namespace quarvelin
