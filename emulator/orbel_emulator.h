#pragma once
#include "emulator/orbel_client.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QWidget>

// The phone-shaped frame of the emulator: a frameless window showing the
// phone picture (PNG 137) with per-pixel transparency, the client window
// over its screen. Any point of the frame drags it; its round button and
// Escape while the frame has the focus hide it. Made with an owner,
// it is a tool window of the owner's window and stays above it. Its property
// "selected_site" is handed to the client (orbel_client::set_selected_site);
// each time the owner shows it again the phone opens on that site
// (orbel_client::enter_selected_site).
class orbel_emulator : public QWidget {
public:
    static inline const QRect screen_rect{193, 172, 314, 474};  // (193,172)-(507,646)
    static inline const QRect button_rect{320, 673, 60, 60};    // (320,673)-(380,733)

    explicit orbel_emulator(orbel_client_setup setup, QWidget* parent = nullptr);
    // Makes the client, whose engine starts the built-in document at once.
    // Loads the picture and centres the frame on the primary screen; false
    // when the picture is missing.
    bool load_skin();
    orbel_client* client() const { return client_; }
    const QImage& skin() const { return skin_; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    orbel_client* client_;
    QImage skin_;
    bool pressed_ = false;  // pressed inside the button
    bool dragging_ = false;
    bool forwarding_ = false;  // a key is being handed to the client
    QPoint drag_offset_;       // the press point, relative to the frame
};

// The phone picture, PNG 137; null when it cannot be loaded.
QImage orbel_emulator_skin();

// The program's emulator frame, a window of the owner (it stays above it),
// its engine reporting session_text as the desktop session, skin loaded;
// null when the picture is missing. The factory the program hands the site
// manager.
std::unique_ptr<QWidget> orbel_emulator_make(QWidget* owner, const QString& session_text);
