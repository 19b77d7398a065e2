#pragma once

#include <windows.h>

#include <string>

// Finds the first top-level window, in the order the system enumerates them, whose whole title
// matches a wildcard pattern; optionally also its class name, and skipping titles that match an
// exclusion pattern (both ignored when empty).
class WindowFinder
{
public:
  // Titles are compared as their first 511 characters.
  static const int kMaxTitle = 511;

  explicit WindowFinder(const std::string& strTitlePattern, const std::string& strClassPattern = std::string(),
                        const std::string& strExclusionPattern = std::string());
  WindowFinder(const WindowFinder&) = delete;
  WindowFinder& operator=(const WindowFinder&) = delete;

  // True when a window was found; it is then kept with its title and class name.
  bool find();

  HWND getWindow() const { return m_hWindow; }
  const std::string& getTitle() const { return m_strTitle; }
  const std::string& getClassName() const { return m_strClassName; }

private:
  static BOOL CALLBACK visitWindow(HWND hWindow, LPARAM lParam);
  bool matches(const std::string& strTitle, const std::string& strClassName) const;

  std::string m_strTitlePattern;
  std::string m_strClassPattern;
  std::string m_strExclusionPattern;
  HWND m_hWindow = nullptr;
  std::string m_strTitle;
  std::string m_strClassName;
};
