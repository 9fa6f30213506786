// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A request to stop a long loop (reading a games file, converting one, naming openings): whoever
// starts the loop owns a token and hands it over; the progress window's button cancels it from
// the interface thread and the loop stops at its next step, whatever thread it runs on.
#include <atomic>

namespace quarvelin {

class CancelToken {
public:
    void cancel() { cancelled_.store(true, std::memory_order_relaxed); }
    bool cancelled() const { return cancelled_.load(std::memory_order_relaxed); }

private:
    std::atomic<bool> cancelled_{false};
};

// The loops take a token that may be null: nothing asks them to stop.
inline bool cancelled(const CancelToken* token) { return token && token->cancelled(); }

} // namespace quarvelin
