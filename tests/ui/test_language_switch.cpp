// The language page and the switch: the page's lines, a switch to every
// shipped language with the playlist and the song kept, a catalogue that no
// longer loads, and many switches in a row.
#include "ui_test_support.h"

#include "ui/language_switch.h"

#include <malloc.h>

using namespace kstr::test;

namespace {

// The language list is the control placed just before the switch button.
int language_list()
{
   const int button = in_settings(msg::change_language);
   Control *b = LookupControl(button);
   if (!b)
      return -1;
   for (Control *c = b->parent->first; c; c = c->next)
      if (c->next == b)
         return c->id;
   return -1;
}

// Opens the language page, runs `on_page` there, then chooses the entry
// with `code` and presses the switch button (closes the dialog for "").
void switch_to(const std::string &code, Script &script, std::function<void()> on_page = nullptr)
{
   open_from_menu(msg::setup, script);
   choose_tab(2, script);
   if (on_page)
      script.steps.push_back(on_page);
   if (code.empty())
      return click_settings(msg::close, script);
   choose(language_list, find_language(code.c_str()), script);
   click_settings(msg::change_language, script);
}

// The label placed right of the one showing `item`.
std::string shown_beside(int item)
{
   Control *c = LookupControl(next_of(in_settings(item)));
   return c && !c->text.empty() ? c->text[0] : "";
}

}

// A staged catalogue "xx" lacks a line. Each switch rebuilds the main window
// in the new language (menu and quit tooltips, yes_no_texts) with the
// playlist and the playing song kept; the language page names the active
// language and says whether its catalogue has every text.
TEST_F(PlayerTest, SwitchToEachLanguageRebuildsInItKeepingPlaylistAndSong)
{
   start(kWindowedIni, [](const TempDir &dir) {
      std::string english = read_file(dir.file("lang/en.tra"));
      const std::size_t line = english.find("vsync=");
      english.erase(line, english.find('\n', line) - line + 1);
      english.replace(english.find("lang_name=English"), 17, "lang_name=Lacking");
      dir.write("lang/xx.tra", english);
   });
   ASSERT_EQ(language_count, 6);
   PlayingSong song;
   const char *const codes[] = {"en", "de", "fr", "es", "pl", "xx", "en", ""};
   for (std::size_t i = 0; i + 1 < std::size(codes); ++i) {
      const std::string code = codes[i];
      Script script;
      if (i == 0)
         script.steps.push_back([&] { song.start(); });
      switch_to(codes[i + 1], script, [&, code] {
         const auto expected = [&](int item) { return catalogue_text("lang/" + code + ".tra", item); };
         const int window = main_window_state().window;
         EXPECT_NE(control_with_tooltip(window, expected(msg::menu)), -1) << code;
         EXPECT_NE(control_with_tooltip(window, expected(msg::quit)), -1) << code;
         EXPECT_EQ(std::string(language_codes[current_language]), code);
         EXPECT_EQ(std::string(yes_no_texts[0]), expected(msg::no)) << code;
         EXPECT_EQ(std::string(yes_no_texts[1]), expected(msg::yes)) << code;
         song.expect_kept(code);
         EXPECT_EQ(shown_beside(msg::current_language), expected(msg::lang_name));
         EXPECT_EQ(shown_beside(msg::translation_completed), text(code == "xx" ? msg::no : msg::yes)) << code;
         EXPECT_GE(in_settings(msg::lang_author_msg), 0);
         EXPECT_EQ(value_of(language_list()), current_language);
         shot("language_" + code);
      });
      if (*codes[i + 1]) {
         ASSERT_TRUE(run_main_window(script)) << codes[i + 1];
      } else {
         end_main_window(script);
         EXPECT_FALSE(run_main_window(script));
      }
   }
}

// A catalogue removed or broken after start-up: the switch keeps the
// active catalogue and language and says why.
TEST_F(PlayerTest, CatalogueThatNoLongerLoadsKeepsTheActiveLanguage)
{
   start();
   const struct {
      const char *bytes;  // null: the file is removed
      const char *reason;
   } cases[] = {
      {"lang_name=Deutsch\nno equals sign\n", "lang/de.tra: Syntax error: expected '=' after item name at line 2"},
      {nullptr, "lang/de.tra: Error opening file"},
   };
   const int english = current_language;
   TRANSLATION *const active = current_translation;
   for (const auto &c : cases) {
      Script script;
      std::string shown;
      int window = 0;
      script.steps.push_back([&] {
         window = main_window_state().window;
         if (c.bytes)
            dir_.write("lang/de.tra", c.bytes);
         else
            std::filesystem::remove(dir_.file("lang/de.tra"));
      });
      switch_to("de", script);
      await([] { return !RequesterMessage().empty(); }, script);
      script.steps.push_back(answer(shown));
      script.steps.push_back([&] {
         EXPECT_EQ(main_window_state().window, window) << "the interface stays";
         EXPECT_EQ(value_of(language_list()), english) << "the list shows the active language again";
         ClickControl(in_settings(msg::close));
      });
      end_main_window(script);
      EXPECT_FALSE(run_main_window(script));
      EXPECT_NE(shown.find(c.reason), std::string::npos) << "requester: " << shown;
      EXPECT_EQ(current_language, english);
      EXPECT_EQ(current_translation, active);
      EXPECT_EQ(text(msg::menu), "Menu");
      EXPECT_EQ(std::string(yes_no_texts[1]), "Yes");
   }
}

// Each switch unwinds to the top before it rebuilds: the switching call
// runs at the same depth every time, the event queue holds as many calls
// after the fiftieth rebuild as after the first (the playback poll is queued
// once per window), and the heap does not grow.
TEST_F(PlayerTest, FiftySwitchesInARowLeaveStackQueueAndMemoryFlat)
{
   start();
   std::vector<const void *> frames;
   std::vector<int> pending;
   std::vector<std::size_t> heap;
   for (int i = 0; i < 50; ++i) {
      Script script;
      script.gap_ms = 20;
      script.steps.push_back([&] {
         pending.push_back(EventsPending());
         heap.push_back(mallinfo2().uordblks);
      });
      switch_to(i % 2 ? "en" : "de", script);
      script.steps.back() = [&, press_switch = script.steps.back()] {
         frames.push_back(__builtin_frame_address(0));
         press_switch();
      };
      ASSERT_TRUE(run_main_window(script)) << "switch " << i;
   }
   Script last;
   last.steps.push_back([&] {
      pending.push_back(EventsPending());
      heap.push_back(mallinfo2().uordblks);
      EXPECT_EQ(std::string(language_codes[current_language]), "en");
   });
   end_main_window(last);
   run_main_window(last);

   RecordProperty("heap_after_5", std::to_string(heap[5]));
   RecordProperty("heap_after_50", std::to_string(heap[50]));
   RecordProperty("calls_queued", std::to_string(pending[50]));
   EXPECT_EQ(std::count(frames.begin(), frames.end(), frames.front()), 50);
   EXPECT_EQ(pending[1], pending[50]) << "calls queued after the first and the last rebuild";
#if !defined(__SANITIZE_ADDRESS__)
   EXPECT_LT(heap[50], heap[5] + 64 * 1024) << "heap in use after 5 and after 50 rebuilds";
#endif
}
