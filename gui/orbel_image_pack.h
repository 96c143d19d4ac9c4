#pragma once
#include <QString>
#include <QStringList>

class vux_buffer;

// Image packs, the layout the pickers read: big-endian uint32 count N, N
// big-endian uint32 sizes, then the N files' bytes back to back.
// The files of a folder that go into its pack: the PNG files, then the JPEG
// files ("*.png", "*.jpg", either case), each group sorted by name, so the
// pickers' indices do not depend on the order of the directory listing.
QStringList orbel_image_pack_files(const QString& folder);

// Builds the pack of the named files of a folder into `out`. False, with the
// reason in `error`, when a file cannot be read or the pack would be too large.
bool orbel_build_image_pack(const QString& folder, const QStringList& names, vux_buffer& out, QString* error);

// Builds the pack of a folder's images and writes it to `target` (created or
// replaced whole; nothing is written when any file cannot be read).
bool orbel_write_image_pack(const QString& folder, const QString& target, QString* error);
