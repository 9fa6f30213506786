// SPDX-License-Identifier: GPL-3.0-or-later
#include "openings/OpeningLearning.h"

#include "notation/MoveReader.h"
#include "notation/MoveText.h"
#include "notation/PgnStream.h"
#include "openings/OpeningBase.h"
#include "rules/MoveRules.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <string_view>
#include <vector>

namespace quarvelin {

namespace {

constexpr int LearnedHalfMoves = 12; // the first six moves
// Rows per transaction: each commit writes every index page it touched again, so few of them;
// the run's page cache holds what one transaction changes.
constexpr long long RowsPerTransaction = 1'000'000;
constexpr int RunCacheKiB = 256 * 1024;

std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string trimmed(const std::string& s) {
    auto a = s.find_first_not_of(" \t");
    if (a == std::string::npos) return {};
    auto b = s.find_last_not_of(" \t");
    return s.substr(a, b - a + 1);
}

} // namespace

std::string gameTextUpTo(const std::string& text, int halfMoves) {
    if (halfMoves <= 0) return {};
    int seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != ' ') continue;
        if (++seen == halfMoves) return text.substr(0, i);
    }
    return text;
}

namespace {

// The lines of a run as a tree of the tokens read: a game along moves already met walks it
// without reading a move or writing SAN again. A node's line is its path's texts joined.
class LineTree {
public:
    struct Node {
        std::string token; // as the file writes it
        std::string text;  // as the line writes it: "2.Nf3", "Nc6"
        Move move;         // from the parent's position
        std::uint32_t parent = 0;
    };

    LineTree() { clear(); }
    const Node& node(std::uint32_t id) const { return nodes_[id]; }
    std::size_t size() const { return nodes_.size(); }

    // The child reached by a token; 0 when not met yet.
    std::uint32_t child(std::uint32_t at, std::string_view token) const {
        const std::uint64_t h = hash(at, token);
        for (std::size_t i = h & mask_;; i = (i + 1) & mask_) {
            const Slot& s = slots_[i];
            if (s.node == 0) return 0;
            if (s.hash == h && s.parent == at && nodes_[s.node].token == token) return s.node;
        }
    }
    std::uint32_t add(std::uint32_t at, std::string_view token, std::string text,
                      const Move& move) {
        const auto id = static_cast<std::uint32_t>(nodes_.size());
        nodes_.push_back({std::string(token), std::move(text), move, at});
        if (2 * nodes_.size() > slots_.size()) grow();
        place({hash(at, token), id, at});
        return id;
    }
    std::string line(std::uint32_t at) const {
        const Node* path[LearnedHalfMoves];
        int n = 0;
        for (; at != 0 && n < LearnedHalfMoves; at = nodes_[at].parent) path[n++] = &nodes_[at];
        std::string out;
        while (n > 0) {
            out += path[--n]->text;
            out += ' ';
        }
        return out + '*';
    }
    void clear() {
        nodes_.assign(1, Node{});
        slots_.assign(1 << 12, Slot{});
        mask_ = slots_.size() - 1;
    }

private:
    // Open addressing with the hash kept beside the node: a lookup reads one run of slots, not
    // a chain of allocations.
    struct Slot {
        std::uint64_t hash = 0;
        std::uint32_t node = 0; // 0: empty
        std::uint32_t parent = 0;
    };
    static std::uint64_t hash(std::uint32_t at, std::string_view token) {
        return std::hash<std::string_view>{}(token) ^ (std::uint64_t{at} * 0x9E3779B97F4A7C15ULL);
    }
    void place(Slot slot) {
        std::size_t i = slot.hash & mask_;
        while (slots_[i].node != 0) i = (i + 1) & mask_;
        slots_[i] = slot;
    }
    void grow() {
        std::vector<Slot> old(2 * slots_.size());
        old.swap(slots_);
        mask_ = slots_.size() - 1;
        for (const Slot& s : old)
            if (s.node != 0) place(s);
    }
    std::vector<Node> nodes_;
    std::vector<Slot> slots_;
    std::size_t mask_ = 0;
};

// Whether a line is in the base: the hashes of its lines of at most six moves, so a line whose
// hash is missing is surely new; a hash met is confirmed by the base itself.
class KnownLines {
public:
    explicit KnownLines(std::size_t kept) : slots_(1 << 12, 0), kept_(kept) {}

    // The reason when the base cannot be read.
    std::string load(const QSqlDatabase& db) {
        QSqlQuery all(db);
        all.setForwardOnly(true);
        if (!all.exec(
                QStringLiteral("SELECT Eco_coup FROM ECO WHERE substr(Eco_coup, -2) = ' *' AND "
                               "length(Eco_coup) - length(replace(Eco_coup, ' ', '')) <= %1")
                    .arg(LearnedHalfMoves)))
            return all.lastError().text().toStdString();
        while (all.next()) note(all.value(0).toString().toStdString());
        return {};
    }
    bool contains(const OpeningBase& base, const std::string& line) const {
        if (complete_ && !find(hash(line))) return false;
        return base.hasLine(line);
    }
    void note(const std::string& line) {
        if (!complete_) return;
        if (count_ >= kept_) {
            complete_ = false; // the base answers from now on
            slots_ = {};
            return;
        }
        const std::uint64_t h = hash(line);
        if (find(h)) return;
        if (2 * ++count_ > slots_.size()) {
            std::vector<std::uint64_t> old(2 * slots_.size(), 0);
            old.swap(slots_);
            for (std::uint64_t k : old)
                if (k != 0) place(k);
        }
        place(h);
    }

private:
    // Open addressing over the hashes themselves, 0 marking an empty slot.
    static std::uint64_t hash(const std::string& line) {
        return std::max<std::uint64_t>(1, std::hash<std::string>{}(line));
    }
    bool find(std::uint64_t h) const {
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = h & mask; slots_[i] != 0; i = (i + 1) & mask)
            if (slots_[i] == h) return true;
        return false;
    }
    void place(std::uint64_t h) {
        const std::size_t mask = slots_.size() - 1;
        std::size_t i = h & mask;
        while (slots_[i] != 0) i = (i + 1) & mask;
        slots_[i] = h;
    }
    std::vector<std::uint64_t> slots_;
    std::size_t kept_;
    std::size_t count_ = 0;
    bool complete_ = true;
};

// Settings of the connection for the run, put back as they were when it ends: a page cache
// that holds a transaction's changes, and no flush to the disk at the commits in between. The
// last commit is made once they are back, so the run ends on the disk whole.
class RunSettings {
public:
    explicit RunSettings(const QSqlDatabase& db) : db_(db) {
        cache_ = value("cache_size");
        synchronous_ = value("synchronous");
        set("cache_size", QString::number(-RunCacheKiB));
        set("synchronous", QStringLiteral("OFF"));
    }
    ~RunSettings() { restore(); }
    void restore() {
        if (cache_.isEmpty()) return;
        set("cache_size", cache_);
        set("synchronous", synchronous_);
        cache_.clear();
    }

private:
    QString value(const char* name) {
        QSqlQuery q(db_);
        return q.exec(QStringLiteral("PRAGMA %1").arg(QLatin1String(name))) && q.next()
                   ? q.value(0).toString()
                   : QString();
    }
    void set(const char* name, const QString& v) {
        QSqlQuery(db_).exec(QStringLiteral("PRAGMA %1 = %2").arg(QLatin1String(name), v));
    }
    QSqlDatabase db_;
    QString cache_, synchronous_;
};

} // namespace

PgnLearning learnPgn(OpeningBase& base, std::istream& in, std::uint64_t size,
                     const LearningProgress& progress, const LearningMemory& memory) {
    PgnLearning r;
    PgnStream stream(in);
    stream.keepMoves(LearnedHalfMoves);
    PgnGame game;
    std::string code;
    QSqlDatabase db = QSqlDatabase::database(base.connectionName(), false);
    KnownLines known(memory.hashes);
    // Additions of a few thousand games share one transaction: SQLite then locks the file
    // once for them, not once a row.
    if (!db.isOpen()) {
        r.error = base.error().empty() ? db.lastError().text().toStdString() : base.error();
        return r;
    }
    RunSettings settings(db); // outside a transaction, where SQLite takes them
    if (!db.transaction()) {
        r.error = db.lastError().text().toStdString();
        return r;
    }
    if (r.error = known.load(db); !r.error.empty()) {
        db.rollback();
        return r;
    }
    QSqlQuery insert(db);
    insert.prepare("INSERT INTO ECO (Eco_code, Eco_libelle, Eco_coup) VALUES (?, ?, ?)");
    long long pending = 0; // rows added since the last commit
    auto commit = [&](bool last) {
        if (last) settings.restore();
        if (!db.commit() || (!last && !db.transaction())) {
            r.error = db.lastError().text().toStdString();
            return false;
        }
        r.added += pending;
        pending = 0;
        return true;
    };
    auto add = [&](const std::string& line) {
        const QString c = QString::fromStdString(code);
        insert.bindValue(0, c);
        insert.bindValue(1, c);
        insert.bindValue(2, QString::fromStdString(line));
        if (!insert.exec()) {
            r.error = insert.lastError().text().toStdString();
            db.rollback();
            return false;
        }
        ++pending;
        return true;
    };
    LineTree tree;
    while (stream.next(game)) {
        ++r.games;
        if (const std::string* eco = game.tag("ECO"); eco && !trimmed(*eco).empty())
            code = upper(trimmed(*eco));
        if (const std::string* fen = game.tag("FEN"); fen && !trimmed(*fen).empty()) {
            ++r.skipped; // its prefixes would not be lines from the initial position
        } else {
            if (tree.size() > memory.treeNodes) tree.clear();
            // The position is played up to the node `placed` only when a move has to be read.
            std::uint32_t path[LearnedHalfMoves + 1] = {0};
            Position p = Position::initial();
            int placed = 0;
            bool fresh = false; // a node made for this game has no children yet
            const int n = std::min<int>(LearnedHalfMoves, static_cast<int>(game.moves.size()));
            for (int i = 0; i < n; ++i) {
                const std::string& token = game.moves[static_cast<std::size_t>(i)];
                std::uint32_t next = fresh ? 0 : tree.child(path[i], token);
                if (next == 0) {
                    for (; placed < i; ++placed) playMove(p, tree.node(path[placed + 1]).move);
                    const Colour side = p.sideToMove();
                    std::string read = token;
                    ReadMove parsed = lire_coup(p, side, NotationCode::Pgn, read);
                    Move c = parsed.move();
                    if (!parsed.readable || parsed.isResult() || parsed.fromX == 0 ||
                        !isLegal(p, c))
                        break;
                    std::string text =
                        side == Colour::White ? std::to_string(p.MoveCount + 1) + "." : "";
                    text += san(p, c);
                    next = tree.add(path[i], token, std::move(text), c);
                    fresh = true;
                    const std::string line = tree.line(next);
                    if (!known.contains(base, line)) {
                        if (!add(line)) return r;
                        known.note(line);
                    }
                }
                path[i + 1] = next;
            }
        }
        if (pending >= RowsPerTransaction && !commit(false)) return r;
        if (progress && r.games % 256 == 0) {
            const std::streamoff read = in.tellg(); // -1 once the last block is in
            const std::uint64_t at = read < 0 ? size : static_cast<std::uint64_t>(read);
            const int percent =
                size == 0 ? 100 : static_cast<int>(std::min<std::uint64_t>(100, at * 100 / size));
            if (!progress(percent, r.games, r.added + pending)) {
                r.stopped = true;
                break;
            }
        }
    }
    if (!commit(true)) return r;
    if (progress && !r.stopped) progress(100, r.games, r.added);
    return r;
}

PgnLearning apprendre_fichier_pgn(const std::string& basePath, const std::string& pgnPath,
                                  const LearningProgress& progress) {
    PgnLearning r;
    std::ifstream in(pgnPath, std::ios::binary);
    if (!in) {
        r.error = "cannot read " + pgnPath;
        return r;
    }
    in.seekg(0, std::ios::end);
    const auto size = static_cast<std::uint64_t>(std::max<std::streamoff>(0, in.tellg()));
    in.seekg(0);
    OpeningBase base;
    if (!base.open(basePath, OpeningBase::Access::Write)) {
        r.error = base.error();
        return r;
    }
    return learnPgn(base, in, size, progress);
}

} // namespace quarvelin
