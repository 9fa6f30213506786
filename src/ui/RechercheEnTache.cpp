#include "ui/RechercheEnTache.h"

#include <QMetaObject>

RechercheEnTache::~RechercheEnTache() {
    annuler();
    joindre();
}

void RechercheEnTache::joindre() {
    if (thread_.joinable()) thread_.join();
}

void RechercheEnTache::annuler() {
    ++generation_;
    enCours_ = false;
    if (annulation_) annulation_->store(true);
}

void RechercheEnTache::lancer(const quarvelin::DemandeRecherche& demande,
                              const quarvelin::SearchCounters& compteurs,
                              const quarvelin::RappelsMoteur& rappels, Fin fin) {
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
    quarvelin::RappelsMoteur r;
    if (rappels.meilleur)
        r.meilleur = [poster, m = rappels.meilleur](const std::string& t, float s) {
            poster([m, t, s] { m(t, s); });
        };
    if (rappels.progression)
        r.progression = [poster, p = rappels.progression](const quarvelin::SearchCounters& c) {
            poster([p, c] { p(c); });
        };
    if (rappels.journal)
        r.journal = [poster, j = rappels.journal](const std::string& l) {
            poster([j, l] { j(l); });
        };

    thread_ = std::thread([this, poster, demande, compteurs, r, fin, flag = annulation_] {
        quarvelin::SearchCounters c = compteurs;
        quarvelin::ResultatRecherche res = quarvelin::chercher_coup(demande, c, r, flag.get());
        if (flag->load()) return;
        poster([this, fin, res, c] {
            enCours_ = false;
            fin(res, c);
        });
    });
}
