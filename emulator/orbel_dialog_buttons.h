#pragma once
class QDialog;
class QHBoxLayout;
class QWidget;

// The device dialogs' button row: `first` (when given) on the left, then
// OK "确定" (1, default) and Cancel "取消" (2) on the right, wired to
// accept and reject.
QHBoxLayout* orbel_dialog_buttons(QDialog* dialog, QWidget* first = nullptr);
