#pragma once

// What every implementation of ExpressionActions must do, written once and run against both the
// recording fake (natively) and the Windows implementation (under Wine), so the fake the
// evaluator tests rely on cannot drift from the real thing.
//
// An environment type E offers: ExpressionActions& actions(); void addWindow(title);
// std::string scratchPath(name); std::string unwritablePath(); std::string unstartableCommand();
// std::string quickCommand() (a program that ends at once).
#include "engine/ExpressionActions.h"

#include <gtest/gtest.h>

#include <string>

template <class Environment>
class ExpressionActionsContractTest : public ::testing::Test
{
protected:
  Environment m_environment;
};

TYPED_TEST_SUITE_P(ExpressionActionsContractTest);

TYPED_TEST_P(ExpressionActionsContractTest, FindsAWindowOnlyByItsWholeTitle)
{
  this->m_environment.addWindow("Contract Window Alpha");
  ExpressionActions& actions = this->m_environment.actions();
  EXPECT_NE(nullptr, actions.findWindow("Contract Window*"));
  EXPECT_NE(nullptr, actions.findWindow("*Window Alpha"));
  EXPECT_NE(nullptr, actions.findWindow("Contract Window Alph?"));
  EXPECT_EQ(nullptr, actions.findWindow("Contract Window"));
  EXPECT_EQ(nullptr, actions.findWindow("contract window alpha"));
}

TYPED_TEST_P(ExpressionActionsContractTest, WritesAndReadsFilesByteForByte)
{
  ExpressionActions& actions = this->m_environment.actions();
  std::string strPath = this->m_environment.scratchPath("contract.bin");
  std::string strBytes("a\0b\r\n\xFF", 6);
  ASSERT_TRUE(actions.writeFile(strPath, strBytes));
  std::string strRead;
  ASSERT_TRUE(actions.readFile(strPath, strRead));
  EXPECT_EQ(strBytes, strRead);
  ASSERT_TRUE(actions.writeFile(strPath, "xy"));
  ASSERT_TRUE(actions.readFile(strPath, strRead));
  EXPECT_EQ("xy", strRead) << "writing truncates what was there";
  ASSERT_TRUE(actions.writeFile(strPath, ""));
  ASSERT_TRUE(actions.readFile(strPath, strRead));
  EXPECT_EQ("", strRead);
}

TYPED_TEST_P(ExpressionActionsContractTest, ReportsFilesItCannotReadOrWrite)
{
  ExpressionActions& actions = this->m_environment.actions();
  std::string strRead;
  EXPECT_FALSE(actions.readFile(this->m_environment.scratchPath("never-written.bin"), strRead));
  EXPECT_FALSE(actions.writeFile(this->m_environment.unwritablePath(), "x"));
}

TYPED_TEST_P(ExpressionActionsContractTest, SleepingAdvancesTheTickCount)
{
  ExpressionActions& actions = this->m_environment.actions();
  std::uint32_t nStart = actions.tickCount();
  actions.sleep(40);
  // The system tick counter may advance in steps of about 16 ms.
  EXPECT_GE(static_cast<std::uint32_t>(actions.tickCount() - nStart), 40u - 16u);
}

TYPED_TEST_P(ExpressionActionsContractTest, StartsProgramsAndSeesThemEnd)
{
  ExpressionActions& actions = this->m_environment.actions();
  EXPECT_EQ(nullptr, actions.startProgram(this->m_environment.unstartableCommand()));
  ProgramHandle hProgram = actions.startProgram(this->m_environment.quickCommand());
  ASSERT_NE(nullptr, hProgram);
  EXPECT_TRUE(actions.waitForProgram(hProgram, 20000));
  actions.releaseProgram(hProgram);
}

REGISTER_TYPED_TEST_SUITE_P(ExpressionActionsContractTest, FindsAWindowOnlyByItsWholeTitle,
                            WritesAndReadsFilesByteForByte, ReportsFilesItCannotReadOrWrite,
                            SleepingAdvancesTheTickCount, StartsProgramsAndSeesThemEnd);
