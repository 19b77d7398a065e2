#pragma once

#include "dialogs/ControlValues.h"

#include <map>
#include <string>
#include <vector>

// The controls of a dialog kept in memory, for the native tests of the forms and binding tables.
// Unknown controls read as empty, unticked and enabled.
class FakeControlValues : public ControlValues
{
public:
  std::string getText(int nId) const override
  {
    auto it = m_mapText.find(nId);
    return it == m_mapText.end() ? std::string() : it->second;
  }
  void setText(int nId, const std::string& strText) override { m_mapText[nId] = strText; }
  void selectChoice(int nId, const std::string& strText) override
  {
    std::vector<std::string>& rgstrChoices = m_mapChoices[nId];
    bool fOffered = false;
    for (const std::string& strChoice : rgstrChoices)
      fOffered = fOffered || strChoice == strText;
    if (!fOffered)
      rgstrChoices.push_back(strText);
    m_mapText[nId] = strText;
  }
  bool isChecked(int nId) const override
  {
    auto it = m_mapChecked.find(nId);
    return it != m_mapChecked.end() && it->second;
  }
  void setChecked(int nId, bool fChecked) override { m_mapChecked[nId] = fChecked; }
  void setEnabled(int nId, bool fEnabled) override { m_mapEnabled[nId] = fEnabled; }
  std::vector<std::string> getList(int nId) const override
  {
    auto it = m_mapList.find(nId);
    return it == m_mapList.end() ? std::vector<std::string>() : it->second;
  }
  void setList(int nId, const std::vector<std::string>& rgstrList) override { m_mapList[nId] = rgstrList; }

  bool isEnabled(int nId) const
  {
    auto it = m_mapEnabled.find(nId);
    return it == m_mapEnabled.end() || it->second;
  }

  std::map<int, std::string> m_mapText;
  std::map<int, std::vector<std::string>> m_mapChoices;
  std::map<int, bool> m_mapChecked;
  std::map<int, bool> m_mapEnabled;
  std::map<int, std::vector<std::string>> m_mapList;
};
