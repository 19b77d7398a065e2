#include "Criteria.h"

#include <cstdio>

// The native build has no message box; the text goes where a developer sees it.
void showCriteriaExpressionAlert(const char* pszMessage)
{
  std::fprintf(stderr, "%s\n", pszMessage);
}
