#pragma once
#include <QDialog>

#include "core/vux_buffer.h"
#include "core/vux_string.h"

class QLabel;
class QPlainTextEdit;
class vux_desktop_request_site;
class vux_desktop_site;

// The share dialog (116 "分享"): mobile numbers or their MD5 digests, one a
// line, become the site's share entries (32-byte digests).
class orbel_share : public QDialog {
    Q_OBJECT
public:
    // `count` is the site's share count, shown as "总的分享数：%d".
    explicit orbel_share(int32_t count, QWidget* parent = nullptr);

    // The digests, back to back (after OK).
    const vux_buffer& digests() const { return digests_; }

    // The site manager's share command: on OK fills the request as operation
    // 3 for `key` with the digests as its data (the site left as default);
    // the caller queues it through the cache. False when cancelled.
    static bool run(const vux_desktop_site& site, const vux_string& key, QWidget* parent,
                    vux_desktop_request_site& request);

    void accept() override;

private:
    QPlainTextEdit* numbers_text_;
    vux_buffer digests_;
};
