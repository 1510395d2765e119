// The file selector on a temporary folder, driven with injected input.
#include "dialog_test_support.h"

#include "controls/input_value.h"
#include "controls/list_view_parts.h"
#include "draw/display_names.h"
#include "file_selector/file_listing.h"
#include "input/clipboard.h"
#include "toolkit/file_selector.h"
#include "toolkit/requesters.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <list>

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
      Control *c = FindIn(TopWindow()->client,
                          [](Control *candidate) { return ListOf(candidate) && ListOf(candidate)->self == candidate; });
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
   static void RowCentre(int row, int *x, int *y) { centre_of(RowShowing(List(), row)->id, x, y); }
   static void ClickRow(int row, int times = 1)  // 2 for a double click
   {
      for (int i = 0; i < times; ++i)
         ClickControl(RowShowing(List(), row)->id);
   }

   static std::string FieldTextOf(int id)
   {
      Control *c = LookupControl(id);
      return c ? FieldText(*RecordOf<InputField>(c)) : "?";
   }

   fs::path root_;
   std::string result_ = "unset";
   bool returned_null_ = true;
};

// Folders first, masks of several kinds, other files left out. A typed
// location opens that folder; a name that must exist and does not brings a
// message and the selector stays open; a double click enters a folder or
// chooses a file; the settings go back to the configuration.
TEST_F(FileSelectorTest, LocationFoldersAndAMissingNameLeadToTheChosenFile)
{
   std::vector<std::string> top, inside;
   std::string message;
   bool selector_again = false;
   Script script;
   script.steps = {
      [&] {
         top = Rows();
         show_mouse(nullptr);
         save_screenshot("file_selector");
         ClickControl(LabelledControl("Location:"));
         InjectKey(0, KEY_END, 0);
         TypeText("/sub");
         InjectKey('\r', KEY_ENTER, 0);
      },
      [&] {
         inside = Rows();
         ClickControl(LabelledControl("Selected:"));
         TypeText("missing.mp3");
         InjectKey('\r', KEY_ENTER, 0);
      },
      [&] {
         message = RequesterMessage();
         ClickControl(LabelledControl("Close"));
      },
      [&] {
         selector_again = LabelledControl("Selected:") >= 0;
         ClickRow(0, 2);  // ".."
      },
      [&] { ClickRow(1, 2); },  // "sub"
      [&] { ClickRow(1, 2); },  // "song.mp3"
   };
   Choose(SELECT_MUST_EXIST, script);

   EXPECT_EQ(top, (std::vector<std::string>{"..", "sub", "a.ogg"}));
   EXPECT_EQ(inside, (std::vector<std::string>{"..", "song.mp3"}));
   EXPECT_EQ(message, "missing.mp3 does not not exist. Try again.");
   EXPECT_TRUE(selector_again);
   EXPECT_EQ(result_, (root_ / "sub" / "song.mp3").string());
   EXPECT_EQ(std::string(get_config_string("File-selector", "Init-path", "")), (root_ / "sub").string());
   EXPECT_EQ(get_config_int("File-selector", "Width-1", 0), 150);
}

// Every column fits the window and shows its text; a typed location
// replaces the one shown; "Selected:" empties when the folder changes; a
// name in a missing folder is refused with a message that Escape closes; the
// settings panel opens over the selector.
TEST_F(FileSelectorTest, ColumnsFitTypedPathsReplaceAndMissingPathsAreRefused)
{
   Rect list{}, location{}, panel{}, selector{};
   int widths = 0, row_width = 0;
   std::string attributes, after_typing, selected_inside, selected_after, message, after_escape;
   std::vector<std::string> inside;
   Script script;
   script.steps = {
      [&] {
         list = screen_rect_of(List()->self->id);
         location = screen_rect_of(LabelledControl("Location:"));
         for (int w : List()->column_widths)
            widths += w;
         row_width = ControlWidth(RowShowing(List(), 0)) + 1;
         char buf[LIST_TEXT_SIZE];
         List()->row_text(ListItem(List(), 2), buf, 3);  // "a.ogg", attributes
         attributes = buf;
         show_mouse(nullptr);
         save_screenshot("file_selector_columns");
         ClickControl(LabelledControl("Location:"));
         TypeText((root_ / "sub").string());
      },
      [&] {
         after_typing = FieldTextOf(LabelledControl("Location:"));
         InjectKey('\r', KEY_ENTER, 0);
      },
      [&] {
         inside = Rows();
         ClickRow(1);  // "song.mp3"
      },
      [&] {
         selected_inside = FieldTextOf(LabelledControl("Selected:"));
         ClickRow(0, 2);  // ".."
      },
      [&] {
         selected_after = FieldTextOf(LabelledControl("Selected:"));
         ClickControl(LabelledControl("Selected:"));
         TypeText("gone/new.kpl");
         InjectKey('\r', KEY_ENTER, 0);
      },
      [&] {
         message = RequesterMessage();
         InjectKey(27, KEY_ESC, 0);
      },
      [&] {
         after_escape = FieldTextOf(LabelledControl("Selected:"));
         selector = screen_rect_of(TopWindow()->root->self->id);
         ClickControl(LabelledControl("Settings"));
      },
      [&] {
         panel = screen_rect_of(TopWindow()->root->self->id);
         ClickControl(LabelledControl("OK"));
      },
      [&] { ClickControl(LabelledControl("Cancel")); },
   };
   Choose(SELECT_NO_SETTINGS | SELECT_SHOW_SIZE | SELECT_SHOW_TIME | SELECT_SHOW_MODE | SELECT_SETTINGS_MENU, script);

   EXPECT_EQ(list.x2, location.x2) << "the list spans the window";
   EXPECT_EQ(widths, row_width) << "the columns fill the rows";
   EXPECT_EQ(attributes, "-rw");
   EXPECT_EQ(after_typing, (root_ / "sub").string());
   EXPECT_EQ(inside, (std::vector<std::string>{"..", "song.mp3"}));
   EXPECT_EQ(selected_inside, "song.mp3");
   EXPECT_EQ(selected_after, "");
   EXPECT_EQ(message, "gone/new.kpl does not not exist. Try again.");
   EXPECT_EQ(after_escape, "gone/new.kpl") << "the selector is back after Escape";
   EXPECT_GE(panel.x1, selector.x1);
   EXPECT_LE(panel.x2, selector.x2);
   EXPECT_GE(panel.y1, selector.y1);
   EXPECT_LE(panel.y2, selector.y2);
   EXPECT_EQ(result_, "");
}

// A row dragged onto a folder's row moves the file there; a click on the
// "Name" heading reverses the order; a copied file is pasted into another
// folder and stays where it was; Cancel answers "", not null.
TEST_F(FileSelectorTest, DragMovesAHeadingSortsAndCopyPastes)
{
   std::vector<std::string> moved, inside, reversed, pasted;
   Script script;
   script.steps = {
      [&] {
         int x, y, fx, fy;
         RowCentre(2, &x, &y);    // "a.ogg"
         RowCentre(1, &fx, &fy);  // "sub"
         InjectPointer(x, y, 0);
         InjectPointer(x, y, 1);
         for (int step = 1; step <= 4; ++step)
            InjectPointer(x, y + (fy - y) * step / 4, 1);
         InjectPointer(fx, fy, 0);
      },
      [&] {
         moved = Rows();
         ClickRow(1, 2);
      },
      [&] {
         inside = Rows();
         const Rect list = screen_rect_of(List()->self->id);
         inject_click(list.x1 + 20, list.y1 - 5);  // the heading just above the list
      },
      [&] {
         reversed = Rows();
         ClickRow(2);  // "a.ogg"
      },
      [&] { InjectKey(3, KEY_C, KB_CTRL_FLAG); },
      [&] { ClickRow(0, 2); },  // ".."
      [&] { InjectKey(22, KEY_V, KB_CTRL_FLAG); },
      [&] {
         pasted = Rows();
         ClickControl(LabelledControl("Cancel"));
      },
   };
   Choose(SELECT_NO_SETTINGS, script);

   EXPECT_EQ(moved, (std::vector<std::string>{"..", "sub"}));
   EXPECT_EQ(inside, (std::vector<std::string>{"..", "a.ogg", "song.mp3"}));
   EXPECT_EQ(reversed, (std::vector<std::string>{"..", "song.mp3", "a.ogg"}));
   EXPECT_EQ(pasted, (std::vector<std::string>{"..", "sub", "a.ogg"}));
   EXPECT_TRUE(fs::exists(root_ / "sub" / "a.ogg")) << "copied, not moved";
   EXPECT_FALSE(returned_null_);
   EXPECT_EQ(result_, "");
}

// Ctrl+C and Ctrl+V copy files while the list has the keys and text while
// the location has them: a path pasted into the location is entered, and
// the copied file is not pasted by it.
TEST_F(FileSelectorTest, ClipboardKeysCopyFilesInTheListAndTextInTheLocation)
{
   std::string after_list_copy, location_copied;
   std::vector<std::string> entered;
   Script script;
   script.steps = {
      [&] {
         CopyToClipboard("before");
         ClickRow(2);  // "a.ogg"
      },
      [&] { InjectKey(3, KEY_C, KB_CTRL_FLAG); },
      [&] {
         after_list_copy = PasteFromClipboard();
         ClickControl(LabelledControl("Location:"));  // its text marked whole
         InjectKey(3, KEY_C, KB_CTRL_FLAG);
      },
      [&] {
         location_copied = PasteFromClipboard();
         CopyToClipboard((root_ / "sub").string() + "\n");
         InjectKey(1, KEY_A, KB_CTRL_FLAG);
         InjectKey(22, KEY_V, KB_CTRL_FLAG);
         InjectKey('\r', KEY_ENTER, 0);
      },
      [&] {
         entered = Rows();
         ClickControl(LabelledControl("Cancel"));
      },
   };
   Choose(SELECT_NO_SETTINGS, script);
   EXPECT_EQ(after_list_copy, "before") << "copying files leaves the X clipboard";
   EXPECT_EQ(location_copied, root_.string());
   EXPECT_EQ(entered, (std::vector<std::string>{"..", "song.mp3"})) << "no file pasted";
}

// Names in UTF-8, in Latin-1 and in no encoding at all are listed with their
// own bytes (the rows draw them decoded), shown decoded in "Selected:" and
// chosen with their bytes untouched, even when two of them look alike.
TEST_F(FileSelectorTest, NamesShowDecodedAndOpenWithTheirOwnBytes)
{
   const struct {
      std::string bytes, shown;
   } names[] = {
      {"\xC3\x9Cn\xC3\xAF"
       "code.ogg",
       "\xC3\x9Cn\xC3\xAF"
       "code.ogg"},  // "Ünïcode", UTF-8
      {"\xC5\xB9r\xC3\xB3"
       "d\xC5\x82o \xC5\x82\xC4\x85ki.mp3",
       "\xC5\xB9r\xC3\xB3"
       "d\xC5\x82o \xC5\x82\xC4\x85ki.mp3"},                           // "Źródło łąki", UTF-8
      {"caf\xE9.mp3", "caf\xC3\xA9.mp3"},                              // "café" in Latin-1 ...
      {"caf\xC3\xA9.mp3", "caf\xC3\xA9.mp3"},                          // ... and in UTF-8, shown alike
      {"bad\xFF\xC0\x80.mp3", "bad\xC3\xBF\xC3\x80\xE2\x82\xAC.mp3"},  // no encoding (an overlong form)
   };
   for (const auto &n : names)
      std::ofstream(root_ / n.bytes) << "x";
   // One script per dialog, alive to the end: a script's last queued step
   // call may still come after its dialog has closed.
   std::list<Script> scripts;
   for (const auto &n : names) {
      SCOPED_TRACE(n.shown);
      EXPECT_EQ(DisplayName(n.bytes), n.shown);
      std::vector<std::string> rows;
      std::string selected;
      Script &script = scripts.emplace_back();
      script.steps = {
         [&] {
            rows = Rows();
            show_mouse(nullptr);
            save_screenshot("file_selector_names");
            const auto at = std::find(rows.begin(), rows.end(), n.bytes);
            if (at != rows.end())
               ClickRow(static_cast<int>(at - rows.begin()));
         },
         [&] {
            selected = FieldTextOf(LabelledControl("Selected:"));
            ClickControl(LabelledControl("Add"));
         },
      };
      Choose(SELECT_NO_SETTINGS, script);
      EXPECT_NE(std::find(rows.begin(), rows.end(), n.bytes), rows.end());
      EXPECT_EQ(selected, n.shown);
      EXPECT_EQ(result_, (root_ / n.bytes).string());
   }

   // A folder named in UTF-8, typed into the location as it is shown.
   const fs::path folder = root_ / "\xC3\x96rdner";  // "Ördner"
   fs::create_directory(folder);
   std::ofstream(folder / "in.mp3") << "x";
   // Typed as the code points Ö, r, d...: the field holds them as UTF-8.
   const std::string typed = root_.string() + "/\xD6rdner";
   const std::string shown = root_.string() + "/\xC3\x96rdner";
   std::string location;
   Script &script = scripts.emplace_back();
   script.steps = {
      [&] {
         ClickControl(LabelledControl("Location:"));
         TypeText(typed);
         InjectKey('\r', KEY_ENTER, 0);
      },
      [&] {
         location = FieldTextOf(LabelledControl("Location:"));
         ClickRow(1, 2);  // "in.mp3"
      },
   };
   Choose(SELECT_NO_SETTINGS, script);
   EXPECT_EQ(location, shown);
   EXPECT_EQ(result_, (folder / "in.mp3").string());
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
