#pragma once
#include <QString>
#include <QUrl>
#include <optional>

class QWidget;

// Every message box, question, file chooser and web-page opening of the
// client goes through this one interface, so tests can answer them without a
// person at the screen.
class orbel_ui {
public:
    virtual ~orbel_ui();
    // A plain message box with an OK button.
    virtual void message(QWidget* parent, const QString& text) = 0;
    // A yes/no question; true for yes.
    virtual bool question(QWidget* parent, const QString& text) = 0;
    // A save-file chooser that asks before overwriting; empty when cancelled.
    virtual QString save_file_name(QWidget* parent, const QString& default_suffix, const QString& filter,
                                   const QString& title = QString()) = 0;
    // An open-file chooser for an existing file; empty when cancelled.
    virtual QString open_file_name(QWidget* parent, const QString& filter, const QString& title = QString()) = 0;
    // The system colour chooser, full open, starting at `initial`
    // (0xRRGGBB); the chosen colour as 0xRRGGBB, none when cancelled.
    virtual std::optional<int> choose_color(QWidget* parent, int initial) = 0;
    // Opens a web address in the browser.
    virtual bool open_url(const QUrl& url) = 0;
};

// The interface in force: the desktop one unless a test has set its own.
orbel_ui& orbel_get_ui();
// Replaces the interface (not owned); null restores the desktop one.
void orbel_set_ui(orbel_ui* ui);

// Opens a web page through the interface in force. When it cannot be opened
// a message says so and names the address, so the user can open it by hand.
void orbel_open_web_page(QWidget* parent, const QUrl& url);
// That message's text.
QString orbel_web_page_failed_text(const QUrl& url);
