#pragma once

#include <cstddef>
#include <string>

// The text of a copy-data block another program sent. The block is untrusted: nothing past its
// stated byte count is read.
class CopyDataText
{
public:
  // The bytes up to the first zero byte within the block, or the whole block when it holds none.
  // False, with an empty text, for a block without an address or without bytes.
  static bool read(const void* pData, size_t cbData, std::string& strText);
};
