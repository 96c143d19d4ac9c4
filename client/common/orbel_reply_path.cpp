#include "client/common/orbel_reply_path.h"

#include "core/vux_link.h"
#include "desktop/vux_desktop_accept.h"

int32_t orbel_reply_path::take_awaited(int32_t id) {
    auto it = awaited_.find(id);
    if (it == awaited_.end() || !takes_replies()) return 0;
    const int32_t code = it->second;
    awaited_.erase(it);
    return code;
}

void orbel_reply_path::on_reply(int32_t id, const vux_buffer& body) {
    const int32_t code = take_awaited(id);
    if (code == 0) return;
    // A queued call's function is copied: the decoded record travels in a
    // shared holder.
    auto reply =
        std::make_shared<std::unique_ptr<vux_record>>(vux_desktop_accept(vux_link(body.data(), body.length()), {code}));
    QMetaObject::invokeMethod(
        &context_, [this, code, reply] { take_reply(code, std::move(*reply)); }, Qt::QueuedConnection);
}

void orbel_reply_path::on_failure(int32_t id) {
    if (take_awaited(id) == 0) return;
    QMetaObject::invokeMethod(
        &context_, [this] { take_failure(); }, Qt::QueuedConnection);
}
