#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/vux_link.h"
#include "core/vux_string.h"
#include "core/vux_unicode.h"

// A contact list file: its bytes decoded to UTF-16 by their byte-order mark
// (or, without one, as GBK or UTF-8), then one contact per line. Plain C++:
// the GBK decoder comes from the caller (the client passes Qt's), so the
// reader also runs under the fuzzer.
class orbel_textfile {
public:
    // Larger files are refused unread: a contact list is never that long,
    // and the whole file is held in memory several times over.
    static constexpr int64_t max_file_size = 16 * 1024 * 1024;

    // Decodes code-page 936 bytes into out; false when they do not decode.
    using gbk_decoder = bool (*)(const uint8_t* data, int32_t length, std::u16string& out);

    struct pair {
        vux_string value;  // the number or e-mail address, UTF-8
        vux_unicode name;
    };

    // The decoded text; false (text empty) when the bytes are in no form
    // the reader takes.
    bool decode(const vux_link& bytes, gbk_decoder gbk);
    // The lines of text() into pairs(); false (pairs empty) when any line
    // does not parse.
    bool parse();

    const std::u16string& text() const { return text_; }
    void set_text(std::u16string text) { text_ = std::move(text); }
    const std::vector<pair>& pairs() const { return pairs_; }

    // One line into a pair; false when it is not "name, separator, value".
    static bool parse_line(std::u16string_view line, pair& out);

private:
    std::u16string text_;
    std::vector<pair> pairs_;
};

// What an import of these bytes comes to: 0 pairs ready, else the message to
// show ("文本文件不能为空!", "不支持的文件格式!", "无法正确解析数据，请查看文件格式说明!");
// a file that cannot be opened is passed over without a word.
enum class orbel_import_error { none, empty, format, parse, unopened };
orbel_import_error orbel_read_contacts(const vux_link& bytes, orbel_textfile::gbk_decoder gbk, orbel_textfile& out);
