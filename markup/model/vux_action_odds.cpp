#include "markup/model/vux_action_odds.h"
#include "markup/model/vux_model_factory.h"

void vux_action_odds::fields(vux_field_visitor& v) {
    vux_prediction::fields(v);
    v.int32("operation", operation);
    v.int32("sorted", sorted);
    v.int32("locate_exact", locate_exact);
    v.int32("min_bits", min_bits);
    v.int32("max_results", max_results);
    v.string("odds_name", odds_name);
    v.string("item_variable", item_variable);
    v.string("query_variable", query_variable);
    v.string("count_variable", count_variable);
    v.string("index_variable", index_variable);
    v.string("exact_variable", exact_variable);
}
