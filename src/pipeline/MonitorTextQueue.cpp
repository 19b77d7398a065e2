#include "MonitorTextQueue.h"

bool MonitorTextQueue::push(std::string strText)
{
  std::lock_guard<std::mutex> lock(m_mutex);
  if (m_rgstrTexts.size() < kMaxTexts)
    m_rgstrTexts.push_back(std::move(strText));
  if (m_fNoticeOutstanding)
    return false;
  m_fNoticeOutstanding = true;
  return true;
}

void MonitorTextQueue::noticeLost()
{
  std::lock_guard<std::mutex> lock(m_mutex);
  m_fNoticeOutstanding = false;
}

std::vector<std::string> MonitorTextQueue::takeAll()
{
  std::lock_guard<std::mutex> lock(m_mutex);
  std::vector<std::string> rgstrTexts;
  rgstrTexts.swap(m_rgstrTexts);
  m_fNoticeOutstanding = false;
  return rgstrTexts;
}
