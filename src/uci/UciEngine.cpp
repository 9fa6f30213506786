// SPDX-License-Identifier: GPL-3.0-or-later
#include "uci/UciEngine.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>
#include <sstream>

namespace quarvelin {

namespace {

using Clock = std::chrono::steady_clock;

// An engine that writes without end must not grow a line forever.
constexpr qint64 LongestLine = 64 * 1024;

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

bool number(const std::string& text, int& out) {
    if (text.empty() || text.size() > 9) return false;
    std::size_t start = text[0] == '-' ? 1 : 0;
    if (start == text.size() || text.find_first_not_of("0123456789", start) != std::string::npos)
        return false;
    out = std::stoi(text);
    return true;
}

} // namespace

struct UciEngine::Process {
    QProcess process;
};

UciEngine::UciEngine(std::chrono::milliseconds answer, std::chrono::milliseconds search)
    : answer_(answer), search_(search) {}

UciEngine::~UciEngine() { stop(); }

bool UciEngine::fail(UciProblem p) {
    problem_ = p;
    if (process_) {
        process_->process.kill();
        process_->process.waitForFinished(1000);
        process_.reset();
    }
    return false;
}

bool UciEngine::running() const {
    return process_ && process_->process.state() == QProcess::Running;
}

bool UciEngine::start(const std::string& commandLine) {
    stop();
    problem_ = UciProblem::None;
    command_ = commandLine;
    name_ = commandLine;
    options_.clear();
    multiPv_ = 1;
    QStringList parts = QProcess::splitCommand(QString::fromStdString(commandLine));
    if (parts.isEmpty()) return fail(UciProblem::CannotStart);
    process_ = std::make_unique<Process>();
    QProcess& p = process_->process;
    // The engine's own messages on standard error are none of ours.
    p.setStandardErrorFile(QProcess::nullDevice());
    QString program = parts.takeFirst();
    // Debian installs its engines in /usr/games, which a desktop session's PATH may lack.
    if (!program.contains('/') && QStandardPaths::findExecutable(program).isEmpty()) {
        QString games = QStandardPaths::findExecutable(program, {QStringLiteral("/usr/games")});
        if (!games.isEmpty()) program = games;
    }
    p.start(program, parts);
    if (!p.waitForStarted(static_cast<int>(answer_.count()))) return fail(UciProblem::CannotStart);
    if (!send("uci")) return false;
    std::vector<std::string> before;
    if (!waitFor("uciok", Clock::now() + answer_, nullptr, &before)) return false;
    for (const std::string& line : before) {
        if (line.starts_with("id name ")) name_ = line.substr(8);
        if (line.starts_with("option name ")) {
            auto end = line.find(" type ");
            options_.push_back(line.substr(12, end == std::string::npos ? end : end - 12));
        }
    }
    return send("isready") && waitFor("readyok", Clock::now() + answer_);
}

void UciEngine::stop() {
    if (!process_) return;
    QProcess& p = process_->process;
    if (p.state() == QProcess::Running) {
        p.write("quit\n");
        p.waitForBytesWritten(200);
        if (!p.waitForFinished(1000)) {
            p.kill();
            p.waitForFinished(1000);
        }
    }
    process_.reset();
}

bool UciEngine::hasOption(const std::string& name) const {
    return std::find(options_.begin(), options_.end(), name) != options_.end();
}

bool UciEngine::send(const std::string& line) {
    if (!running()) return fail(UciProblem::Stopped);
    const std::string text = line + '\n';
    QProcess& p = process_->process;
    if (p.write(text.data(), static_cast<qint64>(text.size())) < 0)
        return fail(UciProblem::Stopped);
    p.waitForBytesWritten(static_cast<int>(answer_.count()));
    return true;
}

bool UciEngine::waitFor(const std::string& word, Clock::time_point deadline, std::string* found,
                        std::vector<std::string>* before) {
    if (!process_) return fail(UciProblem::Stopped);
    QProcess& p = process_->process;
    for (;;) {
        while (p.canReadLine() || p.bytesAvailable() > LongestLine) {
            QByteArray raw = p.readLine(LongestLine);
            std::string line = raw.trimmed().toStdString();
            if (line == word || line.starts_with(word + ' ')) {
                if (found) *found = line;
                return true;
            }
            if (before && !line.empty()) before->push_back(line);
            if (Clock::now() >= deadline) return fail(UciProblem::NoAnswer);
        }
        if (p.state() != QProcess::Running) return fail(UciProblem::Stopped);
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) return fail(UciProblem::NoAnswer);
        p.waitForReadyRead(static_cast<int>(std::min<long long>(left.count(), 200)));
    }
}

bool UciEngine::setOption(const std::string& name, const std::string& value) {
    return send("setoption name " + name + " value " + value);
}

bool UciEngine::setOption(const std::string& nameAndValue) {
    auto eq = nameAndValue.find('=');
    if (eq == std::string::npos || eq == 0) return false;
    return setOption(nameAndValue.substr(0, eq), nameAndValue.substr(eq + 1));
}

bool UciEngine::newGame() {
    return send("ucinewgame") && send("isready") && waitFor("readyok", Clock::now() + answer_);
}

UciScore UciEngine::parseScore(const std::string& infoLine) {
    auto w = words(infoLine);
    UciScore s;
    for (std::size_t i = 0; i + 2 < w.size(); ++i)
        if (w[i] == "score" && (w[i + 1] == "cp" || w[i + 1] == "mate")) {
            if (!number(w[i + 2], s.value)) return {};
            s.known = true;
            s.mate = w[i + 1] == "mate";
            return s;
        }
    return s;
}

std::optional<UciResult> UciEngine::search(const std::string& fen,
                                           const std::vector<std::string>& moves,
                                           const UciLimits& limits) {
    int lines = std::max(1, limits.multiPv);
    if (lines != multiPv_) {
        if (!setOption("MultiPV", std::to_string(lines))) return std::nullopt;
        multiPv_ = lines;
    }
    std::string position = "position fen " + fen;
    if (!moves.empty()) {
        position += " moves";
        for (const std::string& m : moves) position += ' ' + m;
    }
    std::string go = "go";
    auto limit = search_;
    if (limits.depth > 0) {
        go += " depth " + std::to_string(limits.depth);
    } else if (limits.movetimeMs > 0) {
        go += " movetime " + std::to_string(limits.movetimeMs);
        limit = std::chrono::milliseconds(limits.movetimeMs) + answer_;
    } else {
        go += " depth 1";
    }
    if (!limits.searchMoves.empty()) {
        go += " searchmoves";
        for (const std::string& m : limits.searchMoves) go += ' ' + m;
    }
    if (!send(position) || !send(go)) return std::nullopt;

    std::string last;
    std::vector<std::string> info;
    if (!waitFor("bestmove", Clock::now() + limit, &last, &info)) return std::nullopt;
    return readResult(info, last, lines);
}

UciResult UciEngine::readResult(const std::vector<std::string>& info, const std::string& last,
                                int lines) {
    lines = std::clamp(lines, 1, 500);
    UciResult r;
    auto bw = words(last);
    if (bw.size() >= 2 && bw[1] != "(none)" && bw[1] != "0000") r.bestMove = bw[1];
    if (bw.size() >= 4 && bw[2] == "ponder") r.ponder = bw[3];
    r.lines.resize(static_cast<std::size_t>(lines));
    for (const std::string& line : info) {
        // Free text may say anything, "score" included.
        if (!line.starts_with("info ") || line.starts_with("info string")) continue;
        auto w = words(line);
        int rank = 1, depth = 0;
        std::string first;
        bool bound = false;
        for (std::size_t i = 1; i < w.size(); ++i) {
            if (w[i] == "multipv" && i + 1 < w.size()) number(w[i + 1], rank);
            if (w[i] == "depth" && i + 1 < w.size()) number(w[i + 1], depth);
            if (w[i] == "lowerbound" || w[i] == "upperbound") bound = true;
            if (w[i] == "pv" && i + 1 < w.size()) first = w[i + 1];
        }
        UciScore score = parseScore(line);
        if (!score.known || rank < 1 || rank > lines) continue;
        UciLine& l = r.lines[static_cast<std::size_t>(rank - 1)];
        // A bound only stands in until an exact score arrives.
        if (bound && l.score.known) continue;
        l.score = score;
        l.depth = depth;
        if (!first.empty()) l.move = first;
    }
    while (!r.lines.empty() && !r.lines.back().score.known) r.lines.pop_back();
    if (!r.lines.empty()) {
        r.score = r.lines.front().score;
        r.depth = r.lines.front().depth;
    }
    return r;
}

} // namespace quarvelin
