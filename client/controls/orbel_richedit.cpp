#include "client/controls/orbel_richedit.h"

#include <QApplication>
#include <QClipboard>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>

orbel_richedit::orbel_richedit(QWidget* parent) : QTextEdit(parent) {
    setAcceptRichText(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    set_editable(false);
    // Handed the focus while not editable (a click cannot: the view takes no
    // focus; a dialog's setFocus can), it gives it back to the widget of the
    // same window that had it. Only this signal names that widget: by the
    // focus-in event the application's focus widget is already this view.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (now != this || editable_) return;
        if (old && old != this && old->window() == window() && old->isEnabled() && old->isVisible())
            old->setFocus(Qt::OtherFocusReason);
        else
            clearFocus();
    });
}

void orbel_richedit::set_editable(bool editable) {
    editable_ = editable;
    setReadOnly(!editable);
    setTextInteractionFlags(editable ? Qt::TextEditorInteraction : Qt::TextSelectableByMouse);
    setFocusPolicy(editable ? Qt::StrongFocus : Qt::NoFocus);
    viewport()->setCursor(editable ? Qt::IBeamCursor : Qt::ArrowCursor);
}

void orbel_richedit::set_default_format() {
    QTextCharFormat format;
    format.setFont(QApplication::font());
    document()->setDefaultFont(QApplication::font());
    QTextCursor cursor = textCursor();
    cursor.mergeCharFormat(format);
    setCurrentCharFormat(format);
}

void orbel_richedit::set_color(int bgr) {
    QTextCharFormat format;
    format.setForeground(QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF));
    mergeCurrentCharFormat(format);
}

void orbel_richedit::set_indent(int twips) {
    QTextBlockFormat format;
    format.setLeftMargin(qreal(twips) * logicalDpiX() / 1440.0);
    format.setTextIndent(0);
    textCursor().mergeBlockFormat(format);
}

bool orbel_richedit::at_bottom() const {
    const QScrollBar* bar = verticalScrollBar();
    return bar->maximum() <= bar->minimum() || bar->value() >= bar->maximum();
}

void orbel_richedit::add_text(const QString& text) {
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text, currentCharFormat());
}

void orbel_richedit::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton && textCursor().hasSelection()) {
        QString copied = textCursor().selectedText();
        for (QChar& c : copied)
            if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) c = QLatin1Char('\n');
        QApplication::clipboard()->setText(copied);
        // The view stays where it is: the selection's end was in reach of
        // the press that made it.
        const int x = horizontalScrollBar()->value(), y = verticalScrollBar()->value();
        QTextCursor cursor = textCursor();
        cursor.setPosition(cursor.selectionEnd());
        setTextCursor(cursor);
        horizontalScrollBar()->setValue(x);
        verticalScrollBar()->setValue(y);
        event->accept();
        return;
    }
    QTextEdit::mousePressEvent(event);
}

void orbel_richedit::focusInEvent(QFocusEvent* event) {
    // Not editable: no caret; the focus moves on at once (see the constructor).
    if (!editable_) {
        event->accept();
        return;
    }
    QTextEdit::focusInEvent(event);
}
