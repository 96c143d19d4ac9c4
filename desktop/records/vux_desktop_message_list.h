#pragma once
#include "core/vux_record.h"
#include "desktop/records/vux_desktop_message.h"

class vux_desktop_message_list : public vux_record {
public:
    vux_record_list<vux_desktop_message> messages;

    const char* class_name() const override { return "vux_desktop_message_list"; }
    void fields(vux_field_visitor& v) override { messages.visit(v, "messages"); }

    // This list's messages destroyed, then deep copies of other's.
    void assign(const vux_desktop_message_list& other) { messages.assign_copies(other.messages); }
    // Appends deep copies of this list's messages to target.
    void append_copies_to(vux_desktop_message_list& target) const {
        if (&target == this) {
            // Copying a list onto itself must not chase its own new items.
            vux_record_list<vux_desktop_message> copies;
            vux_record_list<vux_desktop_message>::append_copies_to(messages, copies);
            for (auto& item : copies.take_all()) target.messages.append(std::move(item));
            return;
        }
        vux_record_list<vux_desktop_message>::append_copies_to(messages, target.messages);
    }
};
