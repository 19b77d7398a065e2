#pragma once

#include "CriteriaMap.h"

#include <string>

class Registry;

// A named rule of a profile: when all its criteria match a data string, its output expression
// produces the output. The order number places it in the matching order, 0 first.
class DataEditFormat
{
public:
  DataEditFormat();
  // Copies name, order, output and the criteria; the copy has no running program.
  DataEditFormat(const DataEditFormat& format);
  DataEditFormat& operator=(const DataEditFormat& format);
  virtual ~DataEditFormat() = default;

  void reset();

  bool setName(const std::string& strName);
  // A negative order is a programming error.
  bool setOrder(int nOrder);
  bool setOutput(const std::string& strOutput);

  const std::string& getName() const { return m_strName; }
  int getOrder() const { return m_nOrder; }
  const std::string& getOutput() const { return m_strOutput; }
  CriteriaMap& getCriteriaMap() { return m_criteriaMap; }
  const CriteriaMap& getCriteriaMap() const { return m_criteriaMap; }

  // Registry storage in one "DataEditFormat%d" key, with its criteria below it.
  bool loadFromRegistry(const Registry& regKey, std::string& strError);
  bool saveToRegistry(Registry& regKey) const;

  // The process handle of the program last started by this format's expression (RunApp, Call),
  // or null. Kept as an opaque pointer so the record stays portable; never stored, never copied
  // and never closed here.
  void* getRunningProgram() const { return m_hRunningProgram; }
  void setRunningProgram(void* hProcess) { m_hRunningProgram = hProcess; }

private:
  std::string m_strName;
  int m_nOrder;
  std::string m_strOutput;
  CriteriaMap m_criteriaMap;
  void* m_hRunningProgram;
};
