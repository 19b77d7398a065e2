#include "FormatEditorForm.h"

#include "DataEditingResourceIds.h"
#include "base/Assert.h"
#include "engine/ExpressionEvaluator.h"
#include "engine/ExpressionSyntax.h"

#include <memory>

const char FormatEditorForm::kszOneLengthCriteria[] = "There can only be one length criteria per format.";
const char FormatEditorForm::kszCriteriaExists[] = "The criteria %s already exist.";
const char FormatEditorForm::kszNoName[] = "A data editing format must have a name.";
const char FormatEditorForm::kszNoCriteria[] = "A data editing format must have at least one critiera.";
const char FormatEditorForm::kszExpressionOk[] = "Expression OK";

FormatEditorForm::FormatEditorForm(DataEditFormat& format) : m_format(format)
{
  for (const auto& entry : m_format.getCriteriaMap().getEntries())
    m_rgstrLines.push_back(entry.first);
}

bool FormatEditorForm::isValidLine(int nLine) const
{
  return nLine >= 0 && static_cast<size_t>(nLine) < m_rgstrLines.size();
}

const Criteria* FormatEditorForm::criteriaAt(int nLine) const
{
  return isValidLine(nLine) ? m_format.getCriteriaMap().lookup(m_rgstrLines[nLine]) : nullptr;
}

DataEditingMessage FormatEditorForm::refusalOf(const Criteria& criteria) const
{
  const CriteriaMap& map = m_format.getCriteriaMap();
  if (criteria.isKindLength() && map.hasLengthCriteria())
    return DataEditingMessage::stop(kszOneLengthCriteria, IDC_FORMATEDITOR_CRITERIA);
  if (map.lookup(criteria.getDescription()) != nullptr)
    return DataEditingMessage::stop(ExpressionSyntax::fill(kszCriteriaExists, {criteria.getDescription()}),
                                    IDC_FORMATEDITOR_CRITERIA);
  return DataEditingMessage::none();
}

DataEditingMessage FormatEditorForm::addCriteria(const Criteria& criteria)
{
  DataEditingMessage refusal = refusalOf(criteria);
  if (!refusal.isEmpty())
    return refusal;
  QB_ASSERT(m_format.getCriteriaMap().add(std::make_unique<Criteria>(criteria)));
  m_rgstrLines.push_back(criteria.getDescription());
  return DataEditingMessage::none();
}

// The original is taken out of the map only for the test, so that a length criterion may be
// edited into another length and a criterion may keep its own description. A refused edit puts
// it back: the user's criterion is never lost to a rejected change.
DataEditingMessage FormatEditorForm::editCriteria(int nLine, const Criteria& edited)
{
  const Criteria* pOriginal = criteriaAt(nLine);
  QB_ASSERT(NULL != pOriginal);
  Criteria original(*pOriginal);
  CriteriaMap& map = m_format.getCriteriaMap();
  QB_ASSERT(map.remove(m_rgstrLines[nLine]));
  DataEditingMessage refusal = refusalOf(edited);
  if (!refusal.isEmpty())
  {
    QB_ASSERT(map.add(std::make_unique<Criteria>(original)));
    return refusal;
  }
  QB_ASSERT(map.add(std::make_unique<Criteria>(edited)));
  m_rgstrLines[nLine] = edited.getDescription();
  return DataEditingMessage::none();
}

void FormatEditorForm::removeCriteria(int nLine)
{
  if (!isValidLine(nLine))
    return;
  m_format.getCriteriaMap().remove(m_rgstrLines[nLine]);
  m_rgstrLines.erase(m_rgstrLines.begin() + nLine);
}

DataEditingMessage FormatEditorForm::check(const std::string& strName, const std::string& strOutput) const
{
  std::string strError;
  if (!ExpressionEvaluator::checkExpressionSyntax(strOutput, strError))
    return DataEditingMessage::stop(strError, IDC_FORMATEDITOR_OUTPUT);
  if (strName.empty())
    return DataEditingMessage::stop(kszNoName, IDC_FORMATEDITOR_NAME);
  if (m_format.getCriteriaMap().getCount() == 0)
    return DataEditingMessage::stop(kszNoCriteria, IDC_FORMATEDITOR_CRITERIA);
  return DataEditingMessage::none();
}

void FormatEditorForm::apply(const std::string& strName, const std::string& strOutput)
{
  QB_ASSERT(m_format.setName(strName));
  QB_ASSERT(m_format.setOutput(strOutput));
}

// Some error texts end with a line feed, which a one-line status has no room for.
std::string FormatEditorForm::expressionStatus(const std::string& strOutput)
{
  std::string strError;
  if (ExpressionEvaluator::checkExpressionSyntax(strOutput, strError))
    return kszExpressionOk;
  while (!strError.empty() && (strError.back() == '\n' || strError.back() == '\r'))
    strError.pop_back();
  return strError;
}
