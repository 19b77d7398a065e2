#pragma once

#include <cstdint>
#include <string>

class PasswordKdf;

// The settings password in its stored form, the registry value "Password". Older versions kept
// the typed text itself there, readable by every local user; such a value still works. A password
// set now is stored as a salted, iterated hash behind a prefix no typed password starts with:
//
//   $pbkdf2-sha256$<iterations>$<salt, hex>$<derived key, hex>
//
// An empty value means no password.
class SettingsPassword
{
public:
  static const char kszPrefix[];  // "$pbkdf2-sha256$"
  static constexpr uint32_t kdwIterations = 100000;
  // A stored count above this is refused as damaged: checking it would freeze the program.
  static constexpr uint32_t kdwMaxIterations = 5000000;
  static constexpr size_t kcbSalt = 16;
  static constexpr size_t kcbKey = 32;
  static constexpr size_t kcbMinSalt = 8;
  static constexpr size_t kcbMaxSalt = 64;
  static constexpr size_t kcbMinKey = 16;
  static constexpr size_t kcbMaxKey = 64;

  enum class Form
  {
    None,     // empty: no password
    Plain,    // the typed text itself, as older versions stored it
    Hashed,   // a well-formed hash record
    Damaged,  // starts with the prefix but is no well-formed record: matches no password
  };

  // The parts of a stored value.
  struct Parsed
  {
    Form form = Form::None;
    uint32_t dwIterations = 0;
    std::string strSalt;  // bytes
    std::string strKey;   // bytes
  };

  static Parsed parse(const std::string& strStored);

  // The stored form of a newly typed password: empty for an empty text (no password), else a
  // hash record with a fresh salt. False when the system's cryptography failed.
  static bool makeStored(const std::string& strTyped, PasswordKdf& kdf, std::string& strStored);

  // True when the typed text is the password the stored value stands for. Letter case counts; the
  // comparison takes the same time wherever the texts differ. Never true for a damaged value,
  // nor when the system's cryptography fails. An empty stored value is no password: the caller
  // lets everyone in without asking.
  static bool matches(const std::string& strStored, const std::string& strTyped, PasswordKdf& kdf);

  // Byte-wise equality whose time depends only on the lengths.
  static bool constantTimeEquals(const std::string& strA, const std::string& strB);

  static std::string format(uint32_t dwIterations, const std::string& strSalt, const std::string& strKey);
};
