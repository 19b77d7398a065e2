#pragma once

#include "pipeline/LogClock.h"
#include "pipeline/MonitorSink.h"
#include "pipeline/ProfileSwitcher.h"
#include "pipeline/SubscriberOutput.h"

#include <string>
#include <vector>

namespace pipelinetest
{
// A clock that stands still unless the test moves it.
class FixedLogClock : public LogClock
{
public:
  FixedLogClock()
  {
    m_time.nYear = 2007;
    m_time.nMonth = 3;
    m_time.nDay = 1;
    m_time.nHour = 14;
    m_time.nMinute = 5;
    m_time.nSecond = 9;
    m_time.nMilliseconds = 42;
  }
  LocalTime localTime() override
  {
    ++m_nReads;
    return m_time;
  }

  LocalTime m_time;
  int m_nReads = 0;
};

// Monitors that record every text they are sent.
class RecordingMonitorSink : public MonitorSink
{
public:
  size_t monitorCount() const override { return m_nMonitors; }
  void sendToMonitors(const std::string& strText) override { m_rgstrTexts.push_back(strText); }

  size_t m_nMonitors = 0;
  std::vector<std::string> m_rgstrTexts;
};

// Subscribers as titles. A subscriber whose window vanished is removed when the pipeline asks,
// or when a delivery reaches it (one that vanishes during the delivery); a hung one stays but
// takes nothing.
class RecordingSubscribers : public SubscriberOutput
{
public:
  struct Subscriber
  {
    std::string strTitle;
    bool fExists;
    bool fVanishesOnDelivery = false;
    bool fHung = false;
  };

  size_t subscriberCount() const override { return m_rgSubscribers.size(); }
  void removeVanishedSubscribers() override
  {
    ++m_nRemovalChecks;
    for (auto it = m_rgSubscribers.begin(); it != m_rgSubscribers.end();)
    {
      if (it->fExists)
      {
        ++it;
        continue;
      }
      m_rgstrRemoved.push_back(it->strTitle);
      it = m_rgSubscribers.erase(it);
    }
  }
  SubscriberDelivery deliverToSubscribers(const std::string& strText) override
  {
    bool fTaken = false;
    for (Subscriber& subscriber : m_rgSubscribers)
    {
      if (subscriber.fVanishesOnDelivery)
        subscriber.fExists = false;
      fTaken = fTaken || (subscriber.fExists && !subscriber.fHung);
    }
    removeVanishedSubscribers();
    if (fTaken)
    {
      m_rgstrDelivered.push_back(strText);
      return SubscriberDelivery::Taken;
    }
    return m_rgSubscribers.empty() ? SubscriberDelivery::NoneLeft : SubscriberDelivery::NotTaken;
  }
  std::vector<std::string> subscriberTitles() const override
  {
    std::vector<std::string> rgstrTitles;
    for (const Subscriber& subscriber : m_rgSubscribers)
      if (subscriber.fExists)
        rgstrTitles.push_back(subscriber.strTitle);
    return rgstrTitles;
  }

  std::vector<Subscriber> m_rgSubscribers;
  std::vector<std::string> m_rgstrDelivered;
  std::vector<std::string> m_rgstrRemoved;
  int m_nRemovalChecks = 0;
};

// The main window's profile list; records the switches asked for.
class RecordingProfileSwitcher : public ProfileSwitcher
{
public:
  std::vector<std::string> getProfileNames() const override { return m_rgstrNames; }
  void switchToProfile(size_t nIndex, const std::string& strName) override
  {
    m_rgstrSwitches.push_back(std::to_string(nIndex) + " " + strName);
  }

  std::vector<std::string> m_rgstrNames;
  std::vector<std::string> m_rgstrSwitches;
};
}  // namespace pipelinetest
