#pragma once

#include <string>

// The words and limits of the password dialogs.
class PasswordForm
{
public:
  static constexpr int kcchMaxPassword = 30;
  static const char kszInvalidPassword[];  // "Invalid password"
  static const char kszCryptographyFailed[];

  // What "Set Password" says after OK: protection is on for any text but the empty one.
  static const char* protectionMessage(const std::string& strTyped);
};
