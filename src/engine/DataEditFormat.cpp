#include "DataEditFormat.h"

#include "base/Assert.h"
#include "DataEditFormatMap.h"
#include "base/Registry.h"
#include "base/RegistryMessages.h"
#include <climits>

DataEditFormat::DataEditFormat()
{
  reset();
}

DataEditFormat::DataEditFormat(const DataEditFormat& format)
{
  reset();
  *this = format;
}

// The running program belongs to the format whose expression started it, so it stays behind.
DataEditFormat& DataEditFormat::operator=(const DataEditFormat& format)
{
  if (this == &format)
    return *this;
  QB_ASSERT(setName(format.getName()));
  QB_ASSERT(setOrder(format.getOrder()));
  QB_ASSERT(setOutput(format.getOutput()));
  m_criteriaMap = format.getCriteriaMap();
  return *this;
}

void DataEditFormat::reset()
{
  m_strName.clear();
  m_nOrder = 0;
  m_strOutput.clear();
  m_criteriaMap.removeAll();
  m_hRunningProgram = nullptr;
}

bool DataEditFormat::setName(const std::string& strName)
{
  m_strName = strName;
  return true;
}

bool DataEditFormat::setOrder(int nOrder)
{
  QB_ASSERT(nOrder >= 0);
  m_nOrder = nOrder;
  return true;
}

bool DataEditFormat::setOutput(const std::string& strOutput)
{
  m_strOutput = strOutput;
  return true;
}

// An order of 2147483648 or more does not fit the signed order number; it is reported as the
// corruption it is instead of reaching the order check of setOrder.
bool DataEditFormat::loadFromRegistry(const Registry& regKey, std::string& strError)
{
  std::string strText;
  if (!regKey.getKeyValue("Name", strText))
  {
    strError = registrymessages::failedToRead("Name", regKey);
    return false;
  }
  setName(strText);
  uint32_t dwOrder = 0;
  if (!regKey.getKeyValue("Order", dwOrder))
  {
    strError = registrymessages::failedToRead("Order", regKey);
    return false;
  }
  if (dwOrder > static_cast<uint32_t>(INT_MAX))
  {
    strError = DataEditFormatMap::kszCorruptedOrder;
    return false;
  }
  setOrder(static_cast<int>(dwOrder));
  if (!regKey.getKeyValue("Output", strText))
  {
    strError = registrymessages::failedToRead("Output", regKey);
    return false;
  }
  setOutput(strText);
  return m_criteriaMap.loadFromRegistry(regKey, strError);
}

bool DataEditFormat::saveToRegistry(Registry& regKey) const
{
  return regKey.createKeyValue("Name", m_strName)
         && regKey.createKeyValue("Order", static_cast<uint32_t>(m_nOrder))
         && regKey.createKeyValue("Output", m_strOutput) && m_criteriaMap.saveToRegistry(regKey);
}
