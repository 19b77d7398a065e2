#include "ControlValues.h"

#include "base/Assert.h"

// Only pages that keep a list beside their controls bind one; anywhere else a list binding is a
// mistake in a binding table.
std::vector<std::string> ControlValues::getList(int nId) const
{
  QB_ASSERT(!"no list is kept for this control");
  return {};
}

void ControlValues::setList(int nId, const std::vector<std::string>& rgstrList)
{
  QB_ASSERT(!"no list is kept for this control");
}
