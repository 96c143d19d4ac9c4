#pragma once
#include <cstdint>
#include <string_view>

// The longest name a document may give a file of the host's.
inline constexpr int32_t vux_file_name_max_bytes = 128;

// A name that the host may use as a file of its own folder: 1 to 128 bytes of
// well-formed UTF-8, no folder separator, nothing that climbs out of the
// folder or hides ("..", a leading "."), no control characters.
bool vux_file_name_safe(std::string_view name);
