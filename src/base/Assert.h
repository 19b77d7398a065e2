#pragma once

#include <string>

// Contract checks: a failed check reports "Assertion failed: <expr> (<file>,<line>)" and ends the
// process with exit code 0. Active in every build; they guard programming errors only.
#define QB_ASSERT(expr) \
  ((expr) ? static_cast<void>(0) : quilbarAssertionFailed(#expr, __FILE__, __LINE__))

std::string formatAssertionMessage(const char* pszExpr, const char* pszFile, int nLine);

[[noreturn]] void quilbarAssertionFailed(const char* pszExpr, const char* pszFile, int nLine);

// Shows the text to the user ("Fatal Error") and ends the process at once with exit code 0.
[[noreturn]] void reportFatalError(const std::string& strText);
