#pragma once

#include "settings/QuilbarProfile.h"

#include <memory>

std::unique_ptr<Criteria> stringCriteria(int nStart, const char* pszExpr);
std::unique_ptr<Replacement> replacement(int nOrder, const char* pszInput, const char* pszReplace);
// A profile "Line1" with no value at its default: several formats with every criterion kind,
// replacements, titles, a changed key map and every flag set.
QuilbarProfile richProfile();
