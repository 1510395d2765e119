// The quit question: asked from the quit button and from the window's close
// button, with one of ten title and message pairs; any answer but the first
// leaves the program as it was. (The first answer ends the process: the
// end-to-end and start-up tests run the real program for that.)
#include "main_window_test_support.h"

#include "toolkit/requesters.h"
#include "ui/quit.h"

#include <set>

namespace kstr::test {
namespace {

// The catalogue's pair r: the title and the message before its buttons.
std::pair<std::string, std::string> Pair(int r)
{
   const std::string title = tr_text(quit_title_item(r));
   const std::string text = tr_text(quit_message_item(r));
   return {title, text.substr(0, text.find('|'))};
}

TEST_F(MainWindowTest, TheQuitQuestionTakesItsWordsFromTenPairsAndNoChangesNothing)
{
   constexpr int kAsks = 40;
   std::set<std::pair<std::string, std::string>> asked;
   std::set<int> button_counts;
   std::vector<std::function<void()>> steps;
   for (int i = 0; i < kAsks; ++i) {
      steps.push_back([i] {
         playlist_insert(main_playlist, 0, "kept.mp3", 0);
         // Half the questions come from the quit button, half from the
         // frame's close button (which Allegro reports on its own thread).
         if (i % 2)
            ClickControl(IconControl("xicon"));
         else
            quit_request_queued();
      });
      steps.push_back([&] {
         asked.insert({TopWindow()->title, RequesterMessage()});
         InjectKey('\t', KEY_TAB, 0);
         InjectKey('\r', KEY_ENTER, 0);  // the second button
      });
   }
   std::string after;
   uint32_t rows = 0;
   steps.push_back([&] {
      after = RequesterMessage();
      rows = main_playlist->count;
   });
   RunWindow(steps, 40);

   std::set<std::pair<std::string, std::string>> pairs;
   for (int r = 0; r < QUIT_PAIRS; ++r)
      pairs.insert(Pair(r));
   EXPECT_EQ(pairs.size(), 10u) << "ten different pairs in the catalogue";
   for (const auto &a : asked)
      EXPECT_TRUE(pairs.count(a)) << a.first << " / " << a.second;
   EXPECT_GE(asked.size(), 8u) << "the pair is drawn at random";
   EXPECT_EQ(after, "") << "no question left open";
   EXPECT_EQ(rows, static_cast<uint32_t>(kAsks)) << "the program went on with its playlist";
}

}
}
