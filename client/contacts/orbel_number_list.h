#pragma once
#include <QString>
#include <functional>
#include <string_view>

#include "core/vux_buffer.h"
#include "core/vux_string_list.h"

// The number lists of the SMS and share dialogs: one number per line, each
// line '1', ten digits, CR LF (the last line may lack its CR LF).
namespace orbel_number_list {

enum result : int {
    accepted = 0,
    bad_length = 1,      // "数据长度有错误!"
    bad_first = 2,       // "电话号码第一位有误!"
    trailing_space = 3,  // "行结尾存在多余的空格!"
    bad_line_end = 4,    // "数据换行有错误!"
    bad_digit = 5,       // "电话号码格式不对!"
    refused = 6,         // SMS: too many numbers; share: a bad digest
    bad_end = 7,         // "数据结尾有错误!"
};

// Walks CR LF text; each complete number goes to on_number, which may
// refuse it (the walk then stops with 6).
int walk_numbers(std::u16string_view text, const std::function<bool(std::u16string_view)>& on_number);
// Walks CR LF text of 32-hex-digit lines, appending each digest in lower
// case to out.
int walk_digests(std::u16string_view text, vux_buffer& out);

// The message of a result; `share` picks the share dialog's text for 6.
QString message(int result, bool share);

// The SMS dialog's OK rule: a verification text of 1-15 characters (after
// trimming), then at most 100 distinct numbers in first-seen order.
struct sms_outcome {
    QString message;     // shown when not empty; the dialog stays
    bool close = false;  // OK closes the dialog
    vux_string_list numbers;
};
inline constexpr int sms_max_numbers = 100;
inline constexpr int sms_max_text = 15;
sms_outcome sms_rule(const QString& verification, const QString& numbers_text);

// The share dialog's OK rule: numbers (each as its MD5 digest) or digests,
// duplicates kept.
struct share_outcome {
    QString message;
    bool close = false;
    vux_buffer digests;  // 32 bytes each
};
share_outcome share_rule(const QString& numbers_text);

}  // namespace orbel_number_list
