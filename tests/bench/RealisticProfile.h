#pragma once

// The realistic profile of the benchmarks: ten formats over GS1-128, order, invoice and pallet
// labels, five replacements, and a day's mix of data strings.
#include "engine/DataEditFormatMap.h"
#include "engine/ReplacementMap.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace benchprofile
{
struct CriteriaSpec
{
  Criteria::Kind kind;
  int nMin;  // Length: min; String expression: start position
  int nMax;
  const char* pszText;     // String expression: pattern; EAN128: fields present
  const char* pszNotText;  // EAN128: fields not present
};

inline std::unique_ptr<Criteria> makeCriteria(const CriteriaSpec& spec)
{
  auto pCriteria = std::make_unique<Criteria>();
  switch (spec.kind)
  {
  case Criteria::kindLength:
    pCriteria->setMinLength(spec.nMin);
    pCriteria->setMaxLength(spec.nMax);
    break;
  case Criteria::kindStringExpression:
    pCriteria->setKindStringExpression();
    pCriteria->setStartPosition(spec.nMin);
    pCriteria->setExpression(spec.pszText);
    break;
  case Criteria::kindEAN128:
    pCriteria->setKindEAN128();
    pCriteria->setFieldsPresent(spec.pszText);
    pCriteria->setFieldsNotPresent(spec.pszNotText);
    break;
  }
  return pCriteria;
}

inline void addFormat(DataEditFormatMap& map, const char* pszName, const std::vector<CriteriaSpec>& rgSpecs)
{
  auto pFormat = std::make_unique<DataEditFormat>();
  pFormat->setName(pszName);
  pFormat->setOrder(map.getCount());
  pFormat->setOutput("Input() + \"<cr>\"");
  for (const CriteriaSpec& spec : rgSpecs)
    pFormat->getCriteriaMap().add(makeCriteria(spec));
  map.add(pszName, std::move(pFormat));
}

struct FormatSpec
{
  const char* pszName;
  std::vector<CriteriaSpec> rgCriteria;
};

// The formats in their order; the plain reference engine reads the same table.
inline std::vector<FormatSpec> formatSpecs()
{
  const Criteria::Kind kLength = Criteria::kindLength;
  const Criteria::Kind kExpression = Criteria::kindStringExpression;
  const Criteria::Kind kGS1 = Criteria::kindEAN128;
  return {
    {"SSCC", {{kGS1, 0, 0, "00", ""}, {kLength, 20, 60, "", ""}}},
    {"GTIN with batch", {{kGS1, 0, 0, "01, 10", "21"}}},
    {"GTIN with serial", {{kGS1, 0, 0, "01,21", ""}}},
    {"Net weight", {{kGS1, 0, 0, "01,310", "10"}}},
    {"Order", {{kExpression, 1, 0, "ORD-*", ""}, {kLength, 8, 20, "", ""}}},
    {"Invoice", {{kExpression, 3, 0, "-INV??*", ""}, {kLength, 10, 40, "", ""}}},
    {"Pallet", {{kExpression, 1, 0, "PAL?????*", ""}}},
    {"EAN-13", {{kLength, 13, 13, "", ""}, {kExpression, 1, 0, "4*", ""}}},
    {"Long text", {{kLength, 41, 60, "", ""}, {kExpression, 1, 0, "*<TAB>*", ""}}},
    {"Default", {{kExpression, 1, 0, "*", ""}}},
  };
}

inline DataEditFormatMap makeFormats()
{
  DataEditFormatMap map;
  for (const FormatSpec& spec : formatSpecs())
    addFormat(map, spec.pszName, spec.rgCriteria);
  return map;
}

// Search and replacement texts in the notation, in their order.
inline std::vector<std::pair<const char*, const char*>> replacementPairs()
{
  return {{"<CR>", ""}, {"<LF>", ""}, {"]C1", ""}, {"<RS>", "<GS>"}, {"  ", " "}};
}

inline ReplacementMap makeReplacements()
{
  ReplacementMap map;
  int nOrder = 0;
  for (const auto& pair : replacementPairs())
  {
    auto pReplacement = std::make_unique<Replacement>();
    pReplacement->setOrder(nOrder++);
    pReplacement->setInput(pair.first);
    pReplacement->setReplace(pair.second);
    map.add(std::move(pReplacement));
  }
  return map;
}

inline std::vector<std::string> makeDataStrings()
{
  return {
    "]C1" "00376123450000000010\r\n",
    "]C1" "0107612345678900" "10LOT4711\x1D" "17261231\r\n",
    "0107612345678900" "21SN000123456789\r\n",
    "0107612345678900" "3103001250\x1E" "10B1\r\n",
    "ORD-2026-0042\r\n",
    "CH-INV7781-2026-12\r\n",
    "PAL00017XYZ\r\n",
    "4006381333931\r\n",
    "Item\tdescription that runs on  and on  past forty\r\n",
    "hello world\r\n",
    "12345678",
    "0107612345678900" "11261201" "3922000001999\r\n",
    "X",
    "ORD-1\r\n",
    "]C1" "4220276\x1D" "21ABC\r\n",
    "Unknown data of sixty bytes, padded so that it reaches 60 b\n",
  };
}
}  // namespace benchprofile
