#include "emulator/orbel_emulator.h"
#include "gui/orbel_emulator_site.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

static void orbel_emulator_resources() { Q_INIT_RESOURCE(emulator_art); }

QImage orbel_emulator_skin() {
    static const bool registered = (orbel_emulator_resources(), true);
    (void)registered;
    return QImage(QStringLiteral(":/png/137.png")).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

orbel_emulator::orbel_emulator(orbel_client_setup setup, QWidget* parent)
    // A tool window stays above its owner's window: clicking the site
    // manager does not bury the phone.
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint),
      client_(new orbel_client(screen_rect.width(), screen_rect.height(), std::move(setup), this)) {
    setObjectName(QStringLiteral("orbel_emulator"));
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_NoSystemBackground);
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
    // A click on the picture focuses the frame, so Escape reaches it; the
    // screen, which takes the focus when the phone is shown, keeps it for
    // Tab.
    setFocusPolicy(Qt::ClickFocus);
    client_->move(screen_rect.topLeft());
    client_->create();
}

bool orbel_emulator::load_skin() {
    skin_ = orbel_emulator_skin();
    if (skin_.isNull()) return false;
    setFixedSize(skin_.size());
    // Where no compositor blends translucent windows, the picture's own
    // shape still keeps the corners out of the window.
    setMask(QBitmap::fromImage(skin_.createAlphaMask()));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - skin_.width()) / 2, area.y() + (area.height() - skin_.height()) / 2);
    }
    client_->move(screen_rect.topLeft());
    return true;
}

bool orbel_emulator::event(QEvent* event) {
    if (event->type() == QEvent::DynamicPropertyChange &&
        static_cast<QDynamicPropertyChangeEvent*>(event)->propertyName() == orbel_emulator_site_property)
        client_->set_selected_site(property(orbel_emulator_site_property).toString());
    // Shown again by its owner (not by the window system restoring it): the
    // phone opens on the selected site, even the one it was started on.
    if (event->type() == QEvent::Show && !event->spontaneous()) client_->enter_selected_site();
    return QWidget::event(event);
}

void orbel_emulator::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, skin_);
}

void orbel_emulator::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    // A press on the frame takes the keyboard from the screen, whatever
    // the window system does with the press: Escape then hides the phone.
    setFocus(Qt::MouseFocusReason);
    activateWindow();
    const QPoint at = event->position().toPoint();
    if (button_rect.contains(at)) {
        pressed_ = true;
        return;
    }
    // The window system moves the frame where it can; elsewhere it follows
    // the mouse by hand.
    if (windowHandle() && windowHandle()->startSystemMove()) return;
    dragging_ = true;
    drag_offset_ = at;
}

void orbel_emulator::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (dragging_) {
        move(pos() + at - drag_offset_);
        return;
    }
    setCursor(button_rect.contains(at) ? Qt::ArrowCursor : Qt::PointingHandCursor);
}

void orbel_emulator::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    dragging_ = false;
    if (!std::exchange(pressed_, false)) return;
    if (button_rect.contains(event->position().toPoint())) hide();
}

void orbel_emulator::keyPressEvent(QKeyEvent* event) {
    // Escape on the frame hides the phone; on the screen it is the phone's
    // back key, which the screen hands to the document.
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    // A click on the body focuses the frame, but the phone's keys still
    // belong to its screen. A key the screen ignores comes back up here and
    // goes no further.
    if (forwarding_) return QWidget::keyPressEvent(event);
    forwarding_ = true;
    QCoreApplication::sendEvent(client_, event);
    forwarding_ = false;
}

std::unique_ptr<QWidget> orbel_emulator_make(QWidget* owner, const QString& session_text) {
    auto frame = std::make_unique<orbel_emulator>(orbel_client_default_setup(session_text), owner);
    if (!frame->load_skin()) return nullptr;
    return frame;
}
