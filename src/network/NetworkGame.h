// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One game against a peer over TCP, on top of the game controller: the greeting and its answer,
// moves both ways, chat, draw offers, resignation, time and repetition claims, and the life of
// the link. Everything that arrives is checked first; what is not valid is left out with one
// line in the commentary.
#include "config/Settings.h"
#include "localisation/Dialogs.h"
#include "localisation/TextCatalogue.h"
#include "network/Connection.h"
#include "session/Commentary.h"
#include "session/GameController.h"

#include <deque>
#include <functional>
#include <memory>
#include <string>

namespace quarvelin::net {

class NetworkGame {
public:
    enum class Stage { Idle, Waiting, Greeting, Playing };

    struct Context {
        GameController& game;
        Settings& settings;
        const TextCatalogue& catalogue;
        Dialogs& dialogs;
        Commentary& commentary;
        std::string title = "quarvelin";
    };
    // What the windows (or the command line) show of the link; each may be left empty.
    struct Events {
        std::function<void(const std::string&)> waitingTitle; // the board's title while waiting
        std::function<void(const std::string&)> chat;         // a received chat line
        std::function<void()> stageChanged;
    };
    // The answers to the peer's questions; the user is asked when they are empty.
    struct Answers {
        std::function<bool(const std::string& name)> greeting;
        std::function<bool()> draw;
    };

    NetworkGame(Context context, Events events = {}, Answers answers = {});
    ~NetworkGame();

    // The role and port of the settings ([TCP/IP]): listen as White or connect as Black. False
    // after telling the user when it cannot start.
    bool start();
    bool serve(int port);
    void connectTo(const std::string& host, int port);
    // Listening or connecting stops and the port is free; a game in progress stays unfinished.
    void close();

    // A message the controller sends (move, draw offer, resignation, claims), as its text
    // without CR LF.
    void send(const std::string& text);
    // The chat field's text: nothing when empty, else sent trimmed with this player's name.
    void sendChat(const std::string& typed);

    Stage stage() const { return stage_; }
    int port() const { return connection_.port(); }
    bool drawOfferPending() const { return offerPending_; }
    const std::string& opponent() const { return opponent_; }

private:
    bool server() const { return role_ == Colour::White; }
    Colour opponentColour() const { return opposite(role_); }
    std::string text(TextKey key) const { return ctx_.catalogue.text(key); }
    void comment(const std::string& line);
    void setStage(Stage s);

    void onConnected();
    void drain();
    void handle(const std::string& line);
    void handleMessage(const Message& m);
    void invalid(const std::string& line);
    void startGame();
    void onClosed();
    void onFailed(Connection::Failure f, const std::string& why);
    void endLink();
    void timeClaim(Colour loser);
    void repetitionClaim();
    void drawAgreed();

    Context ctx_;
    Events events_;
    Answers answers_;
    Connection connection_;
    Colour role_ = Colour::White;
    Stage stage_ = Stage::Idle;
    std::string opponent_;
    bool offerPending_ = false;
    bool busy_ = false;         // a line is being handled (a question box may be open)
    bool closePending_ = false; // the peer went while lines still waited
};

} // namespace quarvelin::net
