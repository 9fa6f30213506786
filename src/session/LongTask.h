// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A long pass over a file that reports how far it is and can be stopped. The windows run it on a
// worker thread under the progress window and wait for it without freezing; tests and the
// command line run it in place.
#include "session/CancelToken.h"

#include <cstdint>
#include <functional>
#include <string>

namespace quarvelin {

// The share done (0 to 100), the games kept and the games seen so far.
using ProgressReport = std::function<void(int percent, std::int64_t kept, std::int64_t seen)>;
using LongTask = std::function<void(const ProgressReport& progress, const CancelToken& cancel)>;

class LongTaskRunner {
public:
    virtual ~LongTaskRunner() = default;
    // Runs the task and returns once it is over; title names it to the user.
    virtual void run(const std::string& title, const LongTask& task) = 0;
};

// In place, with nothing shown and nobody to cancel.
class InPlaceRunner : public LongTaskRunner {
public:
    void run(const std::string&, const LongTask& task) override {
        CancelToken never;
        task([](int, std::int64_t, std::int64_t) {}, never);
    }
};

} // namespace quarvelin
