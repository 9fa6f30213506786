// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/GameSession.h"

#include "notation/Fen.h"

#include <algorithm>

namespace quarvelin {

const std::array<const char*, SoundCount> SoundFileNames = {"erreur.wav",
                                                            "mat.wav",
                                                            "up.wav",
                                                            "down.wav",
                                                            "",
                                                            "connect.wav",
                                                            "dring.wav",
                                                            "",
                                                            "comportement.wav",
                                                            "mauvais.wav",
                                                            "je-suis-faible.wav",
                                                            "raisonable.wav",
                                                            "commencer.wav",
                                                            "beau-ca.wav",
                                                            ""};

int GameSession::moveCount() const {
    return static_cast<int>(std::count_if(shortTexts.begin(), shortTexts.end(),
                                          [](const std::string& t) { return !t.empty(); }));
}

void enregistrer_position(GameSession& s, const Position& p) {
    auto i = static_cast<std::size_t>(s.PositionIndex);
    if (s.PositionHistory.size() <= i) {
        s.PositionHistory.resize(i + 1);
        s.PositionStates.resize(i + 1);
        s.MoveCountRaises.resize(i + 1);
    }
    s.PositionHistory[i] = positionKey(p);
    s.PositionStates[i] = p;
    s.MoveCountRaises[i] = s.MoveCountRaise;
    ++s.PositionIndex;
}

int compter_repetitions(const GameSession& s) {
    if (s.PositionIndex < 1) return 0;
    const std::string& key = s.PositionHistory[static_cast<std::size_t>(s.PositionIndex - 1)];
    return static_cast<int>(std::count(s.PositionHistory.begin(),
                                       s.PositionHistory.begin() + (s.PositionIndex - 1), key));
}

bool isBlackLine(const std::string& line) { return line.find("...") != std::string::npos; }

std::string trimmed(const std::string& s) {
    auto a = s.find_first_not_of(' ');
    if (a == std::string::npos) return {};
    auto b = s.find_last_not_of(' ');
    return s.substr(a, b - a + 1);
}

std::string trimmedBlanks(const std::string& s) {
    constexpr const char* Blanks = " \t\r\n\f\v";
    auto a = s.find_first_not_of(Blanks);
    if (a == std::string::npos) return {};
    return s.substr(a, s.find_last_not_of(Blanks) - a + 1);
}

std::string textOfLine(const std::string& line) {
    std::string t = line;
    if (t.starts_with(BlackPrefix)) t.erase(0, std::string_view(BlackPrefix).size());
    return trimmed(t);
}

} // namespace quarvelin
