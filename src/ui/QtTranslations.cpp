// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// Qt's file for each language, in the order of CLE_LANGUE; Portuguese is only shipped as
// Brazil's.
constexpr const char* QtLanguages[] = {"fr", "en", "it", "es", "de", "pt_BR", "ru", "pl"};

} // namespace

QtTranslations::QtTranslations() = default;

QtTranslations::~QtTranslations() {
    if (translator_) QCoreApplication::removeTranslator(translator_.get());
}

bool QtTranslations::apply(int languageKey) {
    const int key = languageKey >= 1 && languageKey <= 8 ? languageKey : 2;
    if (key == applied_) return translator_ != nullptr;
    applied_ = key;
    if (translator_) QCoreApplication::removeTranslator(translator_.get());
    translator_ = std::make_unique<QTranslator>();
    if (!translator_->load(QStringLiteral("qtbase_") + QLatin1String(QtLanguages[key - 1]),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        translator_.reset();
        return false;
    }
    QCoreApplication::installTranslator(translator_.get());
    return true;
}
