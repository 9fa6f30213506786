// SPDX-License-Identifier: GPL-3.0-or-later
#include "network/NetworkGame.h"

#include "network/ReceivedMove.h"
#include "session/Clocks.h"

#include <charconv>

namespace quarvelin::net {

namespace {

// A claim that the receiver lost on time counts only when its own clock is nearly out too.
constexpr int TimeClaimMargin = 5;

} // namespace

NetworkGame::NetworkGame(Context context, Events events, Answers answers)
    : ctx_(std::move(context)), events_(std::move(events)), answers_(std::move(answers)),
      connection_(Connection::Events{
          [this] { onConnected(); },
          [this] { drain(); },
          [this] {
              closePending_ = true;
              drain();
          },
          [this](Connection::Failure f, const std::string& why) { onFailed(f, why); },
          [this] { comment(text(TextKey::SecondConnectionRefused)); },
      }) {}

NetworkGame::~NetworkGame() = default;

void NetworkGame::comment(const std::string& line) {
    if (ctx_.commentary.visible()) ctx_.commentary.append(line + "\n");
}

void NetworkGame::setStage(Stage s) {
    stage_ = s;
    ctx_.game.setNetworkLocked(s == Stage::Playing);
    if (events_.stageChanged) events_.stageChanged();
}

bool NetworkGame::start() {
    const Settings& st = ctx_.settings;
    int port = 0;
    const std::string& p = st.IP_NUM_PORT;
    auto [end, ec] = std::from_chars(p.data(), p.data() + p.size(), port);
    if (ec != std::errc() || end != p.data() + p.size() || port < 1 || port > 65535) {
        ctx_.dialogs.message(ctx_.title, text(TextKey::ConnexionPortInvalid),
                             DialogIcon::Exclamation);
        return false;
    }
    if (st.IP_MODE_SERVEUR == 1) return serve(port);
    connectTo(st.IP_ADRESSE_HOST, port);
    return true;
}

bool NetworkGame::serve(int port) {
    close();
    role_ = Colour::White;
    std::string error;
    if (!connection_.listen(port, error)) {
        ctx_.dialogs.message(ctx_.title,
                             text(TextKey::NetworkError) + "\r\n\r\n" +
                                 text(TextKey::NetworkCauseWaiting) + error,
                             DialogIcon::Exclamation);
        return false;
    }
    setStage(Stage::Waiting);
    std::string addresses;
    std::string reachable;
    for (const std::string& a : Connection::localAddresses()) {
        addresses += (addresses.empty() ? "" : ", ") + a;
        reachable += (reachable.empty() ? "" : ", ") + a + ":" + std::to_string(port);
    }
    if (events_.waitingTitle)
        events_.waitingTitle(text(TextKey::NetworkGameTitle) +
                             ctx_.catalogue.text(TextKey::ServerWaitingSuffix, {addresses}));
    comment(ctx_.catalogue.text(TextKey::ServerAddresses, {reachable}));
    return true;
}

void NetworkGame::connectTo(const std::string& host, int port) {
    close();
    role_ = Colour::Black;
    setStage(Stage::Waiting);
    if (events_.waitingTitle)
        events_.waitingTitle(text(TextKey::NetworkGameTitle) + text(TextKey::ClientWaitingSuffix));
    connection_.connectTo(host, port);
}

void NetworkGame::close() {
    connection_.close();
    offerPending_ = closePending_ = false;
    if (stage_ != Stage::Idle) setStage(Stage::Idle);
}

void NetworkGame::onConnected() {
    setStage(Stage::Greeting);
    if (!server()) connection_.send(greeting(ctx_.settings.IP_NOM_UTILISATEUR));
}

void NetworkGame::send(const std::string& message) {
    const std::optional<Message> m = decode(message);
    if (!m || stage_ != Stage::Playing) return;
    if (m->kind == MessageKind::DrawOffer) offerPending_ = true;
    connection_.send(*m);
}

void NetworkGame::sendChat(const std::string& typed) {
    if (typed.empty() || stage_ != Stage::Playing) return;
    connection_.send(chat(ctx_.settings.IP_NOM_UTILISATEUR, trimmedBlanks(typed)));
}

// Lines are handled one at a time, in order; those that come while a question is open wait
// for it, and so does the news that the peer went.
void NetworkGame::drain() {
    if (busy_) return;
    busy_ = true;
    while (std::optional<std::string> line = connection_.nextLine()) handle(*line);
    busy_ = false;
    if (closePending_) {
        closePending_ = false;
        onClosed();
    }
}

void NetworkGame::invalid(const std::string& line) {
    comment(ctx_.catalogue.text(TextKey::InvalidNetworkMessage, {excerpt(line)}));
}

void NetworkGame::handle(const std::string& line) {
    const std::optional<Message> m = decode(line);
    if (!m) {
        invalid(line);
        return;
    }
    const GameSession& s = ctx_.game.session();
    const bool greeting = stage_ == Stage::Greeting;
    const bool playing = stage_ == Stage::Playing && s.boardOpen && !s.gameOver();
    bool handled = true;
    switch (m->kind) {
    case MessageKind::Greeting:
        if (!(server() && greeting)) {
            handled = false;
            break;
        }
        opponent_ = m->text;
        if (answers_.greeting ? answers_.greeting(opponent_)
                              : ctx_.dialogs.question(ctx_.title, text(TextKey::AcceptGameAgainst) +
                                                                      opponent_ + "' ?")) {
            connection_.send(acceptance(ctx_.settings.IP_NOM_UTILISATEUR));
            startGame();
        } else {
            connection_.send(simple(MessageKind::Refusal));
            connection_.dropPeer();
            setStage(Stage::Waiting);
        }
        break;
    case MessageKind::Acceptance:
        if (!(!server() && greeting)) {
            handled = false;
            break;
        }
        opponent_ = m->text;
        startGame();
        break;
    case MessageKind::Refusal:
        if (!(!server() && greeting)) {
            handled = false;
            break;
        }
        close();
        ctx_.dialogs.message(ctx_.title, text(TextKey::OpponentDeclinedGame),
                             DialogIcon::Exclamation);
        break;
    case MessageKind::Move: {
        if (!playing) {
            handled = false;
            break;
        }
        const std::optional<Move> c = receivedMove(ctx_.game.livePosition(), *m, opponentColour());
        if (c)
            ctx_.game.playReceivedMove(*c);
        else
            handled = false;
        break;
    }
    case MessageKind::Chat:
        if (stage_ != Stage::Playing) {
            handled = false;
            break;
        }
        if (events_.chat) events_.chat(m->text);
        break;
    case MessageKind::DrawOffer:
        if (!playing) {
            handled = false;
            break;
        }
        if (answers_.draw ? answers_.draw()
                          : ctx_.dialogs.question(ctx_.title, text(TextKey::OpponentOffersDraw))) {
            connection_.send(simple(MessageKind::DrawAccepted));
            drawAgreed();
        } else {
            connection_.send(simple(MessageKind::DrawRefused));
        }
        break;
    case MessageKind::DrawAccepted:
    case MessageKind::DrawRefused:
        if (!playing || !offerPending_) {
            handled = false;
            break;
        }
        offerPending_ = false;
        if (m->kind == MessageKind::DrawRefused) {
            ctx_.dialogs.message(ctx_.title, text(TextKey::OpponentDeclinesDraw),
                                 DialogIcon::Information);
        } else {
            ctx_.dialogs.message(ctx_.title, text(TextKey::OpponentAcceptsDraw),
                                 DialogIcon::Information);
            drawAgreed();
        }
        break;
    case MessageKind::Resignation: {
        if (!playing) {
            handled = false;
            break;
        }
        const bool whiteResigns = opponentColour() == Colour::White;
        ctx_.game.endNetworkGame(whiteResigns ? "0-1" : "1-0",
                                 text(whiteResigns ? TextKey::WhiteResigns : TextKey::BlackResigns),
                                 text(TextKey::OpponentResigned));
        break;
    }
    case MessageKind::TimeLoss:
        if (!playing) {
            handled = false;
            break;
        }
        timeClaim(m->loser);
        break;
    case MessageKind::RepetitionDraw:
        if (!playing) {
            handled = false;
            break;
        }
        repetitionClaim();
        break;
    }
    if (!handled) invalid(line);
}

void NetworkGame::startGame() {
    setStage(Stage::Playing);
    offerPending_ = false;
    ctx_.game.startNetworkGame(role_, server(), opponent_);
}

void NetworkGame::drawAgreed() { ctx_.game.endNetworkGame("1/2-1/2", {}, {}); }

void NetworkGame::timeClaim(Colour loser) {
    if (loser == role_) {
        const std::optional<int> left = Clocks::readTime(ctx_.game.clocks().bottom());
        if (!ctx_.game.session().ClockOn || !left || *left > TimeClaimMargin) {
            comment(text(TextKey::TimeLossClaimIgnored));
            return;
        }
    }
    const std::string message =
        text(TextKey::TimeIsUp) + " " +
        text(loser == Colour::White ? TextKey::WhiteLoses : TextKey::BlackLoses);
    ctx_.game.endNetworkGame(loser == Colour::White ? "0-1" : "1-0", message, message);
}

void NetworkGame::repetitionClaim() {
    if (compter_repetitions(ctx_.game.session()) < 2) {
        comment(text(TextKey::RepetitionClaimIgnored));
        return;
    }
    ctx_.game.endNetworkGame("1/2-1/2", {}, text(TextKey::OpponentClaimsRepetition));
}

// The peer went without a word (a resignation or an end already came before, or not).
void NetworkGame::onClosed() {
    const GameSession& s = ctx_.game.session();
    switch (stage_) {
    case Stage::Idle:
    case Stage::Waiting:
        return;
    case Stage::Greeting:
        if (server()) {
            setStage(Stage::Waiting); // still listening for someone else
            return;
        }
        close();
        ctx_.dialogs.message(ctx_.title, text(TextKey::ConnectionClosedNoGame),
                             DialogIcon::Exclamation);
        return;
    case Stage::Playing:
        close();
        if (s.boardOpen && !s.gameOver()) {
            comment(text(TextKey::ConnectionLost));
            ctx_.dialogs.message(ctx_.title, text(TextKey::ConnectionLost),
                                 DialogIcon::Exclamation);
        }
        return;
    }
}

void NetworkGame::onFailed(Connection::Failure f, const std::string& why) {
    const bool wasPlaying = stage_ == Stage::Playing;
    const GameSession& s = ctx_.game.session();
    const bool unfinished = wasPlaying && s.boardOpen && !s.gameOver();
    std::string message;
    if (f == Connection::Failure::LineTooLong)
        message = text(TextKey::NetworkLineTooLong);
    else if (f == Connection::Failure::TooMuchUnread)
        message = text(TextKey::NetworkTooMuchUnread);
    else
        message = text(TextKey::NetworkError) + "\r\n\r\n" +
                  text(server() && stage_ != Stage::Waiting ? TextKey::NetworkCause
                                                            : TextKey::NetworkCauseWaiting) +
                  why;
    // A server whose greeting peer failed goes on listening; anything else ends the link.
    if (server() && stage_ == Stage::Greeting)
        setStage(Stage::Waiting);
    else
        close();
    if (unfinished) comment(text(TextKey::ConnectionLost));
    ctx_.dialogs.message(ctx_.title, message, DialogIcon::Exclamation);
}

} // namespace quarvelin::net
