#pragma once
#include <QString>
#include "core/vux_link.h"
#include "core/vux_string.h"

class tessin_host;

// The client program's file: where it lies, its digest, its replacement and
// its start. The client always lies beside the launcher.

// File name of the client program on this platform.
QString tessin_client_file_name();
// The client beside a launcher at launcher_path: everything up to its last
// '/' or '\' (kept), then the client's file name.
QString tessin_client_path_for(const QString& launcher_path);
// The client beside the running launcher.
QString tessin_client_path();

// Appends to out the MD5 (32 lower-case hex digits) of the whole file at
// path; appends nothing when the file is absent, unreadable or empty.
void tessin_client_digest(const QString& path, vux_string& out);

// Replaces the file at path with bytes, executable, as tessin_client_writer
// does. False on any failure.
bool tessin_write_client(const QString& path, const vux_link& bytes);

// Starts the client at path with the single argument "shell" (the client
// refuses any other start). False when it could not be started.
bool tessin_launch_client(tessin_host& host, const QString& path);
