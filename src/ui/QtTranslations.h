// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Qt's own texts (the standard buttons of message boxes, the file chooser's captions) in the
// interface language, loaded again whenever the language changes.
#include <memory>

class QTranslator;

class QtTranslations {
public:
    QtTranslations();
    ~QtTranslations();
    QtTranslations(const QtTranslations&) = delete;
    QtTranslations& operator=(const QtTranslations&) = delete;

    // CLE_LANGUE 1..8; any other key is English. False when Qt has no translation for it.
    bool apply(int languageKey);

private:
    std::unique_ptr<QTranslator> translator_;
    int applied_ = 0;
};
