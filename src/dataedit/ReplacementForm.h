#pragma once

#include "dialogs/DataEditingMessage.h"

#include <string>

class Replacement;

// The rules of "Input Data Replacement": the checks of OK in their order, and what OK stores.
class ReplacementForm
{
public:
  static const char kszEmptySearch[];
  static const char kszSearchInvalid[];
  static const char kszReplaceInvalid[];

  // Both texts are in the control-character notation.
  static DataEditingMessage check(const std::string& strSearchFor, const std::string& strReplaceWith);
  // Stores both texts as typed.
  static void apply(const std::string& strSearchFor, const std::string& strReplaceWith, Replacement& replacement);
};
