#pragma once
#include <QWidget>

// A colour swatch (0xRRGGBB); a click opens the colour picker with its
// colour, and OK there stores the choice.
class orbel_static_color : public QWidget {
    Q_OBJECT
public:
    explicit orbel_static_color(QWidget* parent = nullptr);

    int color() const { return color_; }
    void set_color(int color);

signals:
    void color_chosen(int color);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int color_ = 0xFFFFFF;
};
