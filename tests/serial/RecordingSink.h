#pragma once

#include "serial/DataStringSink.h"

#include <string>
#include <vector>

// Records what the cutter hands to its surroundings, in one list, in call order.
class RecordingSink : public DataStringSink
{
public:
  void handOver(const std::string& str) override
  {
    m_rgstrEvents.push_back("hand:" + str);
    m_rgstrHandedOver.push_back(str);
  }
  void logRawInput(const std::string& str) override { m_rgstrEvents.push_back("log:" + str); }
  void dataActivity() override { m_rgstrEvents.push_back("blink"); }
  void pinActivity() override { m_rgstrEvents.push_back("pin"); }
  void hideMainWindow() override { m_rgstrEvents.push_back("hide"); }
  void cutAtLengthLimit(size_t nLength) override { m_rgstrEvents.push_back("cut:" + std::to_string(nLength)); }

  std::vector<std::string> m_rgstrEvents;
  std::vector<std::string> m_rgstrHandedOver;
};
