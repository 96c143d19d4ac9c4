#pragma once
#include <type_traits>
#include "core/vux_object.h"
#include "markup/runtime/vux_engine.h"

// Holds a copy of one host table. call() forwards to an entry with the
// table's user pointer first; an entry the host left null answers 0 or null.
template <class Table>
class vux_host_table : public vux_object {
public:
    vux_host_table() : table_{} {}

    void set(const Table* table) { table_ = table ? *table : Table{}; }
    const Table& table() const { return table_; }

    template <class R, class... P, class... A>
    R call(R (*Table::*entry)(void*, P...), A&&... args) const {
        auto f = table_.*entry;
        if (!f) {
            if constexpr (std::is_void_v<R>)
                return;
            else
                return R{};
        }
        return f(table_.user, static_cast<P>(args)...);
    }

private:
    Table table_;
};
