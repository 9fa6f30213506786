// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writes XML game records: a <LIST> of <GAME> elements, one element per line, CR LF lines,
// UTF-8. The file is built in a temporary file that replaces the target only when complete,
// so a failed or cancelled write leaves the old file as it was.
#include "config/AtomicFileWriter.h"
#include "localisation/TextCatalogue.h"
#include "records/XmlGame.h"

#include <string>
#include <string_view>
#include <vector>

namespace quarvelin {

class AtomicFileSet;

struct WriteFailure {
    enum class Cause { None, Writing, NotAList };
    Cause cause = Cause::None;
    std::string detail; // the system's reason for a write error

    explicit operator bool() const { return cause != Cause::None; }
    std::string message(const TextCatalogue& catalogue) const;
};

class XmlWriter {
public:
    enum class Mode { Replace, Append };

    // timestamp goes in the comment of line 2; empty: the current date and time.
    explicit XmlWriter(std::string timestamp = {});
    ~XmlWriter();
    XmlWriter(const XmlWriter&) = delete;
    XmlWriter& operator=(const XmlWriter&) = delete;

    // Starts the temporary file. Append keeps the games of an existing list and refuses a file
    // that is not one, touching nothing.
    WriteFailure open(const std::string& path, Mode mode);
    void write(const XmlGame& game);
    // Closes the list and puts the file in place; with `together`, it is put in place with the
    // set's other files instead.
    WriteFailure finish(AtomicFileSet* together = nullptr);
    // Drops the temporary file; the target stays as it was.
    void resign();

    // Lines 1 to 3 of a new file.
    static std::string documentStart(const std::string& timestamp);
    // <GAME> to </GAME>, each line ending with CR LF; SetUp and FEN only when the game has a FEN.
    static std::string gameBlock(const XmlGame& game);
    static std::string escape(std::string_view value);
    // The moves on one line: each line trimmed, single spaces between, the result after them.
    static std::string moveLine(const XmlGame& game);
    static std::string currentTimestamp();
    // A game text as the save window holds it: "[" lines are the tags, the other lines the
    // moves (their result included).
    static XmlGame gameFromText(std::string_view text);

    // A whole file in one call.
    static WriteFailure writeFile(const std::string& path, const std::vector<XmlGame>& games,
                                  Mode mode);

private:
    std::string timestamp_;
    AtomicFileWriter file_;
};

} // namespace quarvelin
