// The playlist view's row callbacks: row handles, row texts with the current
// mark, the row menu, activation, and drag-and-drop reordering.
//
// Contract:
// - A row's handle is its index + 1, so no row has a null handle; every
//   callback turns a handle h back into index h - 1 of `main_playlist`.
// - Row texts are cut to the view's buffer (LIST_TEXT_SIZE bytes with the
//   terminator); a longer name never writes past it.
#pragma once

void *playlist_row_handle(void *list, int i);
int playlist_row_text(void *handle, char *buf, int column);

void row_menu_open(int row_id, void *handle);
void row_menu_build(void *handle);
void row_play(void *handle);
void row_insert(void *handle);
void row_remove(void *handle);
void row_activate(int row_id, void *handle, int buttons, int count);

int playlist_drag(void *handle, int event, void *list, int index);
int playlist_drop(void *handle, int event, void *source, void *list, int index, ...);
