// The program's message catalogue: the number and key of every text it shows.
// Item numbers are what callers pass to tr_text; `msg::return_` is the item
// whose key is "return". Only items 59, 60, 66 and the song errors from 82 on
// take a parameter, one "string" each.
#pragma once

#include "app/catalogue.h"

// ITEM(identifier, key, number of "string" parameters), in item order.
#define KSTR_CATALOGUE_ITEMS(ITEM)                                                                                     \
   ITEM(lang_name, "lang_name", 0)                                                             /* 0 */                 \
   ITEM(lang_author_msg, "lang_author_msg", 0)                                                 /* 1 */                 \
   ITEM(error_windowed_mode, "error_windowed_mode", 0)                                         /* 2 */                 \
   ITEM(error_fullscreen_mode, "error_fullscreen_mode", 0)                                     /* 3 */                 \
   ITEM(error_graphics_mode, "error_graphics_mode", 0)                                         /* 4 */                 \
   ITEM(current_language, "current_language", 0)                                               /* 5 */                 \
   ITEM(yes, "yes", 0)                                                                         /* 6 */                 \
   ITEM(no, "no", 0)                                                                           /* 7 */                 \
   ITEM(setup, "setup", 0)                                                                     /* 8 */                 \
   ITEM(dos_shell, "dos_shell", 0)                                                             /* 9 */                 \
   ITEM(about, "about", 0)                                                                     /* 10 */                \
   ITEM(menu, "menu", 0)                                                                       /* 11 */                \
   ITEM(quit, "quit", 0)                                                                       /* 12 */                \
   ITEM(quit_title_0, "quit_title_0", 0)                                                       /* 13 */                \
   ITEM(quit_msg_0, "quit_msg_0", 0)                                                           /* 14 */                \
   ITEM(quit_title_1, "quit_title_1", 0)                                                       /* 15 */                \
   ITEM(quit_msg_1, "quit_msg_1", 0)                                                           /* 16 */                \
   ITEM(quit_title_2, "quit_title_2", 0)                                                       /* 17 */                \
   ITEM(quit_msg_2, "quit_msg_2", 0)                                                           /* 18 */                \
   ITEM(quit_title_3, "quit_title_3", 0)                                                       /* 19 */                \
   ITEM(quit_msg_3, "quit_msg_3", 0)                                                           /* 20 */                \
   ITEM(quit_title_4, "quit_title_4", 0)                                                       /* 21 */                \
   ITEM(quit_msg_4, "quit_msg_4", 0)                                                           /* 22 */                \
   ITEM(quit_title_5, "quit_title_5", 0)                                                       /* 23 */                \
   ITEM(quit_msg_5, "quit_msg_5", 0)                                                           /* 24 */                \
   ITEM(quit_title_6, "quit_title_6", 0)                                                       /* 25 */                \
   ITEM(quit_msg_6, "quit_msg_6", 0)                                                           /* 26 */                \
   ITEM(quit_title_7, "quit_title_7", 0)                                                       /* 27 */                \
   ITEM(quit_msg_7, "quit_msg_7", 0)                                                           /* 28 */                \
   ITEM(quit_title_8, "quit_title_8", 0)                                                       /* 29 */                \
   ITEM(quit_msg_8, "quit_msg_8", 0)                                                           /* 30 */                \
   ITEM(quit_title_9, "quit_title_9", 0)                                                       /* 31 */                \
   ITEM(quit_msg_9, "quit_msg_9", 0)                                                           /* 32 */                \
   ITEM(changing_refresh_rate, "changing_refresh_rate", 0)                                     /* 33 */                \
   ITEM(changing_refresh_rate_warning, "changing_refresh_rate_warning", 0)                     /* 34 */                \
   ITEM(close, "close", 0)                                                                     /* 35 */                \
   ITEM(close_tooltip, "close_tooltip", 0)                                                     /* 36 */                \
   ITEM(save_settings, "save_settings", 0)                                                     /* 37 */                \
   ITEM(save_settings_tooltip, "save_settings_tooltip", 0)                                     /* 38 */                \
   ITEM(graphics, "graphics", 0)                                                               /* 39 */                \
   ITEM(mp3_and_ogg, "mp3_and_ogg", 0)                                                         /* 40 */                \
   ITEM(language, "language", 0)                                                               /* 41 */                \
   ITEM(message, "message", 0)                                                                 /* 42 */                \
   ITEM(settings_saved, "settings_saved", 0)                                                   /* 43 */                \
   ITEM(recommended, "recommended", 0)                                                         /* 44 */                \
   ITEM(works_on_all_cards, "works_on_all_cards", 0)                                           /* 45 */                \
   ITEM(graphics_mode, "graphics_mode", 0)                                                     /* 46 */                \
   ITEM(resolution, "resolution", 0)                                                           /* 47 */                \
   ITEM(set_resolution, "set_resolution", 0)                                                   /* 48 */                \
   ITEM(set_resolution_tooltip, "set_resolution_tooltip", 0)                                   /* 49 */                \
   ITEM(bit_depth, "bit_depth", 0)                                                             /* 50 */                \
   ITEM(refresh_rate, "refresh_rate", 0)                                                       /* 51 */                \
   ITEM(fullscreen, "fullscreen", 0)                                                           /* 52 */                \
   ITEM(color_scheme, "color_scheme", 0)                                                       /* 53 */                \
   ITEM(set_scheme, "set_scheme", 0)                                                           /* 54 */                \
   ITEM(draw_mouse_interrupt, "draw_mouse_interrupt", 0)                                       /* 55 */                \
   ITEM(vsync, "vsync", 0)                                                                     /* 56 */                \
   ITEM(buffer_size, "buffer_size", 0)                                                         /* 57 */                \
   ITEM(it_modules, "it_modules", 0)                                                           /* 58 */                \
   ITEM(resampling_quality, "resampling_quality", 1)                                           /* 59 */                \
   ITEM(mixing_frequency, "mixing_frequency", 1)                                               /* 60 */                \
   ITEM(change_language, "change_language", 0)                                                 /* 61 */                \
   ITEM(translation_completed, "translation_completed", 0)                                     /* 62 */                \
   ITEM(ABOUT, "ABOUT", 0)                                                                     /* 63 */                \
   ITEM(thanks, "thanks", 0)                                                                   /* 64 */                \
   ITEM(thanks_to, "thanks_to", 0)                                                             /* 65 */                \
   ITEM(and_many_other, "and_many_other", 1)                                                   /* 66 */                \
   ITEM(return_, "return", 0)                                                                  /* 67 */                \
   ITEM(button_add_song, "button_add_song", 0)                                                 /* 68 */                \
   ITEM(button_new_playlist, "button_new_playlist", 0)                                         /* 69 */                \
   ITEM(button_load_playlist, "button_load_playlist", 0)                                       /* 70 */                \
   ITEM(button_merge_playlist, "button_merge_playlist", 0)                                     /* 71 */                \
   ITEM(button_save_playlist, "button_save_playlist", 0)                                       /* 72 */                \
   ITEM(add_song, "add_song", 0)                                                               /* 73 */                \
   ITEM(add, "add", 0)                                                                         /* 74 */                \
   ITEM(save_playlist, "save_playlist", 0)                                                     /* 75 */                \
   ITEM(save, "save", 0)                                                                       /* 76 */                \
   ITEM(error_saving_playlist, "error_saving_playlist", 0)                                     /* 77 */                \
   ITEM(load_playlist, "load_playlist", 0)                                                     /* 78 */                \
   ITEM(load, "load", 0)                                                                       /* 79 */                \
   ITEM(error_loading_playlist, "error_loading_playlist", 0)                                   /* 80 */                \
   ITEM(error_playlist_saved_with_newer_version, "error_playlist_saved_with_newer_version", 0) /* 81 */                \
   ITEM(song_unknown_format, "song_unknown_format", 1)                                         /* 82 */                \
   ITEM(song_open_failed, "song_open_failed", 1)                                               /* 83 */                \
   ITEM(song_empty_file, "song_empty_file", 1)                                                 /* 84 */                \
   ITEM(song_refused, "song_refused", 1)                                                       /* 85 */                \
   ITEM(song_no_voice, "song_no_voice", 1)                                                     /* 86 */                \
   ITEM(song_no_sound, "song_no_sound", 1)                                                     /* 87 */                \
   ITEM(song_no_cd_drive, "song_no_cd_drive", 1)                                               /* 88 */                \
   ITEM(song_error_title, "song_error_title", 0)                                               /* 89 */

namespace msg {

enum Item : int {
#define KSTR_CATALOGUE_ENUM(id, key, strings) id,
   KSTR_CATALOGUE_ITEMS(KSTR_CATALOGUE_ENUM)
#undef KSTR_CATALOGUE_ENUM
      item_total
};

}

extern const TR_DEFINITION CATALOGUE;
