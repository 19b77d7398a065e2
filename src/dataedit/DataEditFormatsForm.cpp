#include "DataEditFormatsForm.h"

#include "base/Assert.h"
#include "engine/ExpressionSyntax.h"
#include "engine/RecordOrder.h"

#include <memory>
#include <utility>

const char DataEditFormatsForm::kszAddCaption[] = "Add Data Editing Format";
const char DataEditFormatsForm::kszEditCaption[] = "Edit Data Editing Format";
const char DataEditFormatsForm::kszNameExists[] =
    "The data edit format \"%s\" already exists. Please enter another name.";

namespace
{
// Sorted rather than looked up by 0, 1, ...: a map whose stored orders have gaps still shows every
// format once, in the user's order, and OK then mends the numbers.
std::vector<std::string> namesInOrder(const DataEditFormatMap& map)
{
  std::vector<std::string> rgstrNames;
  for (const DataEditFormat* pFormat : recordsByOrder<const DataEditFormat>(map.getEntries()))
    rgstrNames.push_back(pFormat->getName());
  return rgstrNames;
}
}  // namespace

DataEditFormatsForm::DataEditFormatsForm(DataEditFormatMap& map) : OrderedListForm(namesInOrder(map)), m_map(map)
{
}

void DataEditFormatsForm::removeRecord(const std::string& strLine)
{
  m_map.remove(strLine);
}

void DataEditFormatsForm::setRecordOrder(const std::string& strLine, int nOrder)
{
  DataEditFormat* pFormat = m_map.lookup(strLine);
  QB_ASSERT(NULL != pFormat);
  QB_ASSERT(pFormat->setOrder(nOrder));
}

bool DataEditFormatsForm::editUntilNameIsFree(DataEditFormat& format, const std::string& strCaption,
                                              const FormatEditor& fnEdit, const ErrorReporter& fnError) const
{
  for (;;)
  {
    if (!fnEdit(format, strCaption))
      return false;
    if (m_map.lookup(format.getName()) == nullptr)
      return true;
    fnError(ExpressionSyntax::fill(kszNameExists, {format.getName()}));
  }
}

void DataEditFormatsForm::add(const FormatEditor& fnEdit, const ErrorReporter& fnError)
{
  auto pFormat = std::make_unique<DataEditFormat>();
  if (!editUntilNameIsFree(*pFormat, kszAddCaption, fnEdit, fnError))
    return;
  std::string strName = pFormat->getName();
  QB_ASSERT(m_map.add(strName, std::move(pFormat)));
  insertLine(insertionPoint(), strName);
}

// The format leaves the map while it is edited, so that it may keep its own name; Cancel puts
// the untouched backup back. Either way the line keeps its place.
void DataEditFormatsForm::edit(const FormatEditor& fnEdit, const ErrorReporter& fnError)
{
  if (!canEdit())
    return;
  int nLine = selection();
  std::string strOldName = lines()[nLine];
  const DataEditFormat* pSelected = m_map.lookup(strOldName);
  QB_ASSERT(NULL != pSelected);
  auto pBackup = std::make_unique<DataEditFormat>(*pSelected);
  auto pWorking = std::make_unique<DataEditFormat>(*pSelected);
  QB_ASSERT(m_map.remove(strOldName));

  std::unique_ptr<DataEditFormat>& pKept =
      editUntilNameIsFree(*pWorking, kszEditCaption, fnEdit, fnError) ? pWorking : pBackup;
  std::string strName = pKept->getName();
  QB_ASSERT(m_map.add(strName, std::move(pKept)));
  replaceLine(nLine, strName);
  select(nLine);
}
