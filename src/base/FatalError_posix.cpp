#include "Assert.h"

#include <cstdio>
#include <cstdlib>

void reportFatalError(const std::string& strText)
{
  std::fprintf(stderr, "Fatal Error: %s\n", strText.c_str());
  std::fflush(stderr);
  // Exit code 0 and no clean-up, as on Windows: the process is in a state nobody planned for.
  std::_Exit(0);
}
