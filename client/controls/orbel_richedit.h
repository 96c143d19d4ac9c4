#pragma once
#include <QTextEdit>

// A read-only text view for service texts (always inserted as plain text).
// While not editable it shows the arrow cursor and no caret and never keeps
// the focus; a right press with a selection copies it to the clipboard and
// collapses the selection to its end.
class orbel_richedit : public QTextEdit {
    Q_OBJECT
public:
    explicit orbel_richedit(QWidget* parent = nullptr);

    bool editable() const { return editable_; }
    void set_editable(bool editable);

    // Character format of new text: the application font.
    void set_default_format();
    // Text colour of the selection, 0x00BBGGRR.
    void set_color(int bgr);
    // Start indent of the selection's paragraphs in twips (1440 = one logical inch).
    void set_indent(int twips);
    // True when there is nothing to scroll or the view shows the end.
    bool at_bottom() const;
    // Appends service text at the end, as plain text.
    void add_text(const QString& text);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    bool editable_ = false;
};
