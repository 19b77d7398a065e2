#pragma once

// The engine benchmark's reference: the same replacements and the same choice of format, done
// the plainest way on data prepared once (texts decoded, lists split), with the library's
// wildcard matcher and GS1-128 parser as the only borrowed parts.
#include "RealisticProfile.h"
#include "base/DataConv.h"
#include "base/WildcardMatch.h"
#include "engine/EAN128.h"

#include <string>
#include <utility>
#include <vector>

namespace benchprofile
{
class PlainEngine
{
public:
  struct Criterion
  {
    Criteria::Kind kind;
    size_t nMin = 0;  // length bounds, or the start position of a pattern
    size_t nMax = 0;
    std::string strPattern;
    std::vector<std::string> rgstrPresent, rgstrAbsent;
  };
  struct Format
  {
    std::string strName;
    std::vector<Criterion> rgCriteria;
  };

  PlainEngine(const std::vector<FormatSpec>& rgFormatSpecs,
              const std::vector<std::pair<const char*, const char*>>& rgReplacementPairs)
  {
    for (const FormatSpec& spec : rgFormatSpecs)
      m_rgFormats.push_back(prepare(spec));
    for (const auto& pair : rgReplacementPairs)
    {
      std::string strSearch, strReplace;
      DataConv::parse(pair.first, strSearch);
      DataConv::parse(pair.second, strReplace);
      m_rgReplacements.emplace_back(strSearch, strReplace);
    }
  }

  void replace(std::string& strData) const
  {
    for (const auto& replacement : m_rgReplacements)
      for (size_t nPos = strData.find(replacement.first); nPos != std::string::npos;
           nPos = strData.find(replacement.first, nPos + replacement.second.size()))
        strData.replace(nPos, replacement.first.size(), replacement.second);
  }

  const Format* choose(const std::string& strData) const
  {
    for (const Format& format : m_rgFormats)
    {
      bool fAll = true;
      for (const Criterion& criterion : format.rgCriteria)
        fAll = fAll && matches(criterion, strData);
      if (fAll)
        return &format;
    }
    return nullptr;
  }

private:
  static std::vector<std::string> splitAIs(const std::string& strList)
  {
    std::vector<std::string> rgstrAIs;
    size_t nStart = 0;
    while (nStart <= strList.size())
    {
      size_t nComma = strList.find(',', nStart);
      std::string strItem = strList.substr(nStart, nComma == std::string::npos ? std::string::npos : nComma - nStart);
      size_t nFirst = strItem.find_first_not_of(' ');
      if (nFirst == std::string::npos)
        break;
      rgstrAIs.push_back(strItem.substr(nFirst, strItem.find_last_not_of(' ') - nFirst + 1));
      if (nComma == std::string::npos)
        break;
      nStart = nComma + 1;
    }
    return rgstrAIs;
  }

  static Format prepare(const FormatSpec& spec)
  {
    Format format;
    format.strName = spec.pszName;
    for (const CriteriaSpec& criteriaSpec : spec.rgCriteria)
    {
      Criterion criterion;
      criterion.kind = criteriaSpec.kind;
      criterion.nMin = static_cast<size_t>(criteriaSpec.nMin);
      criterion.nMax = static_cast<size_t>(criteriaSpec.nMax);
      if (criteriaSpec.kind == Criteria::kindStringExpression)
        DataConv::parse(criteriaSpec.pszText, criterion.strPattern);
      if (criteriaSpec.kind == Criteria::kindEAN128)
      {
        criterion.rgstrPresent = splitAIs(criteriaSpec.pszText);
        criterion.rgstrAbsent = splitAIs(criteriaSpec.pszNotText);
      }
      format.rgCriteria.push_back(std::move(criterion));
    }
    return format;
  }

  static bool matches(const Criterion& criterion, const std::string& strData)
  {
    switch (criterion.kind)
    {
    case Criteria::kindLength:
      return criterion.nMin <= strData.size() && strData.size() <= criterion.nMax;
    case Criteria::kindStringExpression:
      return criterion.nMin >= 1 && strData.size() + 1 >= criterion.nMin &&
             wildcardMatch(strData.c_str() + criterion.nMin - 1, criterion.strPattern.c_str());
    case Criteria::kindEAN128:
    {
      EAN128 parser;
      if (!parser.parse(strData))
        return false;
      for (const std::string& strAI : criterion.rgstrPresent)
        if (parser.getField(strAI) == nullptr)
          return false;
      for (const std::string& strAI : criterion.rgstrAbsent)
        if (parser.getField(strAI) != nullptr)
          return false;
      return true;
    }
    }
    return false;
  }

  std::vector<Format> m_rgFormats;
  std::vector<std::pair<std::string, std::string>> m_rgReplacements;
};
}  // namespace benchprofile
