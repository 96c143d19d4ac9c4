#include "emulator/orbel_client_input.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>

#include "emulator/orbel_dialog_buttons.h"
#include "gui/orbel_emoticon_list.h"
#include "gui/orbel_text.h"

orbel_input_title orbel_input_title_of(const QString& title) {
    if (title.startsWith('[')) {
        const qsizetype close = title.indexOf(']');
        if (close >= 0 && close + 1 < title.size()) return {title.mid(close + 1), true};
    }
    return {title, false};
}

QString orbel_input_limited(const QString& text, int maximum) {
    if (maximum <= 0 || text.size() <= maximum) return text;
    qsizetype n = maximum;
    if (text.at(n - 1).isHighSurrogate()) --n;
    return text.left(n);
}

orbel_client_input::orbel_client_input(bool single_line, int maximum, const QString& title, const QString& text,
                                       orbel_emoticon_source* source, QWidget* parent)
    : QDialog(parent), maximum_(maximum) {
    setObjectName("145");
    const orbel_input_title shown = orbel_input_title_of(title);
    setWindowTitle(shown.caption);

    edit_ = new QPlainTextEdit(this);
    edit_->setObjectName("1038");
    edit_->setFixedSize(504, 163);
    edit_->setPlainText(orbel_input_limited(orbel_lf_lines(text), maximum));
    edit_->installEventFilter(this);
    placeholder_ = new QLabel(QStringLiteral("表情"), this);
    placeholder_->setFixedSize(504, 117);
    placeholder_->hide();

    line_break_ = new QPushButton(QStringLiteral("插入换行"), this);
    line_break_->setObjectName("1097");
    line_break_->setAutoDefault(false);
    line_break_->setEnabled(!single_line);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(edit_);
    if (shown.grid && source) {
        grid_ = new orbel_emoticon_list(source, edit_, this);
        grid_->setFixedSize(placeholder_->size());
        layout->addWidget(grid_);
    }
    layout->addLayout(orbel_dialog_buttons(this, line_break_));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(line_break_, &QPushButton::clicked, this, [this] { insert_line_break(); });
    connect(edit_->document(), &QTextDocument::contentsChange, this,
            [this](int position, int, int added) { inserted_end_ = position + added; });
    connect(edit_, &QPlainTextEdit::textChanged, this, [this] { enforce_limit(); });
    edit_->setFocus();
}

QString orbel_client_input::text() const { return orbel_crlf_lines(edit_->toPlainText()); }

bool orbel_client_input::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void orbel_client_input::insert_line_break() {
    edit_->insertPlainText(QStringLiteral("\n"));
    edit_->setFocus();
}

void orbel_client_input::enforce_limit() {
    const QString all = edit_->toPlainText();
    if (maximum_ <= 0 || all.size() <= maximum_) return;
    // What went past the limit is cut from the end of the last insertion,
    // so typing or pasting in the middle never pushes text off the end.
    const int excess = int(all.size()) - maximum_;
    int end = std::clamp(inserted_end_, excess, int(all.size()));
    int start = end - excess;
    if (start > 0 && all.at(start - 1).isHighSurrogate() && all.at(start).isLowSurrogate()) --start;
    QSignalBlocker block(edit_);
    QTextCursor cursor(edit_->document());
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    edit_->setTextCursor(cursor);
}
