#include "ScratchKey.h"

#include <gtest/gtest.h>

namespace
{
const char kszBase[] = "HKEY_LOCAL_MACHINE\\Software\\QuilbarTest";

bool openBase(Registry& base)
{
  Registry software;
  return software.openKey("HKEY_LOCAL_MACHINE\\Software", Registry::kdwAccessAll)
         && software.createSubKey("QuilbarTest", base);
}
}  // namespace

std::string ScratchKey::pathFor(const std::string& strName)
{
  return std::string(kszBase) + "\\" + strName;
}

ScratchKey::ScratchKey(const std::string& strName) : m_strName(strName), m_strPath(pathFor(strName))
{
  Registry base;
  EXPECT_TRUE(openBase(base)) << "cannot create " << kszBase;
  if (!base.isOpen())
    return;
  base.deleteSubKey(strName);
  EXPECT_TRUE(base.createSubKey(strName, m_key)) << "cannot create " << m_strPath;
}

ScratchKey::~ScratchKey()
{
  m_key.closeKey();
  Registry base;
  if (openBase(base))
    base.deleteSubKey(m_strName);
}

std::string currentTestKeyName()
{
  const ::testing::TestInfo* pInfo = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string strName = std::string(pInfo->test_suite_name()) + "." + pInfo->name();
  for (char& ch : strName)
  {
    if (ch == '/' || ch == '\\')
      ch = '_';
  }
  return strName;
}
