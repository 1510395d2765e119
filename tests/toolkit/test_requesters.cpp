// AlertBox driven with injected clicks, and the toolkit's text collection.
#include "dialog_test_support.h"

#include "requesters/requester_parts.h"
#include "requesters/toolkit_texts.h"
#include "toolkit/requesters.h"

namespace kstr::test {
namespace {

using Labels = std::vector<std::string>;

// Buttons split at single bars; rows of buttons wrap past the row width.
TEST_F(DialogTest, AlertBoxAnswersTheButtonPressedAndNestsInTheMainLoop)
{
   std::vector<int> answers;
   int yes_id = -1;
   std::string fallback_title;
   std::vector<Rect> buttons;
   Script script;
   script.steps = {
      [&] {
         yes_id = LabelledControl("Yes");
         ClickControl(yes_id);
      },
      [&] { ClickControl(LabelledControl("No")); },
      [&] { ClickControl(LabelledControl("B|C")); },
      [&] {
         fallback_title = TopWindow()->title;
         ClickControl(LabelledControl("Stop"));
      },
      [&] {
         show_mouse(nullptr);
         save_screenshot("requester_rows");
         for (const char *label : {"First choice", "Second choice", "Third choice", "Fourth choice"})
            buttons.push_back(screen_rect_of(LabelledControl(label)));
         ClickControl(LabelledControl("Fourth choice"));
      },
   };
   bool main_loop_ran_between = false;
   RunDialog(
      [&] {
         answers.push_back(AlertBox("Quit", "Quit?|Yes|No"));
         // The requester's loop has ended; the main loop is still running.
         QueueCall([](void *ran) { *static_cast<bool *>(ran) = true; }, &main_loop_ran_between, 0, 0);
         answers.push_back(AlertBox("Quit", "Quit?|Yes|No"));
         answers.push_back(AlertBox("", "A|B||C"));
         answers.push_back(AlertBox("Title", "A text without buttons"));
         answers.push_back(AlertBox("Wrap", "Pick one|First choice|Second choice|Third choice|Fourth choice"));
      },
      script);

   EXPECT_EQ(answers, (std::vector<int>{0, 1, 0, 0, 3}));
   EXPECT_EQ(fallback_title, "Error") << "a text without a bar gets the fallback requester";
   EXPECT_TRUE(main_loop_ran_between);
   EXPECT_GT(yes_id, 0);
   EXPECT_EQ(LookupControl(yes_id), nullptr) << "the requester closed with its buttons";
   EXPECT_EQ(RequesterButtonLabels("B||C"), Labels{"B|C"});
   EXPECT_EQ(RequesterButtonLabels("|One||||Two|||Three||"), (Labels{"One||Two|", "Three|"}));

   ASSERT_EQ(buttons.size(), 4u);
   EXPECT_GT(buttons.back().y1, buttons.front().y2) << "four wide buttons cannot share one row";
   std::size_t row_start = 0;
   for (std::size_t i = 1; i < buttons.size(); ++i) {
      if (buttons[i].y1 > buttons[i - 1].y2) {
         EXPECT_EQ(buttons[i].x1, buttons[0].x1) << "a new row starts at the left margin";
         row_start = i;
         continue;
      }
      EXPECT_EQ(buttons[i].y1, buttons[i - 1].y1);
      EXPECT_LE(buttons[i].x2 - buttons[row_start].x1, REQUESTER_ROW_WIDTH + 3 * int(i - row_start));
   }
}

// Escape answers as the last button (or the one that took Escape as its hot
// key), Enter as the default first one, Alt+letter as the letter.
TEST_F(DialogTest, EscapeEnterAndAltLetterAnswerARequester)
{
   struct Case {
      const char *text;
      int character, scancode, shifts;
      int answer;
   };
   const std::vector<Case> cases = {
      {"Save?|~Yes|~No|Cancel", 27, KEY_ESC, 0, 2},        {"Save?|~Yes|~No|Cancel", '\r', KEY_ENTER, 0, 0},
      {"Save?|~Yes|~No|Cancel", 0, KEY_N, KB_ALT_FLAG, 1}, {"Done|OK", 27, KEY_ESC, 0, 0},
      {"Failed|#27;Stop|Retry", 27, KEY_ESC, 0, 0},
   };
   std::vector<int> answers;
   Script script;
   for (const Case &c : cases)
      script.steps.push_back([&c] { InjectKey(c.character, c.scancode, c.shifts); });
   RunDialog(
      [&] {
         for (const Case &c : cases)
            answers.push_back(AlertBox("Keys", c.text));
      },
      script);
   std::vector<int> expected;
   for (const Case &c : cases)
      expected.push_back(c.answer);
   EXPECT_EQ(answers, expected);
}

TEST(ToolkitTexts, SelectionFallbacksErrorsAndTheBuiltInCollection)
{
   std::vector<std::string> texts;
   const char *two = "<se>\r\n[a\r\n\"sv\r\n<en>\r\n[a\r\n\"en 0\r\n\"en 1\r\n[b]\r\n\"b\r\n";
   EXPECT_EQ(ReadTextSection(two, "se", "a", texts), TextError::none);
   EXPECT_EQ(texts, Labels{"sv"});
   EXPECT_EQ(ReadTextSection(two, "fr", "a", texts), TextError::none);
   EXPECT_EQ(texts, (Labels{"en 0", "en 1"})) << "an unknown language falls back to en";
   EXPECT_EQ(ReadTextSection("<pl>\n[a\n\"pl\n", "fr", "a", texts), TextError::none);
   EXPECT_EQ(texts, Labels{"pl"}) << "without en, the first language";
   EXPECT_EQ(ReadTextSection(two, "en", "b", texts), TextError::none);
   EXPECT_EQ(texts, Labels{"b"});
   EXPECT_EQ(ReadTextSection(two, "en", "c", texts), TextError::no_section);
   EXPECT_EQ(ReadTextSection("[a\r\n\"x\r\n", "en", "a", texts), TextError::no_language);
   EXPECT_EQ(ReadTextSection("", "en", "a", texts), TextError::no_text);

   const std::string &all = BuiltInToolkitText();
   for (const char *language : {"en", "se", "pl", "hu", "es", "fr"}) {
      for (const char *section : {"clock", "file_import_query", "filedial", "filebuff", "graphini", "obtext"}) {
         EXPECT_EQ(ReadTextSection(all.c_str(), language, section, texts), TextError::none) << language << section;
         EXPECT_FALSE(texts.empty()) << language << section;
      }
      EXPECT_EQ(ReadTextSection(all.c_str(), language, "filebrow", texts), TextError::none);
      EXPECT_EQ(texts.size(), FILEBROW_TEXTS) << language;
      EXPECT_NE(all.find(std::string("<") + language + ">\r\n"), std::string::npos);
   }
   ReadTextSection(all.c_str(), "se", "filebrow", texts);
   EXPECT_EQ(texts[14], "%s \xE4r en katalog|St\xE4ng") << "8-bit text, as the toolkit draws it";
}

}
}
