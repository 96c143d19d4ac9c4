#include "desktop/transport/orbel_socket.h"
#include <QPointer>
#include <QTcpSocket>
#include <algorithm>
#include "core/vux_buffer.h"
#include "core/vux_link.h"
#include "core/vux_string.h"
#include "desktop/transport/orbel_socket_observer.h"

namespace {
// Request bytes handed to the socket at a time; the next piece follows when
// the system has taken these, so a large upload is never copied whole again.
constexpr int64_t write_piece = 64 * 1024;
constexpr int64_t read_piece = 64 * 1024;

vux_string utf8_of(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return vux_string(bytes.constData(), int32_t(bytes.size()));
}
}  // namespace

orbel_socket::orbel_socket(int32_t id, orbel_socket_observer* observer, std::chrono::milliseconds inactivity_timeout,
                           std::function<void()> finished)
    : id_(id), observer_(observer), finished_(std::move(finished)), reply_(0) {
    if (observer_) observer_->attach(this);
    timer_.setSingleShot(true);
    timer_.setInterval(inactivity_timeout);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { on_timeout(); });
}

orbel_socket::~orbel_socket() {
    if (observer_) observer_->detach(this);
    if (socket_) {
        // Closing the connection may emit signals; none may reach a half
        // destroyed socket.
        QObject::disconnect(socket_.get(), nullptr, this, nullptr);
        socket_->abort();
    }
}

void orbel_socket::open(const QString& host, quint16 port, const QString& path, const vux_link& body,
                        vux_http_body_sink* body_sink) {
    reply_.stream_body_to(body_sink);
    // A path or host the wrapper refuses (line breaks), or no body at all
    // (the request could not be framed), leaves no request, which
    // start_connect reports as a failure.
    if (body.length() == 0 || !request_.set_post_path(utf8_of(path)) ||
        !request_.add_header(vux_string("Host"), utf8_of(host)) || !request_.build(body))
        request_ = vux_http_wrapper();
    host_ = host;
    port_ = port;
    QTimer::singleShot(0, this, [this] { start_connect(); });
}

int64_t orbel_socket::request_length() const { return request_.get_buffer().length(); }

void orbel_socket::start_connect() {
    if (done_) return;
    if (request_length() == 0) {
        fail();
        return;
    }
    socket_ = std::make_unique<QTcpSocket>();
    QTcpSocket* s = socket_.get();
    QObject::connect(s, &QTcpSocket::connected, this, [this] {
        timer_.start();
        write_more();
    });
    QObject::connect(s, &QTcpSocket::bytesWritten, this, [this](qint64 n) { on_bytes_written(n); });
    QObject::connect(s, &QTcpSocket::readyRead, this, [this] { on_ready_read(); });
    QObject::connect(s, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError e) { on_error(e); });
    QObject::connect(s, &QTcpSocket::disconnected, this, [this] { on_disconnected(); });
    // The time-out also covers a host lookup or connect that never ends.
    timer_.start();
    s->connectToHost(host_, port_);
}

void orbel_socket::write_more() {
    if (done_ || !socket_) return;
    const int64_t total = request_length();
    // Keep at most one piece queued in the socket beyond what it has sent.
    while (handed_ < total && socket_->bytesToWrite() < write_piece) {
        const int64_t n = std::min(write_piece, total - handed_);
        const qint64 r = socket_->write(reinterpret_cast<const char*>(request_.get_buffer().data()) + handed_, n);
        if (r <= 0) {
            fail();
            return;
        }
        handed_ += r;
    }
}

void orbel_socket::on_bytes_written(qint64 n) {
    if (done_) return;
    written_ = std::min<int64_t>(written_ + n, handed_);
    timer_.start();
    write_more();
}

bool orbel_socket::drain() {
    // Qt signals readyRead once for data already buffered, so everything
    // held is read here, not one piece per signal.
    char piece[read_piece];
    bool got = false;
    while (!done_ && socket_->bytesAvailable() > 0) {
        const qint64 n = socket_->read(piece, sizeof piece);
        if (n <= 0) break;
        got = true;
        // A reply to a request that was not wholly sent answers nothing.
        if (pending_bytes() > 0 || !reply_.feed(piece, int32_t(n))) {
            fail();
            return false;
        }
        if (reply_.is_complete()) {
            finish();
            return false;
        }
    }
    if (got) timer_.start();
    return !done_;
}

void orbel_socket::on_ready_read() {
    if (done_) return;
    if (!drain()) return;
    // Progress once the Content-Length is known, for each piece that leaves
    // the reply incomplete.
    if (observer_ && reply_.get_content_length() > 0 && reply_.get_body_length() != reported_) {
        reported_ = reply_.get_body_length();
        calling(true);
        QPointer<orbel_socket> self(this);
        observer_->on_progress(id_, reply_.get_content_length(), reply_.get_body_length());
        if (self) calling(false);
    }
}

void orbel_socket::on_error(QAbstractSocket::SocketError error) {
    if (done_) return;
    // The peer closing after a whole reply is the normal end: what it sent
    // before closing still counts.
    if (error == QAbstractSocket::RemoteHostClosedError) {
        if (!drain()) return;
    }
    fail();
}

void orbel_socket::on_disconnected() {
    if (done_) return;
    if (!drain()) return;
    fail();
}

void orbel_socket::on_timeout() {
    if (done_) return;
    fail();
}

void orbel_socket::detach_observer() {
    if (observer_) observer_->detach(this);
    observer_ = nullptr;
    if (!done_) fail();
}

// Stops every notification and marks the socket done before anyone is
// called, so the observer may send new requests or destroy itself inside
// its callback. Returns the observer still to be told, if any.
orbel_socket_observer* orbel_socket::end() {
    done_ = true;
    timer_.stop();
    if (socket_) {
        QObject::disconnect(socket_.get(), nullptr, this, nullptr);
        socket_->abort();
    }
    orbel_socket_observer* observer = observer_;
    if (observer) observer->detach(this);
    observer_ = nullptr;
    if (finished_) finished_();
    return observer;
}

void orbel_socket::fail() {
    if (done_) return;
    orbel_socket_observer* observer = end();
    if (!observer) return;
    calling(true);
    QPointer<orbel_socket> self(this);
    observer->on_failure(id_);
    if (self) calling(false);
}

void orbel_socket::finish() {
    if (done_) return;
    orbel_socket_observer* observer = end();
    if (!observer) return;
    // The observer reads the parser's bytes in place, during its call; a
    // streamed body has reached it piece by piece already.
    vux_buffer body;
    if (!reply_.streams_body()) body.borrow(reply_.get_body(), reply_.get_content_length());
    calling(true);
    QPointer<orbel_socket> self(this);
    observer->on_reply(id_, body);
    if (self) calling(false);
}
