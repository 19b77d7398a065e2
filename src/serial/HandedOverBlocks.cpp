#include "HandedOverBlocks.h"

#include <algorithm>

void HandedOverBlocks::add(std::uintptr_t nWindow, std::uintptr_t nBlock)
{
  std::lock_guard<std::mutex> lock(m_mutex);
  m_mapBlocks[nWindow].push_back(nBlock);
}

void HandedOverBlocks::remove(std::uintptr_t nWindow, std::uintptr_t nBlock)
{
  std::lock_guard<std::mutex> lock(m_mutex);
  auto it = m_mapBlocks.find(nWindow);
  if (it == m_mapBlocks.end())
    return;
  std::deque<std::uintptr_t>& rgBlocks = it->second;
  auto itBlock = std::find(rgBlocks.begin(), rgBlocks.end(), nBlock);
  if (itBlock != rgBlocks.end())
    rgBlocks.erase(itBlock);
  if (rgBlocks.empty())
    m_mapBlocks.erase(it);
}

std::vector<std::uintptr_t> HandedOverBlocks::takeThrough(std::uintptr_t nWindow, std::uintptr_t nBlock)
{
  std::lock_guard<std::mutex> lock(m_mutex);
  std::vector<std::uintptr_t> rgTaken;
  auto it = m_mapBlocks.find(nWindow);
  if (it == m_mapBlocks.end())
    return rgTaken;
  std::deque<std::uintptr_t>& rgBlocks = it->second;
  auto itBlock = std::find(rgBlocks.begin(), rgBlocks.end(), nBlock);
  if (itBlock == rgBlocks.end())
    return rgTaken;
  rgTaken.assign(rgBlocks.begin(), itBlock + 1);
  rgBlocks.erase(rgBlocks.begin(), itBlock + 1);
  if (rgBlocks.empty())
    m_mapBlocks.erase(it);
  return rgTaken;
}

std::vector<std::uintptr_t> HandedOverBlocks::takeAll(std::uintptr_t nWindow)
{
  std::lock_guard<std::mutex> lock(m_mutex);
  std::vector<std::uintptr_t> rgTaken;
  auto it = m_mapBlocks.find(nWindow);
  if (it == m_mapBlocks.end())
    return rgTaken;
  rgTaken.assign(it->second.begin(), it->second.end());
  m_mapBlocks.erase(it);
  return rgTaken;
}
