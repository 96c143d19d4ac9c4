#include "client/content/orbel_chat.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "client/content/orbel_message_rules.h"
#include "client/controls/orbel_richedit.h"
#include "client/start/orbel.h"
#include "desktop/messages/vux_desktop_request_message.h"
#include "desktop/messages/vux_desktop_response_message.h"
#include "gui/orbel_text.h"

using rules = orbel_message_rules;

orbel_chat::orbel_chat(const vux_string& site_key, const vux_string& member_key, const QString& site_name,
                       const QString& member_name, QWidget* parent)
    : orbel_message_dialog(parent),
      site_key_(site_key),
      member_key_(member_key),
      site_name_(site_name),
      member_name_(member_name) {
    setObjectName(QStringLiteral("121"));
    setWindowTitle(QStringLiteral("%1 - 私信").arg(member_name));
    transcript_ = new orbel_richedit(this);
    transcript_->setObjectName(QStringLiteral("1048"));
    transcript_->setStyleSheet(QStringLiteral("QTextEdit { background: #FFFFD7; }"));
    transcript_->set_default_format();
    edit_ = new QPlainTextEdit(this);
    edit_->setObjectName(QStringLiteral("1038"));
    edit_->setMaximumHeight(80);
    edit_->installEventFilter(this);
    refresh_ = new QPushButton(QStringLiteral("刷新"), this);
    refresh_->setObjectName(QStringLiteral("1008"));
    send_ = new QPushButton(QStringLiteral("发送"), this);
    send_->setObjectName(QStringLiteral("1050"));
    for (QPushButton* b : {refresh_, send_}) b->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(refresh_);
    buttons->addWidget(send_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(transcript_, 1);
    layout->addWidget(edit_);
    layout->addLayout(buttons);
    resize(520, 420);

    connect(refresh_, &QPushButton::clicked, this, &orbel_chat::poll);
    connect(send_, &QPushButton::clicked, this, &orbel_chat::send_text);
    connect(edit_, &QPlainTextEdit::textChanged, this, &orbel_chat::on_idle);
    connect(&timer(), &QTimer::timeout, this, &orbel_chat::poll);
    edit_->setFocus();
    on_idle();
}

void orbel_chat::on_idle() {
    refresh_->setEnabled(!busy());
    send_->setEnabled(rules::can_send(busy(), edit_->toPlainText()));
}

void orbel_chat::poll() {
    stop_timer();
    if (busy()) return;
    vux_desktop_request_message request;
    rules::chat_request(rules::chat_poll_operation, site_key_, member_key_, messages_, vux_string(),
                        orbel_app().session, request);
    send(request);
    on_idle();
}

void orbel_chat::send_text() {
    const QString text = edit_->toPlainText();
    if (!rules::can_send(busy(), text)) return;
    stop_timer();
    edit_->clear();
    sent_ = true;
    vux_desktop_request_message request;
    rules::chat_request(rules::chat_send_operation, site_key_, member_key_, messages_, orbel_to_utf8(text),
                        orbel_app().session, request);
    send(request);
    on_idle();
}

void orbel_chat::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        send_text();
        return;
    }
    orbel_message_dialog::keyPressEvent(event);
}

bool orbel_chat::eventFilter(QObject* watched, QEvent* event) {
    // Enter in the message edit sends; it never breaks the line.
    if (watched == edit_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            send_text();
            return true;
        }
    }
    return orbel_message_dialog::eventFilter(watched, event);
}

void orbel_chat::on_message(const vux_desktop_response_message& reply) {
    reply.messages.append_copies_to(messages_);
    for (int32_t i = 0; i < reply.messages.messages.get_count(); ++i) append(*reply.messages.messages.at(i));
    start_timer();
}

void orbel_chat::append(const vux_desktop_message& message) {
    const bool was_at_end = transcript_->at_bottom();
    auto to_end = [this] {
        QTextCursor cursor = transcript_->textCursor();
        cursor.movePosition(QTextCursor::End);
        transcript_->setTextCursor(cursor);
    };
    const rules::sender_style style = rules::sender(message.sender, site_key_, member_key_, site_name_, member_name_);
    to_end();
    transcript_->set_color(rules::time_color);
    transcript_->add_text(rules::time_text(message.time, false));
    to_end();
    transcript_->set_indent(0);
    if (style.name_color >= 0) transcript_->set_color(style.name_color);
    transcript_->add_text(style.line);
    to_end();
    transcript_->set_indent(rules::text_indent);
    if (style.text_color >= 0) transcript_->set_color(style.text_color);
    transcript_->add_text(orbel_to_qstring(message.text) + QStringLiteral("\n\n"));
    if (was_at_end) {
        to_end();
        transcript_->verticalScrollBar()->setValue(transcript_->verticalScrollBar()->maximum());
    }
}
