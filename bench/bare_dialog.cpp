// The reference of client_start.sh: a bare Qt program that shows one dialog
// with the client's logon title, an edit and a button.
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("登录"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLineEdit);
    layout->addWidget(new QPushButton(QStringLiteral("确定")));
    dialog.show();
    return application.exec();
}
