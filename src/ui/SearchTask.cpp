// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SearchTask.h"

#include <QMetaObject>

SearchTask::~SearchTask() {
    cancel();
    join();
}

void SearchTask::join() {
    if (thread_.joinable()) thread_.join();
}

void SearchTask::cancel() {
    ++generation_;
    inProgress_ = false;
    if (cancel_) cancel_->store(true);
}

void SearchTask::launch(const quarvelin::SearchRequest& request,
                        const quarvelin::SearchCounters& counters,
                        const quarvelin::EngineCallbacks& callbacks, End end) {
    // A cancelled search stops at its next piece; waiting for it is short.
    join();
    cancel_ = std::make_shared<std::atomic<bool>>(false);
    const unsigned gen = ++generation_;
    inProgress_ = true;

    // Every report crosses to the GUI thread and is dropped once the search is cancelled.
    auto post = [this, gen](std::function<void()> f) {
        QMetaObject::invokeMethod(
            this,
            [this, gen, f = std::move(f)] {
                if (gen == generation_) f();
            },
            Qt::QueuedConnection);
    };
    quarvelin::EngineCallbacks r;
    if (callbacks.best)
        r.best = [post, m = callbacks.best](const std::string& t, float s) {
            post([m, t, s] { m(t, s); });
        };
    if (callbacks.progression)
        r.progression = [post, p = callbacks.progression](const quarvelin::SearchCounters& c) {
            post([p, c] { p(c); });
        };
    if (callbacks.log)
        r.log = [post, j = callbacks.log](const std::string& l) { post([j, l] { j(l); }); };

    thread_ = std::thread([this, post, request, counters, r, end, flag = cancel_] {
        quarvelin::SearchCounters c = counters;
        quarvelin::SearchResult outcome = quarvelin::searchMove(request, c, r, flag.get());
        if (flag->load()) return;
        post([this, end, outcome, c] {
            inProgress_ = false;
            end(outcome, c);
        });
    });
}
