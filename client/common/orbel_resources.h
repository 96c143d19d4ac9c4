#pragma once
#include <QString>
#include <cstdint>
#include <memory>

#include "client/common/orbel_image.h"

class vux_buffer;
class vux_link;

// Identifiers of the client's embedded resources.
enum orbel_resource_id : int {
    orbel_res_banner_strip = 125,  // PNG
    orbel_res_banner_logo = 130,   // PNG
    orbel_res_icon = 200,          // the application icon (PNG)
    orbel_res_list_read = 201,     // list icons (PNG): a read conversation
    orbel_res_list_unread = 202,   // an unread conversation
    orbel_res_list_contact = 203,  // contact rows
    orbel_res_list_member = 204,
    orbel_res_pack_logo = 205,        // image packs (DAT): site icons
    orbel_res_pack_background = 207,  // column backgrounds
    orbel_res_pack_tray = 209,        // tray pictures
};

// The program's own folder, with a trailing separator.
QString orbel_get_module_dir();
// The local address book "vux_ab.txt" in the client's per-user data folder.
QString orbel_address_book_path();

// True for bytes that start like a PNG (8-byte signature), a JPEG (at least
// 12 bytes passing the JPEG test) or a GIF89a (more than 5 bytes; the letters
// of the signature in either case).
bool orbel_is_image_data(const vux_link& bytes);

// PNG resource `id`; null when it is missing, empty or cannot be decoded.
std::unique_ptr<orbel_image> orbel_load_png_resource(int id);
// Replaces the buffer's contents with DAT resource `id` and returns its
// bytes; null (buffer untouched) when the resource is missing.
const uint8_t* orbel_load_dat_resource(int id, vux_buffer& buffer);
