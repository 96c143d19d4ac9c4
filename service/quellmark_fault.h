#pragma once
#include <QString>
#include <cstdint>
#include <optional>

// A misbehaviour the service shows on demand, so that tests can walk every
// failure path of the programs against a real peer.
struct quellmark_fault {
    enum kind_t {
        status,       // the response's first field (its result) = value (default 1)
        wrong_code,   // the frame names another type code: value (default the code + 2)
        truncated,    // value bytes (default 5) cut off the end of the frame; Content-Length fits the cut body
        early_close,  // only the first value bytes of the HTTP reply are sent, then the connection closes
        delay,        // the answer waits value milliseconds
        http_status,  // the status line carries value (default 500) instead of 200
    };

    kind_t kind = status;
    // Request code it applies to; 0 for every request.
    int32_t code = 0;
    // The kind's amount; unset takes the kind's default.
    std::optional<int64_t> value;
    // Requests it applies to before it wears off; -1 for ever.
    int32_t times = -1;

    int64_t value_or_default(int32_t response_code) const;
};

// "kind[:value][@code][*times]", for instance "status:-1@3906", "delay:2000",
// "early_close:0@3904*1". False for a text that names no kind or holds a
// number that does not parse.
bool quellmark_parse_fault(const QString& text, quellmark_fault& out);
