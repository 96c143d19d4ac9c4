#include "tools/vux_service_network.h"
#include <cstdlib>
#include <string>
#include "toolkit/vux_image_host.h"

vux_service_network::vux_service_network() {
    table_.user = this;
    table_.open_connection = [](void* user, const uint8_t* bytes, int length) {
        auto& n = *static_cast<vux_service_network*>(user);
        n.waiting_.emplace_back(n.next_id_, QByteArray(reinterpret_cast<const char*>(bytes), length));
        return n.next_id_++;
    };
    table_.close_connection = [](void* user, int id) {
        std::erase_if(static_cast<vux_service_network*>(user)->waiting_, [id](const auto& c) { return c.first == id; });
    };
}

void vux_service_network::attach(vux_engine* e) { vux_engine_set_network(e, &table_); }

void vux_service_network::answer(vux_engine* e) {
    const auto now = std::exchange(waiting_, {});
    for (const auto& [id, request] : now) {
        const qsizetype body = request.indexOf("\r\n\r\n");
        if (body < 0) {
            vux_engine_on_socket_error(e, id);
            continue;
        }
        const QByteArray reply = service.respond(request.left(body + 4), request.mid(body + 4)).bytes;
        vux_engine_on_socket_ready(e, id);
        vux_engine_on_socket_data(e, id, reinterpret_cast<const uint8_t*>(reply.constData()), int(reply.size()));
    }
}

bool vux_service_network::run_until_ok(vux_engine* e, vux_image_host& host, const char* variable, int rounds) {
    auto ok = [&] {
        char* v = vux_engine_get_variable(e, variable);
        const bool yes = v && std::string(v) == "ok";
        std::free(v);
        return yes;
    };
    for (int i = 0; i < rounds && !ok(); ++i) {
        answer(e);
        host.feed(e, "tick 1");
    }
    return ok();
}
