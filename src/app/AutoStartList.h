#pragma once

#include <functional>
#include <string>

class QuilbarProfileMap;
class SettingsPolicy;

// The program's entries in the system's list of programs run at log-on: one string value
// "Quilbar_<profile>" = "<short program path> <profile>" per profile marked AutoStart (the path in
// quotes where it has no short form free of blanks), so every
// such profile starts as its own instance. Values of other software are never touched. Each
// operation opens the key, works and closes it again; nothing is cached.
class AutoStartList
{
public:
  static const char kszRunKey[];      // "HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Run"
  static const char kszValuePrefix[]; // "Quilbar_"

  // Fills the program's own path in its short (8.3) form, or in full where the system has no short
  // form; false when it cannot be had.
  using ProgramPathSource = std::function<bool(std::string& strShortPath)>;

  AutoStartList(ProgramPathSource fnProgramPath, const std::string& strRunKey = kszRunKey);

  static std::string valueNameOf(const std::string& strProfileName);
  static std::string valueDataOf(const std::string& strShortPath, const std::string& strProfileName);
  // True for a value name that is the prefix, in any letter case, followed by anything.
  static bool isProgramValueName(const std::string& strValueName);

  // Writes (or overwrites) the profile's entry; false, writing nothing, for an empty name, an
  // unknown program path, or a key or value that cannot be written.
  bool registerAutoStart(const std::string& strProfileName) const;
  // Deletes the profile's entry; false for an empty name, a key that cannot be opened, or no entry.
  bool unregisterAutoStart(const std::string& strProfileName) const;
  // Deletes every entry of the program; false only when the key or its value list cannot be read.
  bool unregisterAllAutoStart() const;
  // One entry for every profile whose AutoStart is 1 (or the policy's, where it sets one), none for
  // the others.
  void synchroniseAutoStart(const QuilbarProfileMap& profiles, const SettingsPolicy* pPolicy = nullptr) const;

private:
  ProgramPathSource m_fnProgramPath;
  std::string m_strRunKey;
};
