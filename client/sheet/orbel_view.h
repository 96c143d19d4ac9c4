#pragma once
#include <QDialog>

#include "core/vux_string.h"

class orbel_code;
class orbel_tool_tips;

// Dialog 124 "查看二维码": a site's QR code (1010), "保存" (1069) to save
// it as a PNG file, "取消" (2).
class orbel_view : public QDialog {
    Q_OBJECT
public:
    explicit orbel_view(const vux_string& site_id, QWidget* parent = nullptr);

    orbel_code* code() const { return code_; }

private:
    void save();

    orbel_code* code_;
    orbel_tool_tips* tips_;
};
