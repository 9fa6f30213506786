// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Message boxes, questions and input boxes, reached by the logic through this interface so that
// the windows implement it with Qt and the tests with scripted answers.
#include <string>

namespace quarvelin {

enum class DialogIcon { Information, Exclamation, Critical, Question };
enum class SaveChoice { Save, Discard, Cancel };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual void message(const std::string& title, const std::string& text, DialogIcon icon) = 0;
    // Yes/No question; true for Yes.
    virtual bool question(const std::string& title, const std::string& text) = 0;
    // Returns the typed text, or the default when the box is cancelled.
    virtual std::string input(const std::string& title, const std::string& prompt,
                              const std::string& fallback) = 0;
    // Work about to be dropped: save it first, drop it, or keep things as they are. Where only
    // yes and no can be asked, yes drops it.
    virtual SaveChoice saveDiscardCancel(const std::string& title, const std::string& text) {
        return question(title, text) ? SaveChoice::Discard : SaveChoice::Cancel;
    }
};

} // namespace quarvelin
