// SPDX-License-Identifier: GPL-3.0-or-later
#include "tournament/Crosstable.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>

namespace quarvelin {

namespace {

double elo(double fraction) { return -400.0 * std::log10(1.0 / fraction - 1.0); }

std::string fixed(double v, int decimals) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, v);
    return buffer;
}

// Width in characters, not bytes: names and headers may be in any script.
std::size_t width(const std::string& s) {
    return static_cast<std::size_t>(
        std::count_if(s.begin(), s.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::string padRight(const std::string& s, std::size_t w) {
    return s + std::string(w > width(s) ? w - width(s) : 0, ' ');
}
std::string padLeft(const std::string& s, std::size_t w) {
    return std::string(w > width(s) ? w - width(s) : 0, ' ') + s;
}

} // namespace

std::optional<EloEstimate> eloEstimate(int wins, int draws, int losses) {
    const int n = wins + draws + losses;
    if (n == 0) return std::nullopt;
    const double score = (wins + 0.5 * draws) / n;
    if (score <= 0 || score >= 1) return std::nullopt;
    // The standard deviation of one game's result, then of the mean over n games.
    const double variance = (wins * std::pow(1 - score, 2) + draws * std::pow(0.5 - score, 2) +
                             losses * std::pow(score, 2)) /
                            n;
    const double spread = 1.959964 * std::sqrt(variance / n);
    const double low = std::max(score - spread, 1e-6), high = std::min(score + spread, 1 - 1e-6);
    return EloEstimate{elo(score), (elo(high) - elo(low)) / 2};
}

std::string eloText(const std::optional<EloEstimate>& e) {
    if (!e) return "-";
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%+ld ±%ld", std::lround(e->difference),
                  std::lround(e->margin));
    // No sign for an even score.
    return buffer[1] == '0' && buffer[2] == ' ' ? buffer + 1 : buffer;
}

Crosstable::Crosstable(std::vector<std::string> players)
    : players_(std::move(players)),
      points_(players_.size(), std::vector<double>(players_.size(), 0)),
      count_(players_.size(), std::vector<int>(players_.size(), 0)), wins_(players_.size()),
      draws_(players_.size()), losses_(players_.size()) {}

void Crosstable::add(int white, int black, const std::string& result) {
    const auto w = static_cast<std::size_t>(white), b = static_cast<std::size_t>(black);
    const double whitePoints = result == "1-0" ? 1 : result == "0-1" ? 0 : 0.5;
    points_[w][b] += whitePoints;
    points_[b][w] += 1 - whitePoints;
    ++count_[w][b];
    ++count_[b][w];
    if (whitePoints == 1) {
        ++wins_[w];
        ++losses_[b];
    } else if (whitePoints == 0) {
        ++wins_[b];
        ++losses_[w];
    } else {
        ++draws_[w];
        ++draws_[b];
    }
    ++games_;
}

std::vector<Crosstable::Row> Crosstable::rows() const {
    std::vector<Row> out;
    for (std::size_t i = 0; i < players_.size(); ++i) {
        Row r;
        r.player = static_cast<int>(i);
        r.name = players_[i];
        r.wins = wins_[i];
        r.draws = draws_[i];
        r.losses = losses_[i];
        r.games = r.wins + r.draws + r.losses;
        r.points = std::accumulate(points_[i].begin(), points_[i].end(), 0.0);
        r.percent = r.games ? 100.0 * r.points / r.games : 0;
        r.elo = eloEstimate(r.wins, r.draws, r.losses);
        r.gamesAgainst = count_[i];
        for (std::size_t j = 0; j < players_.size(); ++j)
            r.against.push_back(i == j ? std::nullopt : std::optional<double>(points_[i][j]));
        out.push_back(std::move(r));
    }
    std::stable_sort(out.begin(), out.end(), [](const Row& a, const Row& b) {
        return a.points != b.points ? a.points > b.points : a.wins > b.wins;
    });
    return out;
}

std::string Crosstable::text(const std::string& player, const std::string& games,
                             const std::string& points, const std::string& score,
                             const std::string& elo) const {
    const auto table = rows();
    std::size_t nameWidth = width(player);
    for (const auto& r : table) nameWidth = std::max(nameWidth, width(r.name));
    const std::size_t gamesWidth = std::max<std::size_t>(width(games), 5);
    const std::size_t pointsWidth = std::max<std::size_t>(width(points), 6);
    const std::size_t scoreWidth = std::max<std::size_t>(width(score), 6);
    const std::size_t eloWidth = std::max<std::size_t>(width(elo), 10);
    std::string out = "  # " + padRight(player, nameWidth) + "  " + padLeft(games, gamesWidth) +
                      "  " + padLeft(points, pointsWidth) + "  " + padLeft(score, scoreWidth) +
                      "  " + padLeft(elo, eloWidth);
    for (std::size_t k = 1; k <= table.size(); ++k) out += padLeft(std::to_string(k), 6);
    out += '\n';
    for (std::size_t k = 0; k < table.size(); ++k) {
        const Row& r = table[k];
        out += padLeft(std::to_string(k + 1), 3) + ' ' + padRight(r.name, nameWidth) + "  " +
               padLeft(std::to_string(r.games), gamesWidth) + "  " +
               padLeft(fixed(r.points, 1), pointsWidth) + "  " +
               padLeft(fixed(r.percent, 1) + "%", scoreWidth) + "  " +
               padLeft(eloText(r.elo), eloWidth);
        for (const Row& other : table) {
            const auto& p = r.against[static_cast<std::size_t>(other.player)];
            out += padLeft(p ? fixed(*p, 1) : "·", 6);
        }
        out += '\n';
    }
    return out;
}

} // namespace quarvelin
