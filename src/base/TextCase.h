#pragma once

#include <string>

// Letter case ignored as the registry and the command line compare names: the ASCII letters only.
bool equalsIgnoringCase(const std::string& strA, const std::string& strB);
