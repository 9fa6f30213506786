// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Scripted stand-ins for the user-facing interfaces.
#include "localisation/Dialogs.h"
#include "localisation/TextCatalogue.h"

#include <map>
#include <string>
#include <vector>

namespace quarvelin::test {

class RecordingDialogs : public Dialogs {
public:
    struct Shown {
        std::string title, text;
        DialogIcon icon;
    };
    std::vector<Shown> messages;
    bool answer = true;

    void message(const std::string& title, const std::string& text, DialogIcon icon) override {
        messages.push_back({title, text, icon});
    }
    bool question(const std::string&, const std::string&) override { return answer; }
    // The texts of the messages shown, in order.
    std::vector<std::string> shown() const {
        std::vector<std::string> texts;
        for (const auto& m : messages) texts.push_back(m.text);
        return texts;
    }
    std::string input(const std::string&, const std::string&, const std::string& d) override {
        return d;
    }
};

// Texts named by offset, so a test sees which text was asked for.
class OffsetCatalogue : public TextCatalogue {
public:
    using TextCatalogue::text;
    std::string text(TextKey key) const override {
        std::string t = "<";
        t.append(std::to_string(offsetOf(key))).push_back('>');
        return t;
    }
};

} // namespace quarvelin::test
