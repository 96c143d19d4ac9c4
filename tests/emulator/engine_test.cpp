#include "emulator/vux_le_engine.h"
#define FAKE_ENGINE_DEFINITIONS
#include "fake_engine.h"

#include "client/orbel_test_support.h"

namespace {

// One application for the whole test program, shared with the other suites.
QApplication& app = orbel_test_app();

TEST(Engine, factory_registers_the_tables_in_order_and_destroys_the_handle) {
    vux_le_persist persist;
    auto host = vux_le_engine::create(persist);
    ASSERT_TRUE(host);
    vux_engine* e = host->handle();
    ASSERT_EQ(e, fake_last_engine);
    EXPECT_EQ(e->calls, (std::vector<std::string>{"set_facility", "set_network", "set_graphics"}));
    EXPECT_EQ(e->facility.user, &host->facility());
    EXPECT_EQ(e->network.user, &host->network());
    EXPECT_EQ(e->graphics.user, &host->graphics());
    // the registered tables reach the parts
    host->graphics().create_buffers(314, 474);
    EXPECT_EQ(e->graphics.screen_width(e->graphics.user), 314);
    EXPECT_STREQ(e->graphics.image_formats(e->graphics.user), "gif\njpg");
    EXPECT_EQ(e->facility.supports(e->facility.user, 6), 1);
    host.reset();
    EXPECT_EQ(fake_last_engine, nullptr);  // destroyed with the host
}

}  // namespace
