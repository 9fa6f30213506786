#pragma once
// The one cancel request of the long loops (reading a game file, naming openings, transfers):
// the progress window's button sets it from the GUI thread, a loop clears it before it starts
// and stops at its next step once it is set, whatever thread it runs on.
#include <atomic>

namespace quarvelin {

namespace detail {
inline std::atomic<bool> cancel{false};
} // namespace detail

inline bool cancelRequested() { return detail::cancel.load(std::memory_order_relaxed); }
inline void requestCancel() { detail::cancel.store(true, std::memory_order_relaxed); }
inline void clearCancel() { detail::cancel.store(false, std::memory_order_relaxed); }

} // namespace quarvelin
