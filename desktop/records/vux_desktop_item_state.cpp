#include "desktop/records/vux_desktop_item_state.h"
#include <chrono>

int32_t vux_desktop_now() {
    using namespace std::chrono;
    const int64_t seconds = duration_cast<std::chrono::seconds>(system_clock::now().time_since_epoch()).count();
    return int32_t(uint32_t(uint64_t(seconds)));
}
