#include "HandOverQueue.h"

size_t HandOverQueue::flush(const Deliver& fnDeliver)
{
  size_t nDelivered = 0;
  while (!m_rgstrPending.empty() && fnDeliver(m_rgstrPending.front()))
  {
    m_rgstrPending.pop_front();
    ++nDelivered;
  }
  return nDelivered;
}
