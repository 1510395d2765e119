// Common start for catalogue tests: 8-bit text, Allegro without drivers
// (packfiles and directory searches need it installed, no X server), the
// catalogue library started, nothing selected, and a temporary folder.
#pragma once

#include <allegro.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "app/catalogue.h"
#include "temp_dir.h"

class TraTest : public ::testing::Test {
protected:
   void SetUp() override
   {
      set_uformat(U_ASCII);
      ASSERT_EQ(install_allegro(SYSTEM_NONE, &errno, atexit), 0);
      tr_init();
      tr_select(nullptr);
   }

   // A catalogue file with the given bytes, in the temporary folder.
   std::string write_tra(const std::string &bytes, const std::string &name = "test.tra")
   {
      return dir.write(name, bytes);
   }

   kstr::test::TempDir dir;
};
