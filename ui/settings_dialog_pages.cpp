// The graphics and streams pages of the settings dialog.
#include "ui/settings_dialog.h"

#include "app/catalogue_items.h"
#include "app/catalogue_texts.h"
#include "app/config.h"
#include "player/sound_settings.h"
#include "ui/color_schemes.h"

#include "toolkit/toolkit.h"

#include <array>
#include <cstddef>

namespace {

constexpr int kCheckBoxRow = AUTO | LAYOUT_STRETCH;
constexpr int kBufferMin = 4;
constexpr int kBufferMax = 64;
constexpr int kBufferSliderLength = 180;
constexpr int kBufferFieldWidth = 45;
constexpr int kResamplingMax = 4;
constexpr int kResamplingSliderLength = 80;
constexpr int kFrequencyFieldWidth = 65;
constexpr int kIntegerField = 3;
constexpr int kIntegerFieldParam = 2;
constexpr int kBufferSliderFlags = 11;
constexpr int kResamplingSliderFlags = 3;

// A choice list takes char * items and copies them, so the tables' const
// labels can be handed over as they are.
template <typename Entry, std::size_t N, typename Label>
std::array<char *, N> items_of(const Entry (&table)[N], Label label)
{
   std::array<char *, N> items{};
   for (std::size_t i = 0; i < N; ++i)
      items[i] = const_cast<char *>(label(table[i]));
   return items;
}

void place_list(int width, int label, int *value, char **items, int count)
{
   PlaceChoiceList(PLACE_NEW_ROW, AUTO, width, tr_text(label), value, items, count);
}

void hand_mouse_flag_to_toolkit(void *)
{
   MouseInputMode = mouseint;
}

// A buffer size: its field, and below it a slider linked to the field.
void place_buffer_size(int *value)
{
   PlaceLabel(PLACE_NEW_ROW, AUTO, tr_text(msg::buffer_size));
   const int field = PlaceInputField(PLACE_LEFT, AUTO, kBufferFieldWidth, "", kIntegerField, kIntegerFieldParam, value);
   PlaceSlider(PLACE_NEW_ROW, AUTO, kBufferSliderLength, value, kBufferMin, kBufferMax, kBufferSliderFlags, field);
}

}

void settings_page_graphics(void *)
{
   auto resolutions = items_of(RESOLUTION_TABLE, [](const RESOLUTION_ENTRY &e) { return e.label; });
   auto depths = items_of(DEPTH_TABLE, [](const DEPTH_ENTRY &e) { return e.label; });
   auto rates = items_of(REFRESH_TABLE, [](const REFRESH_ENTRY &e) { return e.label; });
   std::array<char *, SCHEME_COUNT> schemes{};
   for (int k = 0; k < SCHEME_COUNT; ++k)
      schemes[static_cast<std::size_t>(k)] = const_cast<char *>(color_schemes[k].name ? color_schemes[k].name : "");

   BeginGroupBox(PLACE_LEFT, AUTO, 0, AUTO, tr_text(msg::graphics_mode), GROUP_TITLE_IN_FRAME);
   place_list(80, msg::resolution, &gfxmode, resolutions.data(), RESOLUTION_COUNT);
   const int set = PlaceButton(PLACE_RIGHT, AUTO, tr_text(msg::set_resolution), graphics_reinit, nullptr);
   SetTooltip(set, tr_text(msg::set_resolution_tooltip));
   place_list(160, msg::bit_depth, &depth, depths.data(), DEPTH_COUNT);
   place_list(160, msg::refresh_rate, &refreshrate, rates.data(), REFRESH_COUNT);
   PlaceCycleButton(PLACE_NEW_ROW, AUTO, tr_text(msg::fullscreen), yes_no_texts, &fullscreen);
   EndGroupBox();

   BeginGroupBox(PLACE_NEW_ROW, AUTO, 0, AUTO, "", GROUP_TITLE_IN_FRAME);
   place_list(100, msg::color_scheme, &cscheme, schemes.data(), SCHEME_COUNT);
   PlaceButton(PLACE_RIGHT, AUTO, tr_text(msg::set_scheme), color_scheme_apply, nullptr);
   EndGroupBox();

   const int mouse = PlaceCheckBox(PLACE_NEW_ROW, kCheckBoxRow, tr_text(msg::draw_mouse_interrupt), &mouseint);
   SetChangeHandler(mouse, hand_mouse_flag_to_toolkit, nullptr);
   PlaceCheckBox(PLACE_NEW_ROW, kCheckBoxRow, tr_text(msg::vsync), &vsync_flag);
}

void settings_page_streams(void *)
{
   BeginGroupBox(PLACE_NEW_ROW, AUTO, 0, AUTO, tr_text(msg::mp3_and_ogg), GROUP_TITLE_IN_FRAME);
   place_buffer_size(&mp3oggbuffer);
   EndGroupBox();

   BeginGroupBox(PLACE_NEW_ROW, AUTO, 0, AUTO, tr_text(msg::it_modules), GROUP_TITLE_IN_FRAME);
   place_buffer_size(&it_buffer_size);
   PlaceLabel(PLACE_NEW_ROW, AUTO, tr_text(msg::resampling_quality, "(0-4)"));
   PlaceSlider(PLACE_LEFT, AUTO, kResamplingSliderLength, &it_resampling, 0, kResamplingMax, kResamplingSliderFlags,
               -1);
   // Any integer typed here stays and is saved; the label gives the sensible range.
   PlaceLabel(PLACE_NEW_ROW, AUTO, tr_text(msg::mixing_frequency, "(8000-48000Hz)"));
   PlaceInputField(PLACE_LEFT, AUTO, kFrequencyFieldWidth, "", kIntegerField, kIntegerFieldParam, &it_sound_freq);
   EndGroupBox();
}
