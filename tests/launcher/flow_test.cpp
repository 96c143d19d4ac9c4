// The launcher's whole run in-process against the local service: the check,
// the download, the replacement and the start, and every failure on the way.
#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>
#include <QProgressBar>
#include <QPushButton>
#include <QTcpServer>
#include <QTemporaryDir>
#include "desktop/messages/vux_desktop_messages.h"
#include "launcher/tessin.h"
#include "launcher/tessin_strings.h"
#include "launcher_test_support.h"
#include "service/quellmark_service.h"

namespace {
const QString check_failed = tessin_load_string(tessin_ids_network_failure);
const QString update_failed = tessin_load_string(tessin_ids_update_failure);
const QStringList shell{QStringLiteral("shell")};

quellmark_fault fault(quellmark_fault::kind_t kind, int32_t code, std::optional<int64_t> value = {}) {
    quellmark_fault f;
    f.kind = kind;
    f.code = code;
    f.value = value;
    return f;
}

// A port on which nothing listens.
quint16 closed_port() {
    QTcpServer s;
    s.listen(QHostAddress::LocalHost);
    return s.serverPort();
}

// Calls f on the launcher dialog with this id as soon as it is up.
template <class F>
void when_dialog_shows(const char* id, F f) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, id, f] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String(id) && w->isVisible()) {
                poll->deleteLater();
                poll->stop();
                f(w);
                return;
            }
    });
    poll->start(1);
}

struct Flow : ::testing::Test {
    QApplication& app = launcher_test_app();
    QTemporaryDir dir;
    const QString client = dir.filePath(QStringLiteral("orbel"));
    const QByteArray old_client = QByteArrayLiteral("#!/bin/sh\necho old\n");
    const QByteArray new_client = QByteArrayLiteral("#!/bin/sh\necho new\n\0\xff binary tail");
    quellmark_service service;
    recording_host host;
    quint16 port = 0;

    void SetUp() override {
        ASSERT_TRUE(service.listen());
        port = service.port();
        ASSERT_TRUE(write_bytes(client, old_client));
        service.state().set_client_bytes(new_client);
    }

    // ms: how long a dialog may stay up before the run counts as hung.
    bool run(int ms = 20000) {
        dialog_watchdog dog(ms);
        tessin launcher(host, {service.host(), port, QStringLiteral("/cs")}, client);
        const bool started = launcher.run();
        EXPECT_FALSE(dog.fired()) << "a dialog stayed open";
        return started;
    }

    void expect_started_once() {
        ASSERT_EQ(host.starts.size(), 1u);
        EXPECT_EQ(host.starts[0].first, client);
        EXPECT_EQ(host.starts[0].second, shell);
    }

    // A failed run: one message, nothing started, the old client untouched
    // and no part of a new one left beside it.
    void expect_failed(const QString& message) {
        EXPECT_EQ(host.messages, QStringList{message});
        EXPECT_TRUE(host.starts.empty());
        EXPECT_EQ(read_bytes(client), old_client);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"orbel"});
    }

    // Each fault alone on a fresh run ends in the message, as expect_failed.
    template <size_t N>
    void expect_each_fails(const quellmark_fault (&faults)[N], const QString& message) {
        for (const quellmark_fault& f : faults) {
            SCOPED_TRACE(testing::Message() << "fault " << f.kind << " value " << f.value.value_or(-99));
            host = {};
            service.clear_faults();
            service.add_fault(f);
            EXPECT_FALSE(run());
            expect_failed(message);
            EXPECT_TRUE(QFileInfo(client).isFile());
        }
    }
};
}  // namespace

TEST_F(Flow, current_client_is_started_with_shell) {
    service.state().set_client_bytes(old_client);
    EXPECT_TRUE(run());
    expect_started_once();
    EXPECT_TRUE(host.messages.isEmpty());
    EXPECT_EQ(service.served(vux_desktop_request_download::code), 0);
    EXPECT_EQ(read_bytes(client), old_client);
}

TEST_F(Flow, outdated_client_is_replaced_then_started) {
    EXPECT_TRUE(run());
    EXPECT_EQ(read_bytes(client), new_client);
    EXPECT_TRUE(QFileInfo(client).isExecutable());
    expect_started_once();
    EXPECT_TRUE(host.messages.isEmpty());
    EXPECT_EQ(service.served(vux_desktop_request_download::code), 1);
}

TEST_F(Flow, missing_or_empty_client_is_downloaded) {
    for (bool present : {false, true}) {
        host = {};
        QFile::remove(client);
        if (present) {
            ASSERT_TRUE(write_bytes(client, {}));
        }
        EXPECT_TRUE(run());
        EXPECT_EQ(read_bytes(client), new_client);
        EXPECT_TRUE(QFileInfo(client).isExecutable());
        expect_started_once();
    }
}

TEST_F(Flow, failed_check_shows_57345) {
    const int32_t code = vux_desktop_request_upgrade::code;
    const quellmark_fault faults[] = {
        fault(quellmark_fault::status, code),
        fault(quellmark_fault::status, code, -1),
        fault(quellmark_fault::wrong_code, code),  // a 3905 frame
        fault(quellmark_fault::wrong_code, code, vux_desktop_response_verify::code),
        fault(quellmark_fault::truncated, code),      // no trailer
        fault(quellmark_fault::truncated, code, 12),  // into the path: must not read as "current"
        fault(quellmark_fault::early_close, code),
        fault(quellmark_fault::early_close, code, 40),  // mid-body
        fault(quellmark_fault::http_status, code),
    };
    expect_each_fails(faults, check_failed);
    EXPECT_EQ(service.served(vux_desktop_request_download::code), 0);
}

TEST_F(Flow, unreachable_service_shows_57345) {
    port = closed_port();
    EXPECT_FALSE(run());
    expect_failed(check_failed);
}

// Whatever address the check's answer names, the download dialog runs and
// its failure tells; a port past 65535 never wraps round to a real one.
TEST_F(Flow, unusable_download_address_ends_in_the_download_failure) {
    const struct {
        int32_t port;  // 1 stands for the service's own port
        bool host;
    } rows[] = {{0, true}, {-1, true}, {65536, true}, {65536 + 1, true}, {1 << 20, true}, {1, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "port " << row.port << " host " << row.host);
        host = {};
        const int32_t bad_port = row.port % 65536 == 1 ? row.port - 1 + port : row.port;
        service.set_handler(vux_desktop_request_upgrade::code, [&](const vux_record&, quellmark_context& c) {
            auto r = std::make_unique<vux_desktop_response_upgrade>();
            r->upgrade = 1;
            r->port = bad_port;
            r->host = row.host ? quellmark_utf8(c.host) : vux_string();
            r->path = vux_string("/download");
            return std::unique_ptr<vux_record>(std::move(r));
        });
        EXPECT_FALSE(run());
        expect_failed(update_failed);
        EXPECT_EQ(host.shown_over, QStringList{"102"});  // from the download dialog
    }
    EXPECT_EQ(service.served(vux_desktop_request_download::code), 0);
}

TEST_F(Flow, failed_download_shows_57346_and_keeps_the_old_client) {
    const int32_t code = vux_desktop_request_download::code;
    const quellmark_fault faults[] = {
        fault(quellmark_fault::status, code),
        fault(quellmark_fault::wrong_code, code),  // a 3907 frame
        fault(quellmark_fault::wrong_code, code, vux_desktop_response_upgrade::code),
        fault(quellmark_fault::truncated, code),      // no trailer
        fault(quellmark_fault::truncated, code, 12),  // the file's last bytes missing
        fault(quellmark_fault::early_close, code),
        fault(quellmark_fault::early_close, code, 60),  // mid-file
        fault(quellmark_fault::http_status, code, 404),
    };
    expect_each_fails(faults, update_failed);
}

TEST_F(Flow, empty_download_shows_57346) {
    service.set_handler(vux_desktop_request_download::code, [](const vux_record&, quellmark_context&) {
        return std::unique_ptr<vux_record>(std::make_unique<vux_desktop_response_download>());
    });
    EXPECT_FALSE(run());
    expect_failed(update_failed);
}

TEST_F(Flow, unreachable_download_host_shows_57346) {
    service.set_public_address(service.host(), closed_port());  // the check names a dead port
    EXPECT_FALSE(run());
    expect_failed(update_failed);
}

TEST_F(Flow, client_that_cannot_be_replaced_is_started_as_it_was) {
    service.state().set_client_bytes(QByteArray(300000, 'n'));
    // The disk fills after 64 KiB: the new client cannot be written whole.
    {
        file_size_limit limit(65536);
        ASSERT_TRUE(limit.ok());
        EXPECT_TRUE(run());
    }
    EXPECT_EQ(read_bytes(client), old_client);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"orbel"});
    expect_started_once();
    EXPECT_TRUE(host.messages.isEmpty());
}

TEST_F(Flow, client_that_does_not_start_says_so) {
    host.start_result = false;
    service.state().set_client_bytes(old_client);
    EXPECT_FALSE(run());
    // Nothing was updated: the message is about the start, and names the file.
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_NE(host.messages[0], update_failed);
    EXPECT_TRUE(host.messages[0].startsWith(QStringLiteral("无法启动客户端程序"))) << host.messages[0].toStdString();
    EXPECT_TRUE(host.messages[0].contains(QDir::toNativeSeparators(client)));
    EXPECT_EQ(host.starts.size(), 1u);
}

TEST_F(Flow, cancel_starts_nothing) {
    const struct {
        const char* dialog;
        int32_t code;
    } rows[] = {{"101", vux_desktop_request_upgrade::code}, {"102", vux_desktop_request_download::code}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.dialog);
        host = {};
        service.clear_faults();
        service.add_fault(fault(quellmark_fault::delay, r.code, 3000));
        when_dialog_shows(r.dialog, [](QWidget* w) {
            QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("2")), Qt::LeftButton);
        });
        EXPECT_FALSE(run());
        EXPECT_TRUE(host.messages.isEmpty());
        EXPECT_TRUE(host.starts.empty());
        EXPECT_EQ(read_bytes(client), old_client);
    }
    // The abandoned requests are closed: the service drops them and their
    // answers never go out, so nothing can call the host any more.
    ASSERT_TRUE(QTest::qWaitFor([&] { return service.open_connections() == 0; }, 10000));
    QCoreApplication::processEvents();
    EXPECT_TRUE(host.messages.isEmpty());
}

TEST_F(Flow, client_above_64_mib_streams_into_the_file) {
    // Larger than any desktop reply may be; made here, kept only in the
    // test's own folder, which goes with the test.
    QByteArray big((64 << 20) + 4099, Qt::Uninitialized);
    uint32_t x = 12345;
    for (char& c : big) {
        x = x * 1103515245u + 12345u;  // no two pieces alike: an order slip shows
        c = char(x >> 24);
    }
    service.state().set_client_bytes(big);
    // On a loaded machine, or a sanitizer build, 64 MiB through loopback
    // and onto the disk may take a while.
    EXPECT_TRUE(run(300000));
    EXPECT_TRUE(host.messages.isEmpty());
    expect_started_once();
    EXPECT_EQ(QFileInfo(client).size(), big.size());
    EXPECT_TRUE(read_bytes(client) == big);
    EXPECT_TRUE(QFileInfo(client).isExecutable());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"orbel"});
}

TEST_F(Flow, progress_reaches_the_bar) {
    QByteArray big(24 << 20, 'b');  // past 21 MB, where 32-bit percentages overflow
    big[0] = '#';
    service.state().set_client_bytes(big);
    std::vector<int> values;
    when_dialog_shows("102", [&values](QWidget* w) {
        auto* bar = w->findChild<QProgressBar*>(QStringLiteral("1001"));
        QObject::connect(bar, &QProgressBar::valueChanged, [&values](int v) { values.push_back(v); });
    });
    EXPECT_TRUE(run());
    EXPECT_EQ(read_bytes(client), big);
    ASSERT_GE(values.size(), 2u);
    EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
    EXPECT_GT(values.front(), 0);
    EXPECT_LT(values.front(), 100);
    EXPECT_EQ(values.back(), 100);
}
