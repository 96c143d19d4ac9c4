#include <gtest/gtest.h>
#include <string>
#include "core/vux_file_name.h"

TEST(FileName, only_plain_names_of_one_folder_pass) {
    const struct {
        std::string name;
        bool safe;
    } rows[] = {
        {"notes.txt", true},
        {"\xe4\xb8\xad\xe6\x96\x87.bin", true},  // two CJK characters
        {"\xf0\x9f\x98\x80", true},              // a four-byte character
        {std::string(128, 'n'), true},
        {std::string(129, 'n'), false},
        {"", false},
        {"a/b", false},
        {"/", false},
        {"a\\b", false},
        {"..", false},
        {"a..b", false},
        {"x/../y", false},
        {".hidden", false},
        {"a\nb", false},
        {"tab\tname", false},
        {"del\x7f", false},
        {std::string("nul\0x", 5), false},
        {"\xff\xfe", false},          // no UTF-8 at all
        {"\xc0\xaf", false},          // overlong '/'
        {"\xed\xa0\x80", false},      // a lone surrogate
        {"\xf4\x90\x80\x80", false},  // above U+10FFFF
        {"\xe4\xb8", false},          // cut short
    };
    for (const auto& r : rows) EXPECT_EQ(vux_file_name_safe(r.name), r.safe) << r.name;
}
