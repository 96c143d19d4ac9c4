#pragma once

// The built-in document the host hands to vux_engine_start_document: the
// packed stream built from resources/markup/builtin.json (see README.md
// there). Link the library vux_builtin_document.
extern const unsigned char vux_builtin_document_data[];
extern const int vux_builtin_document_size;
