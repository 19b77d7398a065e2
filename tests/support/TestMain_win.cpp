// The main of every Windows test binary: GoogleTest's usual one, plus the watcher that answers
// message boxes no test waits for.
#include "UnexpectedBoxEnvironment_win.h"

#include <gtest/gtest.h>

#include <memory>

int main(int argc, char** argv)
{
  testing::InitGoogleTest(&argc, argv);
  // GoogleTest owns its environments and deletes them at the end.
  testing::AddGlobalTestEnvironment(std::make_unique<UnexpectedBoxEnvironment>().release());
  return RUN_ALL_TESTS();
}
