#pragma once
#include <QTimer>
#include <QWidget>

#include "emulator/orbel_client_waiter.h"

// The busy indicator over the phone screen (194): a child overlay of the
// client window, 80 x 80 with rounded corners, drawn at opacity 150/255.
// Timer 103 turns the spinner every 100 ms; timer 104 coalesces redraws
// into one 50 ms later.
class vux_waiter_window : public QWidget {
public:
    explicit vux_waiter_window(QWidget* client);

    // Shows the indicator centred on the client (when hidden) for mode 1;
    // mode 0 hides it; any other mode only advances.
    void show_busy(int mode, int value);
    void advance(int mode, int value);
    void recentre();

    const orbel_client_waiter& waiter() const { return waiter_; }
    QTimer& spinner_timer() { return spinner_; }  // 103
    QTimer& redraw_timer() { return redraw_; }    // 104

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void request_redraw();

    orbel_client_waiter waiter_;
    QTimer spinner_;
    QTimer redraw_;
};
