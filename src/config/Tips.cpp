// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/Tips.h"

#include "localisation/Catalogue.h"

#include <QSettings>

#include <algorithm>
#include <cmath>
#include <fstream>

namespace quarvelin {

namespace {

const QString OptionKey = QStringLiteral("Options/Show Tips at Startup");

bool blank(const std::string& line) {
    return std::all_of(line.begin(), line.end(),
                       [](unsigned char c) { return c == ' ' || c == '\t' || c == '\r'; });
}

} // namespace

std::string Tips::fileFor(const std::string& installation, int languageKey) {
    return installation + "/tips/" + Catalogue::fileName(languageKey);
}

std::string Tips::missingFileText(const TextCatalogue& catalogue, const std::string& path) {
    return catalogue.text(TextKey::NoTips) + "\n" + catalogue.text(TextKey::TipsFileMissing) +
           "\n" + catalogue.text(TextKey::ExpectedFile) + path;
}

bool Tips::load(const std::string& path) {
    tips_.clear();
    current_ = 0;
    std::ifstream in(path, std::ios::binary);
    return in && read(in);
}

bool Tips::read(std::istream& in) {
    tips_.clear();
    current_ = 0;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        // A byte-order mark some editors write would show as a stray sign.
        if (tips_.empty() && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
        if (!blank(line)) tips_.push_back(line);
    }
    return !in.bad();
}

const std::string* Tips::pick(double r) {
    if (tips_.empty()) return nullptr;
    const auto n = static_cast<double>(tips_.size());
    current_ = static_cast<int>(std::clamp(std::floor(n * r), 0.0, n - 1)) + 1;
    return &tips_[static_cast<std::size_t>(current_ - 1)];
}

TipsOption::TipsOption()
    : store_(
          std::make_unique<QSettings>(QStringLiteral("Quarvelin"), QStringLiteral("Quarvelin"))) {}

TipsOption::TipsOption(const std::string& file)
    : store_(std::make_unique<QSettings>(QString::fromStdString(file), QSettings::IniFormat)) {}

TipsOption::~TipsOption() = default;

bool TipsOption::showAtStartup() const { return store_->value(OptionKey, 1).toInt() != 0; }

void TipsOption::setShowAtStartup(bool show) {
    store_->setValue(OptionKey, show ? 1 : 0);
    store_->sync();
}

} // namespace quarvelin
