#pragma once
#include <QDialog>
#include <QString>

#include "desktop/records/vux_desktop_data.h"

class QGridLayout;
class orbel_richedit;
class orbel_static_picture;
class vux_desktop_news;
class vux_desktop_notice;
class vux_desktop_vote;

// What the three detail dialogs share: every field read-only, the picture
// downloaded as the dialog opens when only its name is known, and OK and
// cancel ignored while that download is out.
class orbel_item_detail : public QDialog {
    Q_OBJECT
public:
    bool downloading() const;
    void done(int result) override;
    // After the dialog: when the item had no picture bytes and the control
    // now holds some, they go into the item, so a picture is fetched once.
    void keep_picture(vux_desktop_data& picture) const;

protected:
    orbel_item_detail(const char* id, const QString& title, QWidget* parent);
    void add_row(const QString& label, QWidget* control);
    orbel_richedit* add_text(const char* id, const QString& label, const QString& text);
    void add_check(const char* id, const QString& label, int32_t value);
    // The common fields, then the buttons; `picture` starts its download
    // when it has a name and no bytes.
    void finish(const vux_string& author, int32_t time, const vux_desktop_data& picture);

    void showEvent(QShowEvent* event) override;

private:
    QGridLayout* grid_;
    orbel_static_picture* picture_;
    vux_string picture_name_;
    bool had_bytes_ = false;
    bool started_ = false;
    int rows_ = 0;
};

class orbel_news_detail : public orbel_item_detail {
    Q_OBJECT
public:
    orbel_news_detail(const vux_desktop_news& item, QWidget* parent);
};

class orbel_notice_detail : public orbel_item_detail {
    Q_OBJECT
public:
    orbel_notice_detail(const vux_desktop_notice& item, QWidget* parent);
};

class orbel_vote_detail : public orbel_item_detail {
    Q_OBJECT
public:
    orbel_vote_detail(const vux_desktop_vote& item, QWidget* parent);
};
