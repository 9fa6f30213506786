// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A file replaced whole or not at all. The new content goes to a temporary file beside the
// target, is flushed to disk, and is renamed over the target only on commit; a writer dropped
// before that removes its temporary file. Through a symbolic link the file it leads to is
// replaced and the link kept. A replaced file keeps its permission bits. Any failure leaves the
// target as it was and gives the system's reason. POSIX and the standard library only.
#include <optional>
#include <string>
#include <string_view>

namespace quarvelin {

class AtomicFileWriter {
public:
    enum class Start { Empty, OldContent };

    AtomicFileWriter() = default;
    ~AtomicFileWriter();
    AtomicFileWriter(AtomicFileWriter&& other) noexcept;
    AtomicFileWriter& operator=(AtomicFileWriter&& other) noexcept;
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Creates the temporary file for `path`, dropping any earlier one. OldContent copies what
    // the file holds now into it first (nothing when there is no file yet).
    bool open(const std::string& path, Start start = Start::Empty);
    // Buffered. After a failure nothing more is written and the temporary file is gone.
    bool write(std::string_view data);
    // Everything written is on disk: only the rename is left.
    bool finish();
    // finish(), then the temporary file takes the target's place.
    bool commit();
    // Removes the temporary file; the target stays as it was.
    void discard();

    // Between open() and commit() or discard(), failed or not.
    bool isOpen() const { return open_; }
    // The system's reason for the first failure; empty while there is none.
    const std::string& error() const { return error_; }
    // The file replaced: the end of the links `path` leads through.
    const std::string& target() const { return target_; }
    // The last byte written so far, copied old content included.
    std::optional<char> lastByte() const { return lastByte_; }

    // A whole file in one call: empty on success, else why not.
    static std::string writeFile(const std::string& path, std::string_view content);

private:
    friend class AtomicFileSet;

    bool fail(int error);
    bool flush();
    bool copyFrom(int source);
    // The rename alone; the folder is synced by the caller.
    bool replaceTarget();
    static std::string folderOf(const std::string& file);
    // Makes the renames in a folder durable; best effort, the files are in place anyway.
    static void syncFolder(const std::string& folder);

    std::string target_, temporary_, buffer_, error_;
    std::optional<char> lastByte_;
    int fd_ = -1;
    bool open_ = false;
    bool finished_ = false;
};

} // namespace quarvelin
