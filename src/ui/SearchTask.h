// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The machine's searches on a worker thread: the board and the windows stay live while it
// thinks; its progress and its result come back to the GUI thread as queued calls.
#include "session/SearchRunner.h"

#include <QObject>

#include <atomic>
#include <memory>
#include <thread>

class SearchTask : public QObject, public quarvelin::SearchRunner {
    Q_OBJECT

public:
    explicit SearchTask(QObject* parent = nullptr) : QObject(parent) {}
    ~SearchTask() override;

    void launch(const quarvelin::SearchRequest& request, const quarvelin::SearchCounters& counters,
                const quarvelin::EngineCallbacks& callbacks, End end) override;
    void cancel() override;
    bool inProgress() const { return inProgress_; }

private:
    void join();

    std::thread thread_;
    std::shared_ptr<std::atomic<bool>> cancel_;
    unsigned generation_ = 0; // read and written on the GUI thread only
    bool inProgress_ = false;
};
