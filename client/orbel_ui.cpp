#include "client/orbel_ui.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>

#include "client/orbel_strings.h"

orbel_ui::~orbel_ui() = default;

namespace {

class orbel_desktop_ui final : public orbel_ui {
public:
    void message(QWidget* parent, const QString& text) override {
        QMessageBox::information(parent, orbel_string(orbel_ids_app_name), text, QMessageBox::Ok);
    }
    bool question(QWidget* parent, const QString& text) override {
        return QMessageBox::question(parent, orbel_string(orbel_ids_app_name), text,
                                     QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    }
    QString save_file_name(QWidget* parent, const QString& default_suffix, const QString& filter,
                           const QString& title) override {
        QFileDialog dialog(parent, title, QString(), filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(default_suffix);
        dialog.setFileMode(QFileDialog::AnyFile);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
        return dialog.selectedFiles().constFirst();
    }
    QString open_file_name(QWidget* parent, const QString& filter, const QString& title) override {
        return QFileDialog::getOpenFileName(parent, title, QString(), filter);
    }
    std::optional<int> choose_color(QWidget* parent, int initial) override {
        const QColor chosen = QColorDialog::getColor(QColor::fromRgb(QRgb(initial & 0xFFFFFF)), parent);
        if (!chosen.isValid()) return std::nullopt;
        return int(chosen.rgb() & 0xFFFFFF);
    }
    bool open_url(const QUrl& url) override { return QDesktopServices::openUrl(url); }
};

orbel_ui* current_ui = nullptr;

}  // namespace

orbel_ui& orbel_get_ui() {
    static orbel_desktop_ui desktop;
    return current_ui ? *current_ui : desktop;
}

void orbel_set_ui(orbel_ui* ui) { current_ui = ui; }

QString orbel_web_page_failed_text(const QUrl& url) {
    return QStringLiteral("无法打开网页，请在浏览器中打开以下地址：\n%1").arg(url.toString());
}

void orbel_open_web_page(QWidget* parent, const QUrl& url) {
    orbel_ui& ui = orbel_get_ui();
    if (!ui.open_url(url)) ui.message(parent, orbel_web_page_failed_text(url));
}
