// Contacts and share entries of the stored sites.
#include "service/quellmark_contact_handlers.h"

#include <array>
#include <cstring>
#include <vector>

#include "desktop/messages/vux_desktop_request_site.h"
#include "desktop/messages/vux_desktop_response_site.h"
#include "desktop/records/vux_desktop_item_state.h"
#include "desktop/records/vux_desktop_site_change.h"
#include "service/quellmark_service_state.h"

namespace {
constexpr int32_t share_operation = 3;
// A site the account does not hold: the client says the service refused.
constexpr int32_t refused = -1;
constexpr int32_t entry_size = vux_desktop_contact::entry_size;
using entry = std::array<uint8_t, entry_size>;

std::vector<entry> entries_of(const vux_desktop_contact& table) {
    std::vector<entry> out(size_t(table.entry_count()));
    for (size_t i = 0; i < out.size(); ++i)
        std::memcpy(out[i].data(), table.entries.data() + i * entry_size, entry_size);
    return out;
}

bool same_key(const entry& a, const entry& b) {
    return std::memcmp(a.data() + vux_desktop_contact::key_offset, b.data() + vux_desktop_contact::key_offset,
                       vux_desktop_contact::key_size) == 0;
}

void apply_table(vux_desktop_contact& stored, const vux_desktop_contact& changes) {
    std::vector<entry> held = entries_of(stored);
    for (entry change : entries_of(changes)) {
        const int32_t state = change[vux_desktop_contact::state_offset];
        auto found = held.begin();
        while (found != held.end() && !same_key(*found, change)) ++found;
        if (state == vux_desktop_state_added) {
            change[vux_desktop_contact::state_offset] = vux_desktop_state_received;
            change[vux_desktop_contact::icon_offset] =
                found == held.end() ? 0 : (*found)[vux_desktop_contact::icon_offset];
            if (found == held.end())
                held.push_back(change);
            else
                *found = change;
        } else if (state == vux_desktop_state_deleted && found != held.end()) {
            held.erase(found);
        }
    }
    vux_buffer bytes;
    for (const entry& e : held) bytes.append_bytes(e.data(), entry_size);
    stored.entries = std::move(bytes);
}

std::unique_ptr<vux_record> share(const vux_desktop_request_site& request, quellmark_context& c) {
    auto response = std::make_unique<vux_desktop_response_site>();
    response->key = request.key;
    quellmark_account* account = c.state.account_of(request.session);
    if (!account) {
        response->result = quellmark_result_no_session;
        return response;
    }
    vux_desktop_site* site = c.state.editable_site(*account, request.key);
    if (!site) {
        response->result = refused;
        return response;
    }
    quellmark_apply_share_entries(*site, request.data);
    response->site.copy_from(*site);
    return response;
}
}  // namespace

void quellmark_apply_contact_update(vux_desktop_site& site, const vux_desktop_site& update) {
    if (update.change_mask & vux_desktop_site_change::managers) apply_table(site.managers, update.managers);
    if (update.change_mask & vux_desktop_site_change::members) apply_table(site.members, update.members);
    if (update.change_mask & vux_desktop_site_change::waiters) apply_table(site.waiters, update.waiters);
}

void quellmark_apply_share_entries(vux_desktop_site& site, const vux_link& digests) {
    constexpr int32_t n = vux_desktop_site::share_entry_size;
    for (int32_t at = 0; at + n <= digests.length(); at += n) {
        const uint8_t* digest = digests.data() + at;
        bool held = false;
        for (int32_t i = 0; i + n <= site.share_data.length() && !held; i += n)
            held = std::memcmp(site.share_data.data() + i, digest, n) == 0;
        if (!held) site.share_data.append_bytes(digest, n);
    }
}

void quellmark_add_contact_handlers(quellmark_handler_table& table) {
    table[{vux_desktop_request_site::code, share_operation}] = quellmark_handler_for<vux_desktop_request_site>(share);
}
