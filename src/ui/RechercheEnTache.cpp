#include "ui/RechercheEnTache.h"

#include <QMetaObject>

RechercheEnTache::~RechercheEnTache() {
    cancel();
    joindre();
}

void RechercheEnTache::joindre() {
    if (thread_.joinable()) thread_.join();
}

void RechercheEnTache::cancel() {
    ++generation_;
    enCours_ = false;
    if (annulation_) annulation_->store(true);
}

void RechercheEnTache::launch(const quarvelin::SearchRequest& request,
                              const quarvelin::SearchCounters& counters,
                              const quarvelin::EngineCallbacks& callbacks, End end) {
    // A cancelled search stops at its next piece; waiting for it is short.
    joindre();
    annulation_ = std::make_shared<std::atomic<bool>>(false);
    const unsigned gen = ++generation_;
    enCours_ = true;

    // Every report crosses to the GUI thread and is dropped once the search is cancelled.
    auto poster = [this, gen](std::function<void()> f) {
        QMetaObject::invokeMethod(
            this,
            [this, gen, f = std::move(f)] {
                if (gen == generation_) f();
            },
            Qt::QueuedConnection);
    };
    quarvelin::EngineCallbacks r;
    if (callbacks.best)
        r.best = [poster, m = callbacks.best](const std::string& t, float s) {
            poster([m, t, s] { m(t, s); });
        };
    if (callbacks.progression)
        r.progression = [poster, p = callbacks.progression](const quarvelin::SearchCounters& c) {
            poster([p, c] { p(c); });
        };
    if (callbacks.log)
        r.log = [poster, j = callbacks.log](const std::string& l) {
            poster([j, l] { j(l); });
        };

    thread_ = std::thread([this, poster, request, counters, r, end, flag = annulation_] {
        quarvelin::SearchCounters c = counters;
        quarvelin::SearchResult res = quarvelin::searchMove(request, c, r, flag.get());
        if (flag->load()) return;
        poster([this, end, res, c] {
            enCours_ = false;
            end(res, c);
        });
    });
}
