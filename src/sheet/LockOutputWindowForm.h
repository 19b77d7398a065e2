#pragma once

#include <string>
#include <vector>

// The rules of "Lock Output Window": a list of title patterns kept sorted without regard to
// letter case, to which the edit field's text is added unless an entry equal to it in any letter
// case is there already.
class LockOutputWindowForm
{
public:
  static const char kszExplanation[];

  explicit LockOutputWindowForm(const std::vector<std::string>& rgstrTitles);

  const std::vector<std::string>& entries() const { return m_rgstrEntries; }

  // "&Add": true, with the new entry's index, when the text was added. Either way the caller
  // empties the edit field and puts the focus there.
  bool add(const std::string& strText, int& nIndex);
  // "&Remove" of the selected entry (-1: none, nothing happens); the entry to select afterwards:
  // the one now at the same place, else the new last one, -1 when the list is empty.
  int remove(int nSelected);
  // OK: with text in the edit field OK acts as Add and the dialog stays open (false); otherwise
  // the dialog closes with entries() as the titles (true).
  bool okCloses(const std::string& strEditText, int& nAddedIndex);

  // Letter case folded as code page 1252 folds it, the way the list's own search compares.
  static bool equalIgnoringCase(const std::string& strA, const std::string& strB);
  static bool sortsBefore(const std::string& strA, const std::string& strB);

private:
  std::vector<std::string> m_rgstrEntries;
};
