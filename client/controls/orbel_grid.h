#pragma once
#include <QRect>
#include <QWidget>

// The cell template of a picker: the rectangle (left, top, right, bottom) of
// its hidden "大小" label. Cells are right - left wide and bottom - top high
// on a pitch of right across and bottom down.
struct orbel_cell_template {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// Columns of a grid `width` pixels wide: (width - L) / R, at least one.
int orbel_grid_columns(const orbel_cell_template& t, int width);
// Left margin that centres the columns.
int orbel_grid_margin(const orbel_cell_template& t, int width);
// Cell i of the grid.
QRect orbel_grid_cell(const orbel_cell_template& t, int width, int i);
// A picture of `size` fitted into `box` with its proportions: scaled to the
// box's width, or to its height when that is too tall; centred.
QRect orbel_fit_rect(QSize size, const QRect& box);

// An owner-drawn grid of cells on a white background. A press in a cell
// presses it and grabs the mouse; a release in the same cell chooses it.
class orbel_grid : public QWidget {
    Q_OBJECT
public:
    explicit orbel_grid(QWidget* parent = nullptr);

    void set_template(const orbel_cell_template& t);
    const orbel_cell_template& cell_template() const { return template_; }
    QRect cell_rect(int i) const { return orbel_grid_cell(template_, width(), i); }
    // The first cell holding the point; -1 when none.
    int cell_at(const QPoint& point) const;
    int pressed() const { return pressed_; }

signals:
    void chosen(int index);

protected:
    virtual int cell_count() const = 0;
    virtual void paint_cell(QPainter& painter, int index, const QRect& cell, bool pressed) = 0;
    // The 1-pixel frame one pixel outside the cell.
    static void draw_frame(QPainter& painter, const QRect& cell, QColor color);

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    orbel_cell_template template_;
    int pressed_ = -1;
    bool captured_ = false;
};
