#pragma once
#include <QPointer>
#include <QWidget>
#include <functional>

class orbel_group;
class orbel_logon;

// The client's only top-level window. Its creation runs the logon; once the
// administrator is signed in it shows the site manager in its client area.
// It answers the application's single-instance mark and keeps its size in
// the settings.
class orbel_main : public QWidget {
    Q_OBJECT
public:
    explicit orbel_main(QWidget* parent = nullptr);
    ~orbel_main() override;

    // Creation: the mark, title, icon and position, then the logon, run
    // modally while the window stays hidden. On success the window shows
    // with the site manager; otherwise a close is queued, which ends the
    // program. Returns whether the logon succeeded.
    bool create();
    // The second half of creation, once the logon has ended.
    void finish_logon(bool signed_in);

    // A second start asked this instance to come forward.
    void bring_forward();
    // The logon dialog while it runs; null otherwise.
    orbel_logon* running_logon() const;
    // The site manager; null until the logon succeeded.
    orbel_group* site_manager() const { return site_manager_; }
    // The idle pass: the site manager enables its commands.
    void refresh_commands();

    // What to do once the window has closed (the program ends).
    void set_on_closed(std::function<void()> on_closed) { on_closed_ = std::move(on_closed); }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void store_size(const QSize& size);

    QPointer<orbel_logon> logon_;
    orbel_group* site_manager_ = nullptr;  // child; deleted with the window
    std::function<void()> on_closed_;
};
