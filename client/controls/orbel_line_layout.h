#pragma once
#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QString>
#include <QTextOption>
#include <vector>

class QTextEdit;

// Lays out a plain text as one unwrapped row per line, each row one line
// spacing of the font high, and lays out and draws only the paragraphs in
// view (a line wider than the view scrolls sideways). A long text
// goes into its document with a few lines per paragraph, parted by line
// separators (U+2028, which toPlainText gives back as LF): that costs a
// block per paragraph and an index of where each row starts, where the
// standard layout keeps a block per line and lays out every one of them.
// Positions, selections, hit tests and cursor rectangles are document
// positions, as for the standard layout.
class orbel_line_layout : public QAbstractTextDocumentLayout {
    Q_OBJECT
public:
    explicit orbel_line_layout(QTextDocument* document);

    // Shows text in view under this layout (put on the view's document the
    // first time); LF, CR LF and CR end its lines.
    static void set_lines(QTextEdit* view, const QString& text);

    int row_count() const { return int(starts_.size()); }
    qreal row_height() const { return row_height_; }

    void draw(QPainter* painter, const PaintContext& context) override;
    int hitTest(const QPointF& point, Qt::HitTestAccuracy accuracy) const override;
    int pageCount() const override { return 1; }
    QSizeF documentSize() const override;
    QRectF frameBoundingRect(QTextFrame* frame) const override;
    QRectF blockBoundingRect(const QTextBlock& block) const override;

protected:
    void documentChanged(int from, int removed, int added) override;

private:
    void count_rows();
    // The row that starts at or before position.
    int row_of(int position) const;
    // The block's own text layout, one line per row, laid out when first
    // needed.
    QTextLayout* laid_out(const QTextBlock& block) const;
    qreal margin() const;

    std::vector<int> starts_;  // where each row starts
    QFont font_;               // of the document when the rows were counted
    QTextOption::Flags flags_;
    qreal row_height_ = 0;
    mutable qreal widest_ = 0;           // the widest row laid out so far
    mutable std::vector<int> laid_out_;  // numbers of the blocks laid out
};
