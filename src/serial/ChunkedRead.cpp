#include "ChunkedRead.h"

#include <vector>

std::string readInChunks(uint32_t cbWaiting, uint32_t cbChunk, const ChunkReader& fnRead,
                         const std::function<bool()>& fnStopRequested)
{
  std::string strBytes;
  std::vector<char> rgchChunk(cbChunk);
  while (cbWaiting > 0)
  {
    uint32_t cbWanted = cbWaiting < cbChunk ? cbWaiting : cbChunk;
    uint32_t cbRead = 0;
    bool fOk = fnRead(rgchChunk.data(), cbWanted, cbRead);
    if (cbRead > cbWanted)
      cbRead = cbWanted;
    strBytes.append(rgchChunk.data(), cbRead);
    if (!fOk || cbRead == 0)
      break;
    cbWaiting -= cbRead;
    // The driver may hold up to 60000 bytes; a stop need not wait for all of them.
    if (fnStopRequested())
      break;
  }
  return strBytes;
}
