#pragma once

#include <string>

// Which top-level window is Quilbar's main window, judged by its title.
class QuilbarWindowTitle
{
public:
  // The longest title read from a window.
  static constexpr int kcchMaxTitle = 511;

  static bool isQuilbarMainWindow(const std::string& strTitle);
};
