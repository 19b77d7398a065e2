#pragma once

#include <string>

// The full path of a file beside the running test program: the helper programs a test starts are
// built into the test's own folder.
std::string besideThisTestProgram(const char* pszFileName);
