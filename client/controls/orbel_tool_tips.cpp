#include "client/controls/orbel_tool_tips.h"

#include <QEvent>
#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

orbel_tool_tips::orbel_tool_tips(QObject* parent) : QObject(parent) {}

void orbel_tool_tips::add(QWidget* control, const QString& text) {
    if (!control) return;
    tips_.insert(control, text);
    control->installEventFilter(this);
    connect(control, &QObject::destroyed, this, [this](QObject* gone) { tips_.remove(gone); });
}

QString orbel_tool_tips::text(const QWidget* control) const { return tips_.value(control); }

bool orbel_tool_tips::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QObject::eventFilter(watched, event);
    auto it = tips_.constFind(watched);
    if (it == tips_.constEnd()) return QObject::eventFilter(watched, event);
    if (active_) {
        auto* help = static_cast<QHelpEvent*>(event);
        auto* widget = static_cast<QWidget*>(watched);
        // A fixed-width block wraps long tips and gives the margins.
        const QString html = QStringLiteral("<table width=\"%1\" cellpadding=\"%2\"><tr><td>%3</td></tr></table>")
                                 .arg(max_width)
                                 .arg(margin)
                                 .arg(it.value().toHtmlEscaped());
        QToolTip::showText(help->globalPos(), html, widget, widget->rect(), display_ms);
    }
    return true;  // an inactive tip is swallowed
}
