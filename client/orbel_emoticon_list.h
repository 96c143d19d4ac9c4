#pragma once
#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QWidget>
#include <string>
#include <string_view>
#include <vector>

class QPlainTextEdit;

// Where the grid finds its emoticons: the running document's engine, or a
// stand-in. Both calls return copies the grid keeps.
class orbel_emoticon_source {
public:
    virtual ~orbel_emoticon_source() = default;
    // The value of "__key_emoticon": bracketed codes one after another.
    virtual std::string codes() = 0;
    // The bytes of the named data item; empty when there is none.
    virtual QByteArray picture(const std::string& name) = 0;
};

// The codes of a code list, one per '[': each from its '[' up to the next
// ']', brackets included ("[[a]]" holds "[[a]" and "[a]"); a '[' that is
// never closed runs to the end of the list.
std::vector<std::string> orbel_emoticon_codes(std::string_view list);
// "em" + three-digit index + ".png".
std::string orbel_emoticon_picture_name(int index);
// The 24 x 24 cell of emoticon i in a grid `width` pixels wide, on a
// 32-pixel pitch with at least one column.
QRect orbel_emoticon_cell(int width, int index);

// A grid of the document's emoticons; a click inserts the emoticon's code
// into the target edit in place of its selection.
class orbel_emoticon_list : public QWidget {
public:
    // Codes and pictures are read here, once; the source is not kept.
    orbel_emoticon_list(orbel_emoticon_source* source, QPlainTextEdit* target, QWidget* parent = nullptr);

    int count() const { return int(codes_.size()); }
    int pressed() const { return pressed_; }
    // The first cell holding the point, or -1.
    int cell_at(QPoint p) const;

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QPlainTextEdit* target_;
    std::vector<std::string> codes_;
    std::vector<QImage> pictures_;  // null where a picture is missing
    int pressed_ = -1;
};
