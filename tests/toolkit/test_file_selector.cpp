// The file selector on a temporary folder, driven with injected input.
#include "dialog_test_support.h"

#include "toolkit/controls/list_view_parts.h"
#include "toolkit/file_listing.h"
#include "toolkit/file_selector.h"
#include "toolkit/requesters.h"

#include <cstring>
#include <filesystem>
#include <fstream>

namespace kstr::test {
namespace {

namespace fs = std::filesystem;

class FileSelectorTest : public DialogTest {
protected:
   void SetUp() override
   {
      DialogTest::SetUp();
      root_ = fs::temp_directory_path() / ("kstr_selector_" + std::to_string(getpid()));
      fs::create_directories(root_ / "sub");
      for (const char *name : {"sub/song.mp3", "a.ogg", "notes.txt"})
         std::ofstream(root_ / name) << "x";
   }
   void TearDown() override { fs::remove_all(root_); }

   // Opens ChooseFile on the temporary folder; `script` drives it.
   void Choose(int flags, Script &script)
   {
      RunDialog(
         [&] {
            const char *r = ChooseFile("*.mp3;*.ogg", root_.c_str(), flags, "Pick", "Add");
            returned_null_ = !r;
            result_ = r ? r : "";
         },
         script);
   }

   static ListView *List()
   {
      Control *c = FindIn(TopWindow()->client, [](Control *c) { return ListOf(c) && ListOf(c)->self == c; });
      return c ? ListOf(c) : nullptr;
   }
   // The names the list shows, in order.
   static std::vector<std::string> Rows()
   {
      std::vector<std::string> names;
      ListView *v = List();
      for (int i = 0; v && i < ListCount(v); ++i) {
         char buf[LIST_TEXT_SIZE];
         v->row_text(ListItem(v, i), buf, 0);
         const char *text = std::strchr(buf, ';');
         names.push_back(text ? text + 1 : buf);
      }
      return names;
   }
   static void DoubleClickRow(int row)
   {
      int x, y;
      centre_of(RowShowing(List(), row)->id, &x, &y);
      DoubleClickAt(x, y);
   }

   fs::path root_;
   std::string result_ = "unset";
   bool returned_null_ = true;
};

TEST_F(FileSelectorTest, EntersAFolderByDoubleClickAndChoosesAFile)
{
   std::vector<std::string> top, inside;
   Script script;
   script.steps = {
      [&] {
         top = Rows();
         show_mouse(nullptr);
         save_screenshot("file_selector");
         DoubleClickRow(1);  // "sub"
      },
      [&] {
         inside = Rows();
         DoubleClickRow(1);  // "song.mp3"
      },
   };
   Choose(SELECT_MUST_EXIST, script);

   // Folders first, masks of several kinds, other files left out.
   EXPECT_EQ(top, (std::vector<std::string>{"..", "sub", "a.ogg"}));
   EXPECT_EQ(inside, (std::vector<std::string>{"..", "song.mp3"}));
   EXPECT_EQ(result_, (root_ / "sub" / "song.mp3").string());
   // The settings went back to the configuration, with the folder last used.
   EXPECT_EQ(std::string(get_config_string("File-selector", "Init-path", "")), (root_ / "sub").string());
   EXPECT_EQ(get_config_int("File-selector", "Width-1", 0), 150);
}

TEST_F(FileSelectorTest, TypedLocationOpensThatFolderAndCancelGivesAnEmptyString)
{
   std::vector<std::string> inside;
   Script script;
   script.steps = {
      [&] {
         ClickControl(LabelledControl("Location:"));
         PressKey(0, KEY_END);
         TypeText("/sub");
         PressKey('\r', KEY_ENTER);
      },
      [&] {
         inside = Rows();
         PressKey(27, KEY_ESC);
      },
   };
   Choose(0, script);

   EXPECT_EQ(inside, (std::vector<std::string>{"..", "song.mp3"}));
   EXPECT_FALSE(returned_null_);
   EXPECT_EQ(result_, "");
}

TEST_F(FileSelectorTest, CopiedFileIsPastedIntoAnotherFolderAndAHeadingSorts)
{
   std::vector<std::string> after, reversed;
   Script script;
   script.steps = {
      [&] {
         int x, y;
         centre_of(RowShowing(List(), 2)->id, &x, &y);  // "a.ogg"
         inject_click(x, y);
      },
      [&] { InjectKey(3, KEY_C, KB_CTRL_FLAG); },
      [&] { DoubleClickRow(1); },  // "sub"
      [&] { InjectKey(22, KEY_V, KB_CTRL_FLAG); },
      [&] {
         after = Rows();
         // The "Name" heading just above the list: sorted by name already,
         // a click reverses the order.
         const Rect list = screen_rect_of(List()->self->id);
         inject_click(list.x1 + 20, list.y1 - 5);
      },
      [&] {
         reversed = Rows();
         PressKey(27, KEY_ESC);
      },
   };
   Choose(SELECT_NO_SETTINGS, script);

   EXPECT_EQ(after, (std::vector<std::string>{"..", "a.ogg", "song.mp3"}));
   EXPECT_EQ(reversed, (std::vector<std::string>{"..", "song.mp3", "a.ogg"}));
   EXPECT_TRUE(fs::exists(root_ / "a.ogg")) << "copied, not moved";
}

TEST_F(FileSelectorTest, RowDraggedOntoAFolderMovesTheFileThere)
{
   std::vector<std::string> after;
   Script script;
   script.steps = {
      [&] {
         int x, y, fx, fy;
         centre_of(RowShowing(List(), 2)->id, &x, &y);    // "a.ogg"
         centre_of(RowShowing(List(), 1)->id, &fx, &fy);  // "sub"
         InjectPointer(x, y, 0);
         InjectPointer(x, y, 1);
         for (int step = 1; step <= 4; ++step)
            InjectPointer(x, y + (fy - y) * step / 4, 1);
         InjectPointer(fx, fy, 0);
      },
      [&] {
         after = Rows();
         PressKey(27, KEY_ESC);
      },
   };
   Choose(SELECT_NO_SETTINGS, script);

   EXPECT_EQ(after, (std::vector<std::string>{"..", "sub"}));
   EXPECT_TRUE(fs::exists(root_ / "sub" / "a.ogg"));
}

TEST_F(FileSelectorTest, MissingNameIsRefusedWhenItMustExist)
{
   int message_buttons = 0;
   std::string message;
   bool selector_again = false;
   Script script;
   script.steps = {
      [&] {
         TypeText("missing.mp3");
         PressKey('\r', KEY_ENTER);
      },
      [&] {
         message = RequesterMessage();
         message_buttons = LabelledControl("Close") >= 0;
         ClickControl(LabelledControl("Close"));
      },
      [&] {
         selector_again = LabelledControl("Selected:") >= 0;
         ClickControl(LabelledControl("Cancel"));
      },
   };
   Choose(SELECT_MUST_EXIST | SELECT_NO_SETTINGS, script);

   EXPECT_EQ(message, "missing.mp3 does not not exist. Try again.");
   EXPECT_TRUE(message_buttons);
   EXPECT_TRUE(selector_again) << "the selector stays open after the message";
   EXPECT_EQ(result_, "");
}

TEST(FileListing, DisksMasksAndSelectedNames)
{
   const fs::path mounts = fs::temp_directory_path() / ("kstr_mounts_" + std::to_string(getpid()));
   std::ofstream(mounts) << "/dev/sda1 / ext4 rw 0 0\nproc /proc proc rw 0 0\n"
                            "/dev/sdb1 /media/My\\040Disk vfat rw 0 0\ntmpfs /run tmpfs rw 0 0\n";
   EXPECT_EQ(DiskDevices(mounts.c_str()), (std::vector<std::string>{"/", "/media/My Disk", "/run"}));
   fs::remove(mounts);

   EXPECT_TRUE(MatchesMasks("Song.MP3", "*.ogg; *.mp3"));
   EXPECT_FALSE(MatchesMasks("song.mp3x", "*.mp3;*.ogg"));
   EXPECT_TRUE(MatchesMasks("README", "*.*"));
   EXPECT_EQ(SplitSelectedNames("\"a;b.mp3\"; c.ogg ;;"), (std::vector<std::string>{"a;b.mp3", "c.ogg"}));
   EXPECT_EQ(NormalFolder("/a/./b/../c/"), "/a/c");
   EXPECT_EQ(ParentFolder("/"), "/");
}

}
}
