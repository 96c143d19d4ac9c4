#include "client/controls/orbel_line_layout.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <algorithm>

namespace {
// Lines per paragraph: few enough that laying out one paragraph costs
// little, many enough that a long text makes few blocks.
constexpr int lines_per_block = 32;
}  // namespace

orbel_line_layout::orbel_line_layout(QTextDocument* document) : QAbstractTextDocumentLayout(document) {
    connect(document, &QTextDocument::contentsChange, this, &orbel_line_layout::count_rows);
    count_rows();
}

void orbel_line_layout::set_lines(QTextEdit* view, const QString& text) {
    QTextDocument* document = view->document();
    if (!qobject_cast<orbel_line_layout*>(document->documentLayout()))
        document->setDocumentLayout(new orbel_line_layout(document));
    // One pass: CR LF, CR and LF become one separator each.
    QString lines(text.size(), Qt::Uninitialized);
    QChar* out = lines.data();
    int line = 0;
    for (qsizetype i = 0, n = text.size(); i < n; ++i) {
        const QChar c = text[i];
        if (c != u'\n' && c != u'\r') {
            *out++ = c;
            continue;
        }
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') ++i;
        *out++ = ++line % lines_per_block == 0 ? QChar(u'\n') : QChar(QChar::LineSeparator);
    }
    lines.truncate(out - lines.constData());
    view->setPlainText(lines);
}

qreal orbel_line_layout::margin() const { return document()->documentMargin(); }

void orbel_line_layout::documentChanged(int, int, int) {
    // A new text width alone changes nothing here (rows do not wrap); a new
    // text arrives through contentsChange.
    if (document()->defaultFont() != font_ || document()->defaultTextOption().flags() != flags_) count_rows();
}

void orbel_line_layout::count_rows() {
    font_ = document()->defaultFont();
    flags_ = document()->defaultTextOption().flags();
    // A change of text lays its own blocks out anew; a change of the font or
    // of the options must reach the blocks laid out before it.
    for (int number : laid_out_) {
        const QTextBlock block = document()->findBlockByNumber(number);
        if (block.isValid()) block.layout()->clearLayout();
    }
    laid_out_.clear();
    starts_.assign(1, 0);
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        const int at = block.position();
        for (qsizetype i = 0; i < text.size(); ++i)
            if (text[i] == QChar::LineSeparator) starts_.push_back(at + int(i) + 1);
        if (block.next().isValid()) starts_.push_back(block.next().position());
    }
    row_height_ = QFontMetricsF(font_).lineSpacing();
    widest_ = 0;
    emit documentSizeChanged(documentSize());
    emit update();
}

int orbel_line_layout::row_of(int position) const {
    return int(std::upper_bound(starts_.begin(), starts_.end(), position) - starts_.begin()) - 1;
}

QTextLayout* orbel_line_layout::laid_out(const QTextBlock& block) const {
    QTextLayout* layout = block.layout();
    if (layout->lineCount() > 0) return layout;
    QTextOption option = document()->defaultTextOption();
    option.setWrapMode(QTextOption::NoWrap);
    layout->setTextOption(option);
    layout->beginLayout();
    for (int i = 0;; ++i) {
        QTextLine line = layout->createLine();
        if (!line.isValid()) break;
        line.setPosition(QPointF(0, i * row_height_));
    }
    layout->endLayout();
    for (int i = 0; i < layout->lineCount(); ++i) widest_ = std::max(widest_, layout->lineAt(i).naturalTextWidth());
    laid_out_.push_back(block.blockNumber());
    return layout;
}

void orbel_line_layout::draw(QPainter* painter, const PaintContext& context) {
    if (row_height_ <= 0) return;
    const QRectF clip = context.clip.isValid() ? context.clip : QRectF(QPointF(0, 0), documentSize());
    const int first = std::clamp(int((clip.top() - margin()) / row_height_), 0, row_count() - 1);
    const int last = std::clamp(int((clip.bottom() - margin()) / row_height_), 0, row_count() - 1);
    const qreal widest = widest_;
    painter->save();
    painter->setPen(context.palette.color(QPalette::Text));
    for (QTextBlock block = document()->findBlock(starts_[size_t(first)]);
         block.isValid() && row_of(block.position()) <= last; block = block.next()) {
        QTextLayout* layout = laid_out(block);
        const int start = block.position();
        const int end = start + block.length() - 1;
        QList<QTextLayout::FormatRange> ranges;
        for (const Selection& s : context.selections) {
            const int from = std::max(start, s.cursor.selectionStart());
            const int to = std::min(end, s.cursor.selectionEnd());
            if (from < to) ranges.append({from - start, to - from, s.format});
        }
        const QPointF at = blockBoundingRect(block).topLeft();
        layout->draw(painter, at, ranges, clip);
    }
    painter->restore();
    // A wider row came into view: the horizontal range grows to it.
    if (widest_ > widest) emit documentSizeChanged(documentSize());
}

int orbel_line_layout::hitTest(const QPointF& point, Qt::HitTestAccuracy accuracy) const {
    if (row_height_ <= 0) return -1;
    int row = int(std::floor((point.y() - margin()) / row_height_));
    if (row < 0 || row >= row_count()) {
        if (accuracy == Qt::ExactHit) return -1;
        row = std::clamp(row, 0, row_count() - 1);
    }
    const QTextBlock block = document()->findBlock(starts_[size_t(row)]);
    if (!block.isValid()) return -1;
    const QTextLayout* layout = laid_out(block);
    if (layout->lineCount() == 0) return block.position();
    const QTextLine line = layout->lineAt(std::min(row - row_of(block.position()), layout->lineCount() - 1));
    const qreal x = point.x() - margin();
    if (accuracy == Qt::ExactHit && (x < 0 || x > line.naturalTextWidth())) return -1;
    return block.position() + line.xToCursor(x);
}

QSizeF orbel_line_layout::documentSize() const {
    const qreal width = std::max(document()->textWidth(), widest_ + 2 * margin());
    return QSizeF(width, row_count() * row_height_ + 2 * margin());
}

QRectF orbel_line_layout::frameBoundingRect(QTextFrame*) const { return QRectF(QPointF(0, 0), documentSize()); }

QRectF orbel_line_layout::blockBoundingRect(const QTextBlock& block) const {
    if (!block.isValid() || starts_.empty()) return QRectF();
    const int first = row_of(block.position());
    const int rows = row_of(block.position() + block.length() - 1) - first + 1;
    return QRectF(margin(), margin() + first * row_height_, documentSize().width() - 2 * margin(), rows * row_height_);
}
