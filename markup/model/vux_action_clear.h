#pragma once
#include "core/vux_type_codes.h"
#include "markup/model/vux_model_record.h"
#include "markup/model/vux_prediction.h"

// Clears kinds of document content selected by its flag word.
class vux_action_clear : public vux_model_record<vux_action_clear, vux_type_action_clear, vux_prediction> {
public:
    const char* class_name() const override { return "vux_action_clear"; }
    void fields(vux_field_visitor& v) override;

    // Bit n of `what` as 0 or 1 (n in 0..10); the document applies bit 10
    // first, then bits 0 to 9.
    int32_t bit(int32_t n) const { return n >= 0 && n <= 10 ? int32_t(uint32_t(what) >> n & 1u) : 0; }
    int32_t bit_0() const { return bit(0); }
    int32_t bit_1() const { return bit(1); }
    int32_t bit_2() const { return bit(2); }
    int32_t bit_3() const { return bit(3); }
    int32_t bit_4() const { return bit(4); }
    int32_t bit_5() const { return bit(5); }
    int32_t bit_6() const { return bit(6); }
    int32_t bit_7() const { return bit(7); }
    int32_t bit_8() const { return bit(8); }
    int32_t bit_9() const { return bit(9); }
    int32_t bit_10() const { return bit(10); }

    int32_t what = 0;   // flag word: bit 10 is applied first, then bits 0..9
    vux_string target;  // name prefix of what is cleared
};
