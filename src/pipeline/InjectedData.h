#pragma once

#include <cstddef>
#include <string>

// Text another program injects with a copy-data message. Its bytes come from outside: the block
// is read only within its stated size, and only when a terminating zero lies inside it.

// The largest block one message may inject. A text up to it is cut into data strings like bytes
// from the port (a data string longer than the cutter's limit is handed over in pieces), so a
// large block is not lost whole; a larger one is refused whole.
constexpr size_t kcbMaxInjectedData = 1024 * 1024;

enum class InjectedDataCheck
{
  Accepted,
  NoData,       // null address or zero byte count
  TooLarge,     // byte count above kcbMaxInjectedData
  Unreadable,   // the block is not readable memory of this process
  Unterminated  // no zero byte within the byte count
};

// Tells whether cbData bytes from pData may be read; asked only for sizes up to kcbMaxInjectedData.
typedef bool (*IsReadableFunction)(const void* pData, size_t cbData);

// Takes the text up to the first zero byte of the block into strText when the block is acceptable.
InjectedDataCheck readInjectedData(const void* pData, size_t cbData, IsReadableFunction pfnIsReadable,
                                   std::string& strText);
const char* describeInjectedDataCheck(InjectedDataCheck check);
