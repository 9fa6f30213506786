// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tournament's table: points of each player against each other, score and the Elo
// difference each player's score means against the rest of the field.
#include <optional>
#include <string>
#include <vector>

namespace quarvelin {

// The Elo difference a score fraction means, and half its 95% interval from the spread of
// the game results; nothing for a score of 0% or 100% (the difference has no bound).
struct EloEstimate {
    double difference = 0;
    double margin = 0;
};
// Results per game as 1, 0.5 and 0: wins, draws, losses.
std::optional<EloEstimate> eloEstimate(int wins, int draws, int losses);

class Crosstable {
public:
    explicit Crosstable(std::vector<std::string> players);

    // A finished game: "1-0", "0-1" or "1/2-1/2" between players white and black.
    void add(int white, int black, const std::string& result);

    struct Row {
        int player = 0; // index in the players' order
        std::string name;
        int games = 0, wins = 0, draws = 0, losses = 0;
        double points = 0;
        double percent = 0;
        std::optional<EloEstimate> elo;
        std::vector<std::optional<double>> against; // points against each player; none for self
        std::vector<int> gamesAgainst;
    };
    // Best first (points, then wins, then the players' order).
    std::vector<Row> rows() const;
    int games() const { return games_; }
    const std::vector<std::string>& players() const { return players_; }

    // The table as text, one player a line, columns aligned: rank, name, games, points,
    // score, Elo with its margin, then the points against each player by rank.
    std::string text(const std::string& player, const std::string& games, const std::string& points,
                     const std::string& score, const std::string& elo) const;

private:
    std::vector<std::string> players_;
    std::vector<std::vector<double>> points_; // [player][opponent]
    std::vector<std::vector<int>> count_;
    std::vector<int> wins_, draws_, losses_;
    int games_ = 0;
};

// "+137 ±45", or "-" without an estimate.
std::string eloText(const std::optional<EloEstimate>& e);

} // namespace quarvelin
