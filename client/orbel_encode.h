#pragma once
#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// Pictures the client uploads are scaled and re-encoded as JPEG at quality
// 100 in memory.

// Files and byte blocks above this are refused before they are read.
constexpr qint64 orbel_max_picture_bytes = qint64(32) << 20;

// Loads an image file and shrinks it to fit 640 x 960 (aspect kept; a
// smaller picture keeps its size). False, `out` empty, when the file is too
// large, cannot be decoded or cannot be encoded.
bool encode_file_fitted(const QString& path, QByteArray& out);
// The size a w x h picture is re-encoded at for the box A x B: its own when
// it fits inside the box; otherwise the smallest size of its proportions
// that covers the box, which enlarges a picture that is over on one side
// only (800 x 500 in 640 x 960 gives 1536 x 960). Covering an extreme strip
// would take a huge bitmap: no side goes above four times the box's, the
// strip then keeping its proportions as closely as whole pixels allow.
// Empty for a picture or a box without area.
QSize orbel_boxed_size(QSize picture, QSize box);
// Decodes image bytes and re-encodes them at orbel_boxed_size. False, `out`
// empty, when the bytes cannot be decoded or encoded.
bool encode_bytes_boxed(const QByteArray& bytes, int box_width, int box_height, QByteArray& out);
// The image drawn smoothly into width x height; with `keep_aspect` both
// factors become the smaller one.
QImage scale(const QImage& image, int width, int height, bool keep_aspect);
// JPEG at quality 100, drawn onto white first so transparent areas come out
// white. False, `out` empty, when the encoder fails; else exactly the bytes
// it wrote.
bool encode_jpeg(const QImage& image, QByteArray& out);
