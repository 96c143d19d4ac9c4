#pragma once
#include <QByteArray>
#include <QSize>
#include <QString>

class QWidget;

// The open chooser's filter for JPEG and PNG pictures of a kind:
// "图标文件" gives "图标文件(*.jpg *.png)". The patterns are apart by blanks
// only: Qt splits a filter's patterns at blanks, so "*.jpg;" would be a
// pattern of its own that no JPEG file matches.
QString orbel_picture_filter(const QString& kind);

// The texts of one caller's custom-picture step.
struct orbel_picture_texts {
    QString filter;       // the open chooser's filter
    QString title;        // and its title
    QString empty;        // "...文件不能为空!"
    QString unsupported;  // "不支持的...文件格式!"
};

// Lets the user pick an image file and re-encodes it to cover `box`. True,
// with the new bytes in `picture`, on success; otherwise `picture` is left
// as it was: a cancelled chooser, a file that cannot be opened or reads
// short end silently; an empty file shows `empty`; a file over 32 MiB, one
// that is no image or one that cannot be re-encoded shows `unsupported`.
bool orbel_custom_picture(QWidget* parent, const orbel_picture_texts& texts, QSize box, QByteArray& picture);
