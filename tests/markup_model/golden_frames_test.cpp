// Every runtime message against a frame written by hand from the field
// tables: decoded field by field, then encoded back to the same bytes.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "golden_bytes.h"
#include "markup/model/vux_runtime_messages.h"

namespace {

golden_form session() { return golden_form().i(-4242).s("令牌一").s("令牌二").s("令牌三"); }

golden_form home() { return golden_form().i(8080).s("服务.例子.cn").s("/运行").then(session()); }

golden_form device() {
    golden_form f;
    for (int32_t v : {0x3F, 480, 800, -1, 2, 3, 4, 5}) f.i(v);
    return f.s("设备").s("460001234567890").s("86012345678901X").s("型号").strings({"附加"});
}

std::vector<golden_message> golden_cases() {
    return {
        {1300,
         golden_form().i(7).s("身份甲").s("身份乙").then(session()).then(device()).s("入口").strings({"一", "二"})},
        {1301, golden_form().i(-99).i(1).strings({"回复"})},
        {1302, golden_form()
                   .i(-12)
                   .i(8)
                   .then(session())
                   .s("目标一")
                   .s("目标二")
                   .strings({"值一", "值二"})
                   .b({0, 0xFF, 0x80, 'z'})
                   .s("附言")
                   .strings({"额外"})},
        {1303, golden_form().i(2).i(-1).strings({"继续", "更多"})},
        {1304, golden_form().i(1).s("用户").s("密码").s("第三").strings({"登录"})},
        {1305, golden_form().then(home()).strings({"欢迎"})},
        {1306, golden_form().i(9).i(-3).i(-99).i(4).then(session()).s("轮询").strings({"队列"})},
        {1307, golden_form().i(-5).i(6).strings({"轮询回复"})},
        {1308, golden_form().s("串一").s("串二").s("串三").s("串四").s("串五").s("串六").strings({"注册"})},
        {1309, golden_form().s("新用户").s("新密码").then(home()).strings({"注册回复"})},
    };
}

}  // namespace

TEST(RuntimeGolden, EveryMessageDecodesFieldByFieldAndEncodesBack) {
    expect_golden_messages(vux_runtime_message_table(), golden_cases());
}

TEST(RuntimeGolden, TheSameBytesSeedTheFuzzCorpus) {
    expect_golden_seeds(VUX_SOURCE_DIR, "markup_document", golden_cases());
}
