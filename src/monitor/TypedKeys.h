#pragma once

#include <string>

// The characters that the keys in a "Keyboard Data" report put into a text field: each report
// item is one character ("A ", or a blank for a space) or a key name ("Enter", "Shift+A").
class TypedKeys
{
public:
  // Keys that make no character (arrows, function keys, chords with Ctrl or Alt) add nothing;
  // fAllCharacters then tells that the report held such keys.
  static std::string charactersOf(const std::string& strReport, bool* pfAllCharacters = nullptr);
};
