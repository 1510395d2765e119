// The control table, class tables, exit handlers, pins and the lifecycle of
// the toolkit itself.
#include "draw/draw.h"
#include "toolkit/controls/sample_box.h"
#include "toolkit_test_support.h"
#include "windows/control_class.h"
#include "windows/input_sink.h"

#include <allegro.h>

#include <string>
#include <vector>

namespace {

void FillTable(Control *stand_in, int count)
{
   while (ControlTableCount() < count)
      ASSERT_GE(RegisterControl(stand_in), 0);
}

TEST(ControlTable, UnregisteringLeavesHolesAndDropsTrailingEmptyEntries)
{
   Control a{}, b{}, c{}, d{};
   for (Control *k : {&a, &b, &c, &d})
      RegisterControl(k);
   EXPECT_EQ(LookupControl(1), &b);
   UnregisterControl(2);
   EXPECT_EQ(ControlTableCount(), 4) << "a hole in the middle stays";
   EXPECT_EQ(LookupControl(2), nullptr) << "a stale id finds nothing";
   UnregisterControl(3);
   EXPECT_EQ(ControlTableCount(), 2);
   EXPECT_EQ(RegisterControl(&c), 2) << "below the ceiling new controls go at the count";
   EXPECT_EQ(c.id, 2);
   for (int bad : {-1, 1 << 30}) {
      EXPECT_EQ(LookupControl(bad), nullptr);
      UnregisterControl(bad);  // harmless
   }
}

TEST(ControlTable, GrowsInStepsAndAtTheCeilingReusesTheLowestEmptyEntryThenRefuses)
{
   Control stand_in{}, first{}, second{}, refused{};
   EXPECT_EQ(ControlTableCapacity(), 0);
   EXPECT_EQ(RegisterControl(&stand_in), 0);
   EXPECT_EQ(ControlTableCapacity(), CONTROL_TABLE_STEP);
   FillTable(&stand_in, CONTROL_TABLE_STEP);
   EXPECT_EQ(ControlTableCapacity(), CONTROL_TABLE_STEP);
   EXPECT_EQ(RegisterControl(&stand_in), CONTROL_TABLE_STEP);
   EXPECT_EQ(ControlTableCapacity(), 2 * CONTROL_TABLE_STEP);
   EXPECT_EQ(LookupControl(CONTROL_TABLE_STEP + 1), nullptr) << "new entries are empty";
   FillTable(&stand_in, CONTROL_TABLE_CEILING);
   EXPECT_EQ(ControlTableCapacity(), CONTROL_TABLE_CEILING);
   UnregisterControl(1234);
   UnregisterControl(77);
   EXPECT_EQ(RegisterControl(&first), 77);
   EXPECT_EQ(RegisterControl(&second), 1234);
   refused.id = -7;
   EXPECT_EQ(RegisterControl(&refused), -1);
   EXPECT_EQ(refused.id, -7) << "a refused record is left alone";
   EXPECT_EQ(LookupControl(77), &first);
   EXPECT_EQ(LookupControl(1234), &second);
}

TEST(ExitHandlers, RunNewestFirstOnceThenTheListIsEmpty)
{
   static std::vector<std::string> ran;
   static int late = 0;
   const auto log = [](void *name) { ran.emplace_back(static_cast<const char *>(name)); };
   RegisterExitHandler(log, const_cast<char *>("older"));
   RegisterExitHandler(log, const_cast<char *>("newer"));
   RegisterExitHandler([](void *) { RunExitHandlers(); }, nullptr);  // re-entry does nothing
   // One registered while running waits for the next run.
   RegisterExitHandler([](void *) { RegisterExitHandler([](void *) { ++late; }, nullptr); }, nullptr);
   RunExitHandlers();
   EXPECT_EQ(ran, (std::vector<std::string>{"newer", "older"}));
   EXPECT_EQ(late, 0);
   RunExitHandlers();
   EXPECT_EQ(ran.size(), 2u);
   EXPECT_EQ(late, 1);
}

class Core : public ::testing::Test {
 protected:
   kstr::test::ToolkitSession session;
   void SetUp() override { ASSERT_TRUE(session.ok); }
};

TEST_F(Core, ControlsNeedTheOneWindowUnderConstructionAndAFreeTableEntry)
{
   EXPECT_EQ(PlaceSampleBox(PLACE_FIRST, AUTO, "x", SAMPLE_RAISED, 0, 0), -1);
   ASSERT_GT(MakeWindow(0, AUTO, "first", 0), 0);
   EXPECT_EQ(MakeWindow(0, AUTO, "second", 0), 0);
   EXPECT_EQ(WindowsBottomToTop().size(), 1u);
   EXPECT_GT(PlaceSampleBox(PLACE_FIRST, AUTO, "kept", SAMPLE_RAISED, 0, 0), 0);

   // With the table full a creator refuses cleanly.
   Control stand_in{};
   const int first_stand_in = ControlTableCount();
   FillTable(&stand_in, CONTROL_TABLE_CEILING);
   Container *client = TopWindow()->client;
   Control *last_before = client->last;
   EXPECT_EQ(PlaceSampleBox(PLACE_RIGHT, AUTO, "refused", SAMPLE_RAISED, 0, 0), -1);
   EXPECT_EQ(client->last, last_before) << "nothing was linked";
   UnregisterControl(first_stand_in + 5);
   EXPECT_GT(PlaceSampleBox(PLACE_RIGHT, AUTO, "fits", SAMPLE_RAISED, 0, 0), 0);
   for (int id = ControlTableCount() - 1; id >= first_stand_in; --id)
      if (LookupControl(id) == &stand_in)
         UnregisterControl(id);

   PresentWindow();
   EXPECT_EQ(PlaceSampleBox(PLACE_FIRST, AUTO, "x", SAMPLE_RAISED, 0, 0), -1);
   EXPECT_GT(MakeWindow(0, AUTO, "second", 0), 0);
   PresentWindow();
}

TEST_F(Core, ClickHandlerThenAPinThatOutlivesTheWindowThenStaleIds)
{
   ASSERT_GT(MakeWindow(0, AUTO, "", 0), 0);
   const int id = PlaceSampleBox(PLACE_FIRST, AUTO, "pinned", SAMPLE_RAISED, 0, 0);
   PresentWindow();
   Control *c = LookupControl(id);
   std::vector<int> seen;  // id, buttons, clicks
   const ClickFn note = [](int i, void *d, int b, int n) { *static_cast<std::vector<int> *>(d) = {i, b, n}; };
   EXPECT_EQ(SetClickHandler(id, note, &seen, 1), 1);
   DeliverClick(c, 1, 2);
   EXPECT_EQ(seen, (std::vector<int>{id, 1, 2}));
   EXPECT_EQ(SetClickHandler(id, nullptr, nullptr, 0), 1);
   DeliverClick(c, 1, 1);  // cleared: nothing happens
   EXPECT_EQ(seen, (std::vector<int>{id, 1, 2}));

   Control *pinned = PinControl(id);
   ASSERT_EQ(pinned, c);
   EXPECT_EQ(pinned->refs, 1);
   CloseWindow();
   EXPECT_EQ(LookupControl(id), nullptr) << "the id is stale at once";
   EXPECT_FALSE(ControlIsLive(pinned));
   EXPECT_EQ(pinned->text, std::vector<std::string>{"pinned"}) << "the record is still there";
   EXPECT_EQ(DeliverPointer(pinned, PointerEvent{POINTER_RELEASE, 0, 0, 0, 1, 0}), 0);
   UnpinControl(pinned);  // frees it; the leak checker sees that

   for (const int bad : {id, 4321}) {  // stale and never used: nothing done, zero answered
      EXPECT_EQ(RedrawControl(bad), 0);
      EXPECT_EQ(ResizeControl(bad, 1, 1), 0);
      EXPECT_EQ(SetTooltip(bad, "x"), 0);
      EXPECT_EQ(SetChangeHandler(bad, DoNothing, nullptr), 0);
      EXPECT_EQ(SetClickHandler(bad, nullptr, nullptr, 1), 0);
      EXPECT_EQ(MakeResizable(bad, DoNothing, nullptr, 0), 0);
      EXPECT_EQ(PinControl(bad), nullptr);
   }
}

TEST_F(Core, StopAndStartAgainGivesAFreshDesktop)
{
   const int window = MakeWindow(0, AUTO, "", 0);
   ASSERT_GT(window, 0);
   PresentWindow();
   EXPECT_NE(LookupControl(0), nullptr) << "the desktop is control 0";
   StopToolkit();
   EXPECT_FALSE(ToolkitRunning());
   EXPECT_EQ(LookupControl(window), nullptr);
   EXPECT_EQ(TopWindow(), nullptr);
   EXPECT_EQ(ControlTableCount(), 0);
   EXPECT_GT(MakeWindow(0, AUTO, "again", 0), 0) << "making a window starts the toolkit";
   EXPECT_TRUE(ToolkitRunning());
   EXPECT_EQ(Desktop()->self->id, 0);
   PresentWindow();
}

TEST(ToolkitSettings, LanguageFromTesselThenSystemThenEnglish)
{
   ASSERT_TRUE(kstr::test::start_allegro("[tessel]\nlanguage = de\n[system]\nlanguage = fr\n"));
   EXPECT_EQ(std::string(ToolkitLanguage()), "de");
   set_config_string("tessel", "language", "");
   EXPECT_EQ(std::string(ToolkitLanguage()), "fr");
   set_config_string("system", "language", "");
   EXPECT_EQ(std::string(ToolkitLanguage()), "en");
}

TEST(InterfaceColours, EightBitModesUseTheTopTwelvePaletteEntries)
{
   kstr::test::ToolkitSession session(640, 580, 8);
   ASSERT_TRUE(session.ok);
   EXPECT_EQ(InterfaceColour[1], 255);
   EXPECT_EQ(InterfaceColour[12], 244);
   const auto entry = [](int i) {
      RGB c;
      get_color(i, &c);
      return std::vector<int>{c.r, c.g, c.b};
   };
   EXPECT_EQ(entry(255), (std::vector<int>{63, 63, 63}));
   EXPECT_EQ(entry(248), (std::vector<int>{15, 20, 32})) << "slot 8: 60, 80, 128";
   EXPECT_EQ(entry(244), (std::vector<int>{0, 32, 0})) << "slot 12: 0, 131, 0";
}
}
