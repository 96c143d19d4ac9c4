#include "service/quellmark_handler.h"

#include <climits>

#include "desktop/messages/vux_desktop_request_site.h"

int32_t quellmark_operation_of(const vux_record& request) {
    if (const auto* site = dynamic_cast<const vux_desktop_request_site*>(&request)) return site->operation;
    return quellmark_any_operation;
}

const quellmark_handler* quellmark_find_handler(const quellmark_handler_table& table, int32_t code,
                                                const vux_record& request) {
    const int32_t operation = quellmark_operation_of(request);
    if (operation != quellmark_any_operation)
        if (auto own = table.find({code, operation}); own != table.end()) return &own->second;
    auto general = table.find({code, quellmark_any_operation});
    return general == table.end() ? nullptr : &general->second;
}

bool quellmark_handles(const quellmark_handler_table& table, int32_t code) {
    auto first = table.lower_bound({code, INT32_MIN});
    return first != table.end() && first->first.code == code;
}
