#ifndef VUX_ENGINE_H
#define VUX_ENGINE_H

/*
 * The markup engine as its host sees it: an opaque handle, the plain entry
 * points that drive it, and the three tables of host functions it calls.
 *
 * Conventions
 * - Every host function takes the table's `user` pointer first.
 * - Texts cross as zero-terminated 8-bit (UTF-8) strings; UTF-16 texts as a
 *   pointer and a count of 16-bit units.
 * - A text the host returns stays the host's until its next call of that same
 *   entry; the engine copies it at once.
 * - A null entry is skipped: the engine then takes 0 or null as its answer.
 * - Everything runs on one thread; the engine calls the host only through
 *   these tables, and only from inside an entry point.
 */

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct vux_engine vux_engine;

/* Graphics: drawing goes to the host's back buffer; colours are 0xAARRGGBB. */
typedef struct vux_graphics_table {
    void* user;
    int (*screen_width)(void* user);                                                      /*  1 */
    int (*screen_height)(void* user);                                                     /*  2 */
    int (*capability)(void* user);                                                        /*  3 */
    const char* (*image_formats)(void* user);                                             /*  4 one per line */
    int (*reserved_5)(void* user);                                                        /*  5 */
    void (*select_font)(void* user, int size, int style);                                 /*  6 */
    int (*text_height)(void* user);                                                       /*  7 */
    int (*char_width)(void* user, uint16_t ch);                                           /*  8 */
    void (*clear)(void* user, uint32_t colour);                                           /*  9 */
    void (*set_clip)(void* user, int x, int y, int w, int h);                             /* 10 */
    void (*set_colour)(void* user, int slot, uint32_t colour);                            /* 11 */
    void (*move_to)(void* user, int x, int y);                                            /* 12 */
    void (*set_width)(void* user, int w);                                                 /* 13 */
    void (*set_height)(void* user, int h);                                                /* 14 */
    void (*window_image)(void* user, const char* name, const uint8_t* bytes, int length); /* 15 */
    void (*hook_16)(void* user);                                                          /* 16 no window image */
    void (*save_area)(void* user, int x, int y, int w, int h);                            /* 17 */
    void (*restore_area)(void* user, int sx, int sy, int w, int h, int x, int y);         /* 18 */
    void (*rectangle)(void* user, int filled, int gradient);                              /* 19 */
    void (*texture)(void* user, int mode, int flag, const char* name, const uint8_t* bytes, int length); /* 20 */
    void (*round_rectangle)(void* user, int filled, int radius);                                         /* 21 */
    void (*horizontal_line)(void* user, int style);                                                      /* 22 */
    void (*vertical_line)(void* user);                                                                   /* 23 */
    void (*text)(void* user, const uint16_t* chars, int count, int underline);                           /* 24 */
    void (*image)(void* user, const char* name, int flag, const uint8_t* bytes, int length, int gcorner, int gap,
                  int groundt);                  /* 25 name null: one frame */
    void (*triangle)(void* user, int direction); /* 26 */
    void (*ellipse)(void* user, int filled, int pen_width, const uint16_t* chars, int count); /* 27 */
    void (*busy)(void* user, int state, int percentage);                                      /* 28 */
    void (*data_replaced)(void* user, const char* name);                                      /* 29 */
    void (*reserved_30)(void* user);                                                          /* 30 */
    void (*repaint)(void* user);                                                              /* 31 */
} vux_graphics_table;

/* Network: connection ids are non-zero; 0 from open_connection is failure. */
typedef struct vux_network_table {
    void* user;
    const char* (*connection_kinds)(void* user);                          /*  1 */
    const char* (*get_first_address)(void* user);                         /*  2 */
    void (*set_first_address)(void* user, const char* text);              /*  3 */
    const char* (*get_host)(void* user);                                  /*  4 */
    void (*set_host)(void* user, const char* host);                       /*  5 */
    int (*get_port)(void* user);                                          /*  6 */
    void (*set_port)(void* user, int port);                               /*  7 */
    int (*open_connection)(void* user, const uint8_t* bytes, int length); /*  8 */
    void (*close_connection)(void* user, int id);                         /*  9 */
    void (*stopped)(void* user);                                          /* 10 */
} vux_network_table;

/*
 * Facility: device services.
 *
 * Entry 12 (open_text_input) from the input step's fields:
 *   kind    = the step's `state` (the single-line kind),
 *   maximum = `value_1` (the maximum length; when 0, the integer value of
 *             "__key_input_maximum"),
 *   title   = `text_1` (as UTF-16),
 *   text    = `text` (the initial text; with mode 1 the value of the
 *             variable the step names), null when empty.
 *   `value_2` non-zero skips the call of entry 14 before opening;
 *   `value_3` is the mode.
 *   The answer comes back through vux_engine_on_input_text.
 * Entry 15 (open_media) from the upload step's fields:
 *   value = `value_2`, kind = `text_1` ("photo", "camera" or "voice").
 *   The answer comes back through vux_engine_on_media.
 * Entry 23 (open_link) takes the kind ("web", "wap", "copy", ... or null)
 * and the text.  Entry 9 answers non-zero when the store was written.
 * Entry 26 gets the settled snapshot's bytes and length.
 */
typedef struct vux_facility_table {
    void* user;
    int (*reserved_1)(void* user);                                     /*  1 */
    int (*supports)(void* user, int kind);                             /*  2 */
    const char* (*device_key)(void* user);                             /*  3 */
    const char* (*platform)(void* user);                               /*  4 */
    const char* (*model)(void* user);                                  /*  5 */
    const char* (*application_id)(void* user);                         /*  6 */
    const char* (*session_text)(void* user);                           /*  7 */
    int (*query)(void* user, int kind);                                /*  8 */
    int (*save_private)(void* user, const uint8_t* bytes, int length); /*  9 */
    void (*start_timer)(void* user, int rate);                         /* 10 */
    void (*stop_timer)(void* user);                                    /* 11 */
    void (*open_text_input)(void* user, int kind, int maximum, const uint16_t* title, int title_count,
                            const uint16_t* text, int text_count);                                    /* 12 */
    void (*close_text_input)(void* user);                                                             /* 13 */
    void (*screen_reset)(void* user);                                                                 /* 14 */
    void (*open_media)(void* user, int value, const char* kind);                                      /* 15 */
    void (*close_media)(void* user);                                                                  /* 16 */
    void (*send_message)(void* user, const char* recipient, const uint16_t* text, int count);         /* 17 */
    const char* (*canvas_query)(void* user, int argument);                                            /* 18 */
    int (*play_music)(void* user, const char* type, const uint8_t* bytes, int length);                /* 19 */
    int (*start_animation)(void* user, int a, int b, int c, int d, const uint8_t* bytes, int length); /* 20 */
    void (*stop_music)(void* user, int kind);                                                         /* 21 */
    const char* (*link_kinds)(void* user);                                              /* 22 one per line */
    void (*open_link)(void* user, const char* kind, const char* text);                  /* 23 */
    void (*notify_user)(void* user, int kind);                                          /* 24 */
    void (*request_location)(void* user, int kind);                                     /* 25 */
    void (*machine_settled)(void* user, const uint8_t* bytes, int length);              /* 26 */
    void (*data_bytes)(void* user, const uint8_t* bytes, int length);                   /* 27 */
    void (*write_file)(void* user, const char* name, const uint8_t* bytes, int length); /* 28 */
    int (*query_file)(void* user, const char* name);                                    /* 29 */
    void (*after_logout)(void* user);                                                   /* 30 */
    void (*after_exit)(void* user);                                                     /* 31 */
} vux_facility_table;

/* Handle: null when allocation fails. destroy accepts null. */
vux_engine* vux_engine_create(void);
void vux_engine_destroy(vux_engine* e);

/* Copy the table (a null table clears it); each returns the engine's holder. */
void* vux_engine_set_graphics(vux_engine* e, const vux_graphics_table* table);
void* vux_engine_set_network(vux_engine* e, const vux_network_table* table);
void* vux_engine_set_facility(vux_engine* e, const vux_facility_table* table);

/* Once only; bytes may be null (no stored state). */
void vux_engine_load_private(vux_engine* e, const uint8_t* bytes, int length);
/* After load_private, once; the bytes are a document, plain or packed. */
void vux_engine_start_document(vux_engine* e, const uint8_t* bytes, int length);

void vux_engine_tick(vux_engine* e, int tick);
void vux_engine_key(vux_engine* e, int key);                    /* 0..13 */
void vux_engine_pointer(vux_engine* e, int kind, int x, int y); /* 0 press, 1 release, 2 move */
/* Non-zero while the host must keep its drag timer. */
int vux_engine_drag_step(vux_engine* e, int a, int b, int c);

void vux_engine_call_function(vux_engine* e, const char* name);
/* A malloc'd copy of a non-empty value for the caller to free(); else null. */
char* vux_engine_get_variable(vux_engine* e, const char* name);
/* The named data record's bytes (or its text, length 0); null when absent.
   The pointer stays valid until the next engine call. */
const uint8_t* vux_engine_get_data(vux_engine* e, const char* name, int* length);

/* 0 stop, 1 go on, 2 reply complete or failed. */
int vux_engine_on_socket_data(vux_engine* e, int id, const uint8_t* bytes, int length);
void vux_engine_on_socket_ready(vux_engine* e, int id);
void vux_engine_on_socket_error(vux_engine* e, int id);

void vux_engine_on_location(vux_engine* e, int status, const char* text);
/* Further document records, plain or packed; needs a started document. */
void vux_engine_on_clipboard(vux_engine* e, const uint8_t* bytes, int length);
/* Captured media; null bytes mean cancelled. */
void vux_engine_on_media(vux_engine* e, const uint8_t* bytes, int length);
/* Entered text; null means cancelled. */
void vux_engine_on_input_text(vux_engine* e, const uint16_t* text, int count);

#ifdef __cplusplus
}
#endif

#endif
