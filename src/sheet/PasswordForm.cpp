#include "PasswordForm.h"

const char PasswordForm::kszInvalidPassword[] = "Invalid password";
const char PasswordForm::kszCryptographyFailed[] =
    "The password could not be set: the system's cryptography services failed. The password is unchanged.";

const char* PasswordForm::protectionMessage(const std::string& strTyped)
{
  return strTyped.empty() ? "Password protection is NOT active." : "Password protection is active.";
}
