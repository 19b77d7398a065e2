#include "DataEditFormat.h"

#include "Assert.h"

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
