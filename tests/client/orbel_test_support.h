#pragma once
// Shared by the client's tests: a headless application with settings and
// data folders of its own, a user-interface stand-in that records what the
// client would have shown, and a loopback server that answers with canned
// frames.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QByteArray>
#include <QCheckBox>
#include <QDialog>
#include <QImage>
#include <QLineEdit>
#include <QList>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <deque>
#include <functional>
#include <memory>

#include "core/vux_buffer.h"
#include "core/vux_object.h"
#include "desktop/vux_desktop_accept.h"
#include "gui/orbel_ui.h"

// Waits, running the event loop, until the condition holds; false on time-out.
// (QTest's QTRY_ macros do not report to GoogleTest: use these with EXPECT/ASSERT.)
#define ORBEL_WAIT(cond) QTest::qWaitFor([&]() -> bool { return bool(cond); }, 10000)

// The application, built once; settings go to a temporary folder so tests
// never touch the user's own.
inline QApplication& orbel_test_app() {
    static QTemporaryDir* folder = nullptr;
    static QApplication* app = nullptr;
    if (!app) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QStandardPaths::setTestModeEnabled(true);
        folder = new QTemporaryDir();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder->path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder->path());
        static int argc = 1;
        static char name[] = "orbel_test";
        static char* argv[] = {name, nullptr};
        app = new QApplication(argc, argv);
        app->setQuitOnLastWindowClosed(false);
    }
    return *app;
}

// A PNG file of one colour.
inline QByteArray orbel_test_png(int width, int height, QColor color, QImage::Format format = QImage::Format_ARGB32) {
    QImage image(width, height, format);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Forgets every setting.
inline void orbel_test_clear_settings() {
    QSettings settings("__ORBEL", "Quellmark");
    settings.clear();
    settings.sync();
}

// Records messages and web pages; answers file choosers from a queue.
class orbel_test_ui : public orbel_ui {
public:
    // Builds the application first: members declared after it (servers,
    // windows) need it.
    orbel_test_ui() {
        orbel_test_app();
        orbel_set_ui(this);
    }
    ~orbel_test_ui() override { orbel_set_ui(nullptr); }

    void message(QWidget*, const QString& text) override {
        messages << text;
        if (on_message) on_message(text);
    }
    bool question(QWidget*, const QString& text) override {
        questions << text;
        return answer;
    }
    QString save_file_name(QWidget*, const QString& suffix, const QString& filter, const QString& title) override {
        filters << filter;
        suffixes << suffix;
        titles << title;
        return file_names.isEmpty() ? QString() : file_names.takeFirst();
    }
    QString open_file_name(QWidget*, const QString& filter, const QString& title) override {
        filters << filter;
        titles << title;
        return file_names.isEmpty() ? QString() : file_names.takeFirst();
    }
    std::optional<int> choose_color(QWidget*, int initial) override {
        color_initials << initial;
        return color_answer;
    }
    bool open_url(const QUrl& url) override {
        urls << url;
        return urls_open;
    }

    QStringList messages;
    QStringList questions;
    QStringList filters;
    QStringList suffixes;
    QStringList titles;
    QList<int> color_initials;
    std::optional<int> color_answer;
    QStringList file_names;
    QList<QUrl> urls;
    bool urls_open = true;  // what open_url answers
    bool answer = true;
    std::function<void(const QString&)> on_message;
};

// A loopback HTTP server that answers each request, in order, with the next
// canned reply: a frame, or an action of its own (close early, stay silent).
class orbel_canned_server {
public:
    struct reply {
        QByteArray body;           // the frame sent back with 200 OK
        bool close_early = false;  // close without answering
        bool silent = false;       // keep the connection, answer nothing
        int delay_ms = 0;          // wait this long before answering or closing
    };

    orbel_canned_server() {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] { on_connection(); });
    }

    quint16 port() const { return server_.serverPort(); }
    void push(const vux_object& response) { replies_.push_back({vux_frame_bytes(response)}); }
    void push_raw(const QByteArray& body) { replies_.push_back({body}); }
    void push_close() { replies_.push_back({{}, true}); }
    void push_silent() { replies_.push_back({{}, false, true}); }
    void push_later(const vux_object& response, int delay_ms) {
        replies_.push_back({vux_frame_bytes(response), false, false, delay_ms});
    }
    void push_close_later(int delay_ms) { replies_.push_back({{}, true, false, delay_ms}); }

    // Bodies (frames) of the requests received so far.
    QList<QByteArray> requests;
    // Connections taken, and those closed since (by either side).
    int connections = 0;
    int closed = 0;

    static QByteArray vux_frame_bytes(const vux_object& message) {
        const vux_buffer frame = vux_desktop_frame(message);
        return QByteArray(reinterpret_cast<const char*>(frame.data()), frame.length());
    }

private:
    void on_connection() {
        while (QTcpSocket* peer = server_.nextPendingConnection()) {
            ++connections;
            auto data = std::make_shared<QByteArray>();
            QObject::connect(peer, &QTcpSocket::readyRead, peer, [this, peer, data] {
                data->append(peer->readAll());
                const int end = data->indexOf("\r\n\r\n");
                if (end < 0) return;
                const int at = data->toLower().indexOf("content-length:");
                if (at < 0) return;
                const int line_end = data->indexOf("\r\n", at);
                const int length = data->mid(at + 15, line_end - at - 15).trimmed().toInt();
                if (data->size() < end + 4 + length) return;
                requests << data->mid(end + 4, length);
                data->clear();
                answer(peer);
            });
            QObject::connect(peer, &QTcpSocket::disconnected, peer, [this, peer] {
                ++closed;
                peer->deleteLater();
            });
        }
    }

    void answer(QTcpSocket* peer) {
        if (replies_.empty()) {
            peer->disconnectFromHost();
            return;
        }
        const reply r = replies_.front();
        replies_.pop_front();
        if (r.silent) return;
        auto send = [peer, r] {
            if (!r.close_early)
                peer->write("HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(r.body.size()) + "\r\n\r\n" +
                            r.body);
            peer->disconnectFromHost();
        };
        if (r.delay_ms > 0)
            QTimer::singleShot(r.delay_ms, peer, send);
        else
            send();
    }

    QTcpServer server_;
    std::deque<reply> replies_;
};

// The modal dialog of a class that is up now, or null.
template <class T>
T* orbel_test_modal() {
    return qobject_cast<T*>(QApplication::activeModalWidget());
}

// The control of `id` (its objectName) inside `in`; a test failure when
// there is none.
template <class T = QLineEdit>
T* orbel_test_control(QWidget* in, const char* id) {
    T* w = in->findChild<T*>(QLatin1String(id));
    EXPECT_NE(w, nullptr) << id;
    return w;
}

// A new site's wizard, filled as the tests fill it: title " 河畔夜跑 ",
// activation number 13800000000, Next, the type "活动小组" (notice, group
// chat and private messages) plus news on the column page, Next; the wizard
// then stands on the share page.
inline void orbel_test_fill_new_site(QWidget* wizard) {
    orbel_test_control(wizard, "1030")->setText(QStringLiteral(" 河畔夜跑 "));
    orbel_test_control(wizard, "1024")->setText("13800000000");
    orbel_test_control<QPushButton>(wizard, "12324")->click();
    orbel_test_control<QPushButton>(wizard, "1111")->click();
    orbel_test_control<QCheckBox>(orbel_test_control<QWidget>(wizard, "142"), "1043")->click();
    orbel_test_control<QPushButton>(wizard, "12324")->click();
}

// Runs `drive` once the next modal dialog is up: for a dialog that the
// caller's next step opens at once. A drive that stops short (a failed
// assertion) leaves no dialog waiting for ever: it is closed.
inline void orbel_test_when_modal(std::function<void(QWidget*)> drive) {
    QTimer::singleShot(0, [drive] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        drive(modal);
        if (modal->isVisible()) {
            ADD_FAILURE() << "the dialog is still open";
            modal->close();
        }
    });
}

// Answers modal dialogs in the order they open, also those that open later
// from a reply or a queued call: each new one goes to the next drive in the
// queue. One that no drive awaits is recorded by its title and rejected, so
// a dialog the client should not have opened fails the test, never hangs it.
// A drive runs outside the driver's own timer call, so the dialogs it opens
// itself are answered by the queue too.
class orbel_modal_driver {
public:
    using drive = std::function<void(QWidget*)>;

    orbel_modal_driver() {
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start(5);
    }
    void expect(drive d) { drives_.push_back(std::move(d)); }
    // Every drive has had its dialog and returned.
    bool done() const { return drives_.empty() && running_ == 0; }

    QStringList unexpected;

private:
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        for (const QPointer<QWidget>& w : seen_)
            if (w == modal) return;
        seen_.append(modal);
        if (drives_.empty()) {
            unexpected << modal->windowTitle();
            QTimer::singleShot(0, modal, [modal] {
                if (auto* dialog = qobject_cast<QDialog*>(modal))
                    dialog->reject();
                else
                    modal->close();
            });
            return;
        }
        drive d = std::move(drives_.front());
        drives_.pop_front();
        ++running_;
        QPointer<QWidget> guarded(modal);
        QTimer::singleShot(0, [this, d, guarded] {
            if (guarded) d(guarded);
            if (guarded && guarded->isVisible()) {
                ADD_FAILURE() << "the dialog is still open: " << guarded->windowTitle().toStdString();
                guarded->close();
            }
            --running_;
        });
    }

    QTimer timer_;
    std::deque<drive> drives_;
    QList<QPointer<QWidget>> seen_;
    int running_ = 0;
};
