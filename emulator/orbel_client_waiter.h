#pragma once
#include <QImage>
#include <vector>

// The busy indicator's picture: an 80 x 80 dark rounded square with either
// the spinner's current frame (mode 1) or a progress ring (mode 2).
class orbel_client_waiter {
public:
    static constexpr int size = 80;
    static constexpr int frames = 12;

    orbel_client_waiter();  // loads PNG 182-193

    int mode() const { return mode_; }
    int value() const { return value_; }
    int frame() const { return frame_; }
    const QImage& image() const { return image_; }

    void set(int mode, int value) {
        mode_ = mode;
        value_ = value;
    }
    void next_frame() { frame_ = (frame_ + 1) % frames; }
    // Draws the current state into image().
    void render();

private:
    std::vector<QImage> pictures_;
    QImage image_;
    int frame_ = 0;
    int mode_ = 0;
    int value_ = 0;
    int last_drawn_ = 0;
};
