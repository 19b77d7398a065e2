// What the monitor takes from outside: the copy-data block a wedge (or any program) sends to its
// receiver window. The first input byte chooses the claimed block size (up to the real size, as
// the system copies exactly that many bytes between processes); the rest is the block. Nothing
// outside it may be read, an event always has its name and time stamp, and the row, the wedge's
// state and the test pad built from it stay within their bounds.
#include "monitor/MonitorEvent.h"
#include "monitor/ScanRow.h"
#include "monitor/TestPad.h"
#include "monitor/TypedKeys.h"
#include "monitor/WedgeState.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
  if (nSize < 1)
    return 0;
  size_t cbBlock = nSize - 1;
  // A heap copy of exactly the block's size, so the address sanitizer sees any read beyond it.
  char* pBlock = static_cast<char*>(std::malloc(cbBlock == 0 ? 1 : cbBlock));
  if (cbBlock != 0)
    std::memcpy(pBlock, pData + 1, cbBlock);
  size_t cbClaimed = pData[0] >= 0xF0 ? cbBlock : pData[0] % (cbBlock + 1);
  MonitorEvent event;
  if (MonitorEvent::parse(cbBlock == 0 ? nullptr : pBlock, cbClaimed, event))
  {
    if (event.strName.empty() || event.strText.size() > MonitorEvent::kcchMaxText + 64 ||
        std::memchr(event.strText.data(), 0, event.strText.size()) != nullptr)
      std::abort();
    ScanRow row;
    ScanRow::fromEvent(event, row);
    WedgeState state;
    state.apply(event);
    state.describe();
    TestPad pad;
    std::string strKeys;
    event.detail("Keyboard Data", strKeys);
    std::string strTyped = TypedKeys::charactersOf(strKeys);
    if (strTyped.size() > strKeys.size())
      std::abort();
    for (char ch : event.strTimeStamp)
      pad.charArrived(ch, static_cast<unsigned char>(ch));
    pad.wedgeTyped(strTyped, 0x40);
    pad.latest();
  }
  std::free(pBlock);
  return 0;
}
