#pragma once

#include <string>

// A message a data editing form asks its dialog to show: the text, its icon and the control that
// gets the focus afterwards (0: the focus stays). An empty text means there is nothing to show.
struct DataEditingMessage
{
  enum class Icon
  {
    None,
    Stop
  };

  std::string strText;
  Icon icon = Icon::None;
  int nFocusId = 0;

  bool isEmpty() const { return strText.empty(); }

  static DataEditingMessage none() { return DataEditingMessage(); }
  static DataEditingMessage plain(const std::string& strText, int nFocusId = 0)
  {
    return DataEditingMessage{strText, Icon::None, nFocusId};
  }
  static DataEditingMessage stop(const std::string& strText, int nFocusId = 0)
  {
    return DataEditingMessage{strText, Icon::Stop, nFocusId};
  }
};
