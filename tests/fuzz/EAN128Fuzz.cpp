// Parsing any data string must not crash, must keep within the slots, and every false result
// must come with an error text. Every stored element must be an AI of the table with a value its
// format allows.
#include "engine/EAN128.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace
{
void check(bool fCondition)
{
  if (!fCondition)
    std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
  std::string strData(reinterpret_cast<const char*>(pData), nSize);

  EAN128 parser;
  bool fOk = parser.parse(strData);
  check(fOk || (parser.getError() != nullptr && *parser.getError() != '\0'));
  check(!fOk || parser.getError() == nullptr);
  check(parser.getFieldCount() >= 0 && parser.getFieldCount() <= EAN128::MAX_DATAFIELDS);
  for (int i = 0; i < parser.getFieldCount(); ++i)
  {
    const char* pszAI = parser.getFieldAI(i);
    const EAN128::AIDefinition* pDefinition = EAN128::findAIDefinition(pszAI);
    check(std::strlen(pszAI) <= EAN128::MAX_AILEN);
    check(std::strlen(parser.getFieldValue(i)) <= EAN128::MAX_FIELDLEN);
    check(pDefinition != nullptr && std::strcmp(pDefinition->pszAI, pszAI) == 0);
    check(parser.getField(pszAI) != nullptr);
  }

  // A second parse on the same parser starts from nothing and gives the same answer.
  EAN128 again;
  again.parse("0101234567890128");
  check(again.parse(strData) == fOk && again.getFieldCount() == parser.getFieldCount());
  return 0;
}
