#pragma once
#include <QDialog>
#include <QString>

#include "client/content/orbel_item_detail.h"
#include "core/vux_string.h"
#include "core/vux_string_list.h"
#include "desktop/records/vux_desktop_news_list.h"
#include "desktop/records/vux_desktop_notice_list.h"
#include "desktop/records/vux_desktop_vote_list.h"

class QPushButton;
class orbel_list_box;
class vux_desktop_site;

// What the news, notice and vote lists share: rows on a working copy of the
// site's list, new items on top, deletion by state, details of a row.
// Nothing is sent from here: after OK the caller exports the changed items.
class orbel_item_list : public QDialog {
    Q_OBJECT
public:
    // Runs the add step (the add dialog, then the new item on top).
    void add();
    void remove_selected();
    void show_selected();

protected:
    struct texts {
        const char* id;
        QString title;
        QString add;
        QString remove;
        QString limit;
    };
    orbel_item_list(const texts& t, const QString& management_name, QWidget* parent);
    // One row per item of the working copy, in list order.
    void fill();

    virtual int32_t item_count() const = 0;
    virtual const vux_string& item_key(int32_t i) const = 0;
    virtual QString row_text(int32_t i) const = 0;
    virtual int32_t find(const vux_string& key) const = 0;
    virtual int32_t& state_of(int32_t i) = 0;
    // Runs the kind's add dialog; on OK appends the new item and returns its
    // index, else -1.
    virtual int32_t run_add() = 0;
    virtual void run_detail(int32_t i) = 0;

private:
    void update_buttons();
    void insert_row(int row, int32_t item);

    orbel_list_box* list_;
    QPushButton* detail_;
    QPushButton* delete_;
    vux_string_list keys_;
    QString limit_;
};

// The working copy of one kind of list, with its kind of detail dialog.
template <class List, class Detail>
class orbel_item_list_of : public orbel_item_list {
public:
    const List& items() const { return list_; }
    // Appends the changed items (state neither 0 nor 4) to target; how many.
    int32_t export_changed(List& target) const {
        const int32_t before = target.items.get_count();
        list_.export_changed(target);
        return target.items.get_count() - before;
    }

protected:
    orbel_item_list_of(const texts& t, const QString& management_name, const List& list, QWidget* parent)
        : orbel_item_list(t, management_name, parent) {
        list.copy_to(list_);
    }
    int32_t item_count() const override { return list_.items.get_count(); }
    const vux_string& item_key(int32_t i) const override { return list_.items.at(i)->key; }
    int32_t find(const vux_string& key) const override { return list_.find_by_key(key); }
    int32_t& state_of(int32_t i) override { return list_.items.at(i)->state; }
    void run_detail(int32_t i) override {
        auto& item = *list_.items.at(i);
        Detail dialog(item, this);
        dialog.exec();
        dialog.keep_picture(item.picture);
    }

    List list_;
};

// News (dialog 126).
class orbel_news : public orbel_item_list_of<vux_desktop_news_list, orbel_news_detail> {
    Q_OBJECT
public:
    orbel_news(const QString& management_name, const vux_desktop_news_list& list, QWidget* parent);

protected:
    QString row_text(int32_t i) const override;
    int32_t run_add() override;
};

// Notices (dialog 127).
class orbel_notice : public orbel_item_list_of<vux_desktop_notice_list, orbel_notice_detail> {
    Q_OBJECT
public:
    orbel_notice(const QString& management_name, const vux_desktop_notice_list& list, QWidget* parent);

protected:
    QString row_text(int32_t i) const override;
    int32_t run_add() override;
};

// Votes (dialog 129).
class orbel_vote : public orbel_item_list_of<vux_desktop_vote_list, orbel_vote_detail> {
    Q_OBJECT
public:
    orbel_vote(const QString& management_name, const vux_desktop_vote_list& list, QWidget* parent);

protected:
    QString row_text(int32_t i) const override;
    int32_t run_add() override;
};

// The site manager's news, notices and votes: the list on a copy of the
// site's list, modal. On OK its changed items are appended to the update's
// list of that kind and, when any was, the kind's change bit (news 0x800000,
// notices 0x1000000, votes 0x2000000) is set in update.change_mask. Returns
// the bit set, 0 when nothing is to be sent.
int32_t orbel_run_news(QWidget* parent, const QString& management_name, const vux_desktop_site& site,
                       vux_desktop_site& update);
int32_t orbel_run_notices(QWidget* parent, const QString& management_name, const vux_desktop_site& site,
                          vux_desktop_site& update);
int32_t orbel_run_votes(QWidget* parent, const QString& management_name, const vux_desktop_site& site,
                        vux_desktop_site& update);
