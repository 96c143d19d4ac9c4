// The picture control: drawing on white, and the download of a picture by
// key against a canned server, with every way the reply can fail.
#include <gtest/gtest.h>

#include "client/common/orbel_fatal.h"
#include "client/controls/orbel_static_picture.h"
#include "client/start/orbel.h"
#include "desktop/messages/vux_desktop_request_data.h"
#include "desktop/messages/vux_desktop_response_data.h"
#include "desktop/messages/vux_desktop_response_download.h"
#include "gui/orbel_strings.h"
#include "orbel_test_support.h"

namespace {

class StaticPicture : public ::testing::Test {
protected:
    void SetUp() override {
        app = std::make_unique<orbel>();
        app->service_host = "127.0.0.1";
        app->service_port = server.port();
        app->service_path = "/cs";
        app->session.id = 42;
        orbel_fatal_reset();
    }
    void TearDown() override {
        app.reset();
        orbel_fatal_reset();
    }

    static vux_desktop_response_data reply(int32_t result, const QByteArray& bytes) {
        vux_desktop_response_data r;
        r.result = result;
        r.name = "k";
        r.bytes.assign_bytes(bytes.constData(), int32_t(bytes.size()));
        return r;
    }

    orbel_test_ui ui;
    orbel_canned_server server;
    std::unique_ptr<orbel> app;
};

TEST_F(StaticPicture, DownloadShowsTheBytesAndAnEmptyBlockClears) {
    const QByteArray png = orbel_test_png(20, 10, Qt::blue);
    server.push(reply(0, png));
    server.push(reply(0, {}));
    orbel_static_picture picture;
    picture.resize(40, 40);
    EXPECT_EQ(picture.grab().toImage().pixelColor(20, 20), QColor(Qt::white));

    picture.load("pic-1");
    EXPECT_TRUE(picture.busy());
    ASSERT_TRUE(ORBEL_WAIT(!picture.busy()));
    EXPECT_EQ(picture.bytes(), png);
    const QImage shot = picture.grab().toImage();
    EXPECT_EQ(shot.pixelColor(20, 20), QColor(Qt::blue));  // 40 x 20, centred
    EXPECT_EQ(shot.pixelColor(20, 5), QColor(Qt::white));

    vux_desktop_request_data expected;
    expected.operation = 1;
    expected.name = "pic-1";
    expected.session.id = 42;
    ASSERT_EQ(server.requests.size(), 1);
    EXPECT_EQ(server.requests[0], orbel_canned_server::vux_frame_bytes(expected));

    picture.load("pic-1");
    ASSERT_TRUE(ORBEL_WAIT(!picture.busy()));
    EXPECT_TRUE(picture.bytes().isEmpty());
    EXPECT_EQ(picture.grab().toImage().pixelColor(20, 20), QColor(Qt::white));
    EXPECT_TRUE(ui.messages.isEmpty());
}

TEST_F(StaticPicture, RefusedRepliesAreOneSystemFault) {
    vux_desktop_response_download wrong_code;
    struct bad {
        const char* name;
        QByteArray body;
    } cases[] = {
        {"result 1", orbel_canned_server::vux_frame_bytes(reply(1, "x"))},
        {"truncated frame", orbel_canned_server::vux_frame_bytes(reply(0, "abcdef")).chopped(3)},
        {"another response", orbel_canned_server::vux_frame_bytes(wrong_code)},
    };
    for (const bad& c : cases) {
        SCOPED_TRACE(c.name);
        orbel_fatal_reset();
        ui.messages.clear();
        server.push_raw(c.body);
        orbel_static_picture picture;
        picture.set_bytes(orbel_test_png(4, 4, Qt::red));
        picture.load("k");
        ASSERT_TRUE(ORBEL_WAIT(!picture.busy()));
        EXPECT_EQ(ui.messages, QStringList{orbel_string(orbel_ids_system_failure)});
        EXPECT_FALSE(picture.bytes().isEmpty());
    }
}

TEST_F(StaticPicture, RefusedConnectionIsANetworkFault) {
    quint16 closed_port;
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        closed_port = probe.serverPort();
    }
    app->service_port = closed_port;
    orbel_static_picture picture;
    picture.load("k");
    ASSERT_TRUE(ORBEL_WAIT(!picture.busy()));
    EXPECT_EQ(ui.messages, QStringList{orbel_string(orbel_ids_network_failure)});
}

TEST_F(StaticPicture, AControlClosedDuringItsDownloadIsNeverCalled) {
    // The first reply is held back until the control that asked is gone.
    server.push_later(reply(0, orbel_test_png(4, 4, Qt::red)), 300);
    server.push(reply(1, {}));
    auto* first = new orbel_static_picture();
    first->load("first");
    ASSERT_TRUE(ORBEL_WAIT(server.requests.size() == 1));
    delete first;
    orbel_static_picture second;
    second.load("second");
    ASSERT_TRUE(ORBEL_WAIT(!second.busy()));
    EXPECT_EQ(ui.messages, QStringList{orbel_string(orbel_ids_system_failure)});
}

}  // namespace
