// The site cache's queue: one request out at a time, fetches and updates in
// order, and what each reply means.
#include <gtest/gtest.h>

#include "client/manager/orbel_site_queue.h"
#include "desktop/messages/vux_desktop_response_site.h"
#include "desktop/records/vux_desktop_group_list.h"
#include "gui/orbel_strings.h"

namespace {

vux_desktop_group_list groups(std::initializer_list<const char*> keys) {
    vux_desktop_group_list list;
    for (const char* key : keys) {
        auto g = std::make_unique<vux_desktop_group>();
        g->name = key;
        list.groups.append(std::move(g));
    }
    return list;
}

vux_desktop_response_site reply(const char* key, int32_t result = 0, const char* name = "站") {
    vux_desktop_response_site r;
    r.result = result;
    r.key = key;
    r.site.name = name;
    return r;
}

class SiteQueueTest : public ::testing::Test {
protected:
    // Takes the next request and checks its key and operation.
    void expect_next(const char* key, int32_t operation) {
        auto request = queue.take_next(session);
        ASSERT_NE(request, nullptr) << key;
        EXPECT_EQ(request->key.str(), key);
        EXPECT_EQ(request->operation, operation);
        EXPECT_EQ(request->session.id, 42);
        EXPECT_TRUE(queue.busy());
        EXPECT_EQ(queue.take_next(session), nullptr) << "a second request while one is out";
    }
    void arrive(const char* key, const char* name = "站") {
        const vux_desktop_response_site r = reply(key, 0, name);
        const orbel_site_queue::outcome out = queue.on_reply(&r);
        EXPECT_FALSE(out.fatal) << key;
        EXPECT_TRUE(out.has_arrived) << key;
        EXPECT_EQ(out.arrived.str(), key);
        ASSERT_NE(queue.find(key), nullptr) << key;
        EXPECT_EQ(queue.find(key)->name.str(), name);
    }
    void SetUp() override { session.id = 42; }
    vux_desktop_session session;
    orbel_site_queue queue;
};

TEST_F(SiteQueueTest, fetches_each_missing_key_once_in_order) {
    queue.enqueue_missing(groups({"a", "b", "a"}));
    expect_next("a", 1);
    queue.enqueue_missing(groups({"a", "b", "c"}));  // a is out, b queued: only c joins
    EXPECT_EQ(queue.queued_count(), 2);
    arrive("a");
    expect_next("b", 1);
    arrive("b");
    expect_next("c", 1);
    arrive("c");
    EXPECT_FALSE(queue.busy());
    queue.enqueue_missing(groups({"a", "b", "c"}));
    EXPECT_EQ(queue.take_next(session), nullptr);
    EXPECT_EQ(queue.cached_count(), 3);
}

TEST_F(SiteQueueTest, an_update_made_during_a_fetch_goes_after_it_and_its_reply_wins) {
    queue.enqueue_missing(groups({"a"}));
    expect_next("a", 1);
    auto update = std::make_unique<vux_desktop_request_site>();
    update->operation = 2;
    update->key = "a";
    queue.enqueue_request(std::move(update));
    arrive("a", "旧");
    expect_next("a", 2);
    arrive("a", "新");
    EXPECT_EQ(queue.queued_count(), 0);
    EXPECT_EQ(queue.cached_count(), 1);
}

TEST_F(SiteQueueTest, replies_that_end_the_program_or_are_refused) {
    const QString system_failure = orbel_string(orbel_ids_system_failure);
    const struct {
        const char* label;
        std::optional<vux_desktop_response_site> r;
        bool fatal;
        QString message;
    } cases[] = {
        {"not a whole 3913", std::nullopt, true, system_failure},
        {"another key", reply("b"), true, system_failure},
        {"a blank key", reply(""), true, system_failure},
        {"result 1", reply("a", 1), true, system_failure},
        {"refused", reply("a", -1), false, QStringLiteral("服务器拒绝了该操作。")},
    };
    for (const auto& c : cases) {
        orbel_site_queue q;
        q.enqueue_missing(groups({"a", "b"}));
        ASSERT_NE(q.take_next(session), nullptr);
        const orbel_site_queue::outcome out = q.on_reply(c.r ? &*c.r : nullptr);
        EXPECT_EQ(out.fatal, c.fatal) << c.label;
        EXPECT_EQ(out.message, c.message) << c.label;
        EXPECT_FALSE(out.has_arrived) << c.label;
        EXPECT_EQ(q.cached_count(), 0) << c.label;
        EXPECT_FALSE(q.busy()) << c.label;
        if (!c.fatal) {  // a refusal goes on with the queue
            auto next = q.take_next(session);
            ASSERT_NE(next, nullptr);
            EXPECT_EQ(next->key.str(), "b");
        }
    }
    const vux_desktop_response_site unasked = reply("a");
    EXPECT_TRUE(queue.on_reply(&unasked).fatal) << "a reply with nothing out";
    queue.enqueue_missing(groups({"a"}));
    ASSERT_NE(queue.take_next(session), nullptr);
    const orbel_site_queue::outcome failed = queue.on_failure();
    EXPECT_TRUE(failed.fatal);
    EXPECT_EQ(failed.message, orbel_string(orbel_ids_network_failure));
}

// A deleted site's key may come back for a new site: its old copy must not
// stand in for it.
TEST_F(SiteQueueTest, a_key_the_list_no_longer_holds_is_forgotten_and_fetched_anew_when_it_returns) {
    queue.enqueue_missing(groups({"a", "b"}));
    expect_next("a", 1);
    arrive("a");
    expect_next("b", 1);
    arrive("b", "旧");
    auto update = std::make_unique<vux_desktop_request_site>();
    update->operation = 2;
    update->key = "a";
    queue.enqueue_request(std::move(update));
    queue.enqueue_missing(groups({"a"}));
    EXPECT_EQ(queue.find("b"), nullptr);
    EXPECT_NE(queue.find("a"), nullptr);
    EXPECT_EQ(queue.queued_count(), 1) << "the update stays queued";
    expect_next("a", 2);
    arrive("a");
    queue.enqueue_missing(groups({"a", "b"}));
    expect_next("b", 1);
    arrive("b", "");
}

TEST_F(SiteQueueTest, refresh_forgets_the_cache_but_keeps_queued_updates) {
    queue.enqueue_missing(groups({"a", "b"}));
    expect_next("a", 1);
    arrive("a");
    auto update = std::make_unique<vux_desktop_request_site>();
    update->operation = 3;
    update->key = "a";
    queue.enqueue_request(std::move(update));
    queue.clear_cache();
    EXPECT_EQ(queue.find("a"), nullptr);
    EXPECT_EQ(queue.queued_count(), 1);
    expect_next("a", 3);
}

}  // namespace
