#include "tessel/TesselState.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

namespace
{
const std::intptr_t kflagRelease = static_cast<std::intptr_t>(0xC0000001u);
const std::intptr_t kflagPress = 0x00000001;
const std::intptr_t kflagRepeat = 0x40000001;

// The processes that run; a fake process is alive from its construction until it crashes.
std::set<std::uint32_t> g_setAlive;

// One process's view of the system; several share one set of words as processes share the section.
class FakeProcess : public TesselPlatform
{
public:
  FakeProcess(TesselSharedWords& shared, std::uint32_t nProcessId, std::vector<std::intptr_t>& rgInstalled,
              std::uint32_t nSessionId = 1)
      : m_state(shared, *this), m_nProcessId(nProcessId), m_nSessionId(nSessionId), m_rgInstalled(rgInstalled)
  {
    g_setAlive.insert(nProcessId);
  }
  // Ends without detaching, as a crashed or killed program does.
  void crash() { g_setAlive.erase(m_nProcessId); }

  int readCapsLockToggle() override { return m_nCapsToggle; }
  std::intptr_t installHook(std::intptr_t nModule) override
  {
    if (m_fHookFails)
      return 0;
    std::intptr_t nHook = 1000 + static_cast<std::intptr_t>(m_rgInstalled.size());
    m_rgInstalled.push_back(nHook);
    return nHook;
  }
  void removeHook(std::intptr_t nHook) override { m_rgRemoved.push_back(nHook); }
  std::uint32_t currentProcessId() override { return m_nProcessId; }
  std::uint32_t currentSessionId() override { return m_nSessionId; }
  bool isProcessAlive(std::uint32_t nProcessId) override { return g_setAlive.count(nProcessId) != 0; }

  TesselState m_state;
  std::uint32_t m_nProcessId;
  std::uint32_t m_nSessionId;
  std::vector<std::intptr_t>& m_rgInstalled;
  std::vector<std::intptr_t> m_rgRemoved;
  int m_nCapsToggle = 0;
  bool m_fHookFails = false;
};

class TesselStateTest : public ::testing::Test
{
protected:
  const TesselSessionWords& session(std::uint32_t nSessionId = 1) const
  {
    static const TesselSessionWords kNone;
    const TesselSessionWords* pSession = m_shared.findSession(nSessionId);
    EXPECT_NE(nullptr, pSession) << "session " << nSessionId << " has its words";
    return pSession != nullptr ? *pSession : kNone;
  }

  TesselSharedWords m_shared;
  std::vector<std::intptr_t> m_rgInstalled;
  FakeProcess m_first{m_shared, 11, m_rgInstalled};
  FakeProcess m_second{m_shared, 22, m_rgInstalled};
};

TEST_F(TesselStateTest, LoadedWhileCapsLockIsOnReportsOn)
{
  m_first.m_nCapsToggle = 0x81;
  ASSERT_TRUE(m_first.m_state.processAttach(0x400000));
  EXPECT_EQ(1, m_first.m_state.getCapsLockState());
}

TEST_F(TesselStateTest, OnePressAndReleaseTogglesOnce)
{
  ASSERT_TRUE(m_first.m_state.processAttach(0x400000));
  m_first.m_state.keyNotified(0, 0x14, kflagPress);
  EXPECT_EQ(1, m_first.m_state.getCapsLockState());
  m_first.m_state.keyNotified(0, 0x14, kflagRelease);
  EXPECT_EQ(1, m_first.m_state.getCapsLockState());
  m_first.m_state.keyNotified(0, 0x14, kflagPress);
  EXPECT_EQ(0, m_first.m_state.getCapsLockState());
}

TEST_F(TesselStateTest, NotificationsThatAreNotAFirstPressOfCapsLockChangeNothing)
{
  struct Row
  {
    const char* pszName;
    int nCode;
    std::uintptr_t nVirtualKey;
    std::intptr_t nFlags;
  } krgRows[] = {
      {"other key", 0, 0x41, kflagPress},
      {"shift", 0, 0x10, kflagPress},
      {"release", 0, 0x14, kflagRelease},
      {"auto-repeat of a held key", 0, 0x14, kflagRepeat},
      {"peeked, not removed (notified again on removal)", 3, 0x14, kflagPress},
      {"negative code", -1, 0x14, kflagPress},
  };
  ASSERT_TRUE(m_first.m_state.processAttach(0x400000));
  for (const Row& row : krgRows)
  {
    SCOPED_TRACE(row.pszName);
    m_first.m_state.keyNotified(row.nCode, row.nVirtualKey, row.nFlags);
    EXPECT_EQ(0, m_first.m_state.getCapsLockState());
  }
}

TEST_F(TesselStateTest, SecondProcessSharesTheHookAndTheState)
{
  ASSERT_TRUE(m_first.m_state.processAttach(0x400000));
  m_first.m_state.keyNotified(0, 0x14, kflagPress);
  m_second.m_nCapsToggle = 0;
  ASSERT_TRUE(m_second.m_state.processAttach(0x500000));
  EXPECT_EQ(1u, m_rgInstalled.size());
  EXPECT_EQ(1, m_second.m_state.getCapsLockState());
  EXPECT_EQ(2, m_shared.nAttachCount);
  EXPECT_EQ(0x400000, session().nModule);
  m_second.m_state.keyNotified(0, 0x14, kflagPress);
  EXPECT_EQ(0, m_first.m_state.getCapsLockState());
}

TEST_F(TesselStateTest, LastDetachRemovesTheHook)
{
  ASSERT_TRUE(m_first.m_state.processAttach(0x400000));
  ASSERT_TRUE(m_second.m_state.processAttach(0x500000));
  m_second.m_state.processDetach();
  EXPECT_TRUE(m_second.m_rgRemoved.empty());
  m_first.m_state.processDetach();
  EXPECT_EQ(std::vector<std::intptr_t>{1000}, m_first.m_rgRemoved);
  EXPECT_EQ(0, m_shared.nAttachCount);
  EXPECT_EQ(0, session().nHook);
}

TEST_F(TesselStateTest, InstallersDetachLetsTheNextLoaderInstallAgain)
{
  ASSERT_TRUE(m_first.m_state.processAttach(0x400000));
  ASSERT_TRUE(m_second.m_state.processAttach(0x500000));
  m_first.m_state.processDetach();
  EXPECT_EQ(std::vector<std::intptr_t>{1000}, m_first.m_rgRemoved);
  EXPECT_EQ(1, m_shared.nAttachCount);

  FakeProcess third(m_shared, 33, m_rgInstalled);
  third.m_nCapsToggle = 1;
  ASSERT_TRUE(third.m_state.processAttach(0x600000));
  EXPECT_EQ(2u, m_rgInstalled.size());
  EXPECT_EQ(0x600000, session().nModule);
  EXPECT_EQ(1, third.m_state.getCapsLockState());
  m_second.m_state.processDetach();
  EXPECT_TRUE(m_second.m_rgRemoved.empty());
  third.m_state.processDetach();
  EXPECT_EQ(std::vector<std::intptr_t>{1001}, third.m_rgRemoved);
}

TEST_F(TesselStateTest, FailedHookInstallationRefusesTheAttachAndALaterLoaderRetries)
{
  m_first.m_fHookFails = true;
  EXPECT_FALSE(m_first.m_state.processAttach(0x400000));
  EXPECT_EQ(0, m_shared.nAttachCount);
  ASSERT_TRUE(m_second.m_state.processAttach(0x500000));
  EXPECT_EQ(1u, m_rgInstalled.size());
  EXPECT_EQ(0x500000, session().nModule);
  EXPECT_EQ(1, m_shared.nAttachCount);
}
// The design runs one instance per profile. When the instance that installed the hook leaves, the
// others must not keep a frozen state: the next call of a remaining instance installs the hook anew.
TEST_F(TesselStateTest, HookIsHandedOverWhenItsInstallerLeaves)
{
  ASSERT_TRUE(m_first.m_state.processAttach(0x400000));
  ASSERT_TRUE(m_second.m_state.processAttach(0x500000));
  m_first.m_state.processDetach();
  EXPECT_EQ(std::vector<std::intptr_t>{1000}, m_first.m_rgRemoved);

  m_second.m_nCapsToggle = 1;
  EXPECT_EQ(1, m_second.m_state.getCapsLockState()) << "the new installer starts from the toggle";
  EXPECT_EQ(2u, m_rgInstalled.size());
  EXPECT_EQ(1001, session().nHook);
  EXPECT_EQ(1, m_shared.nAttachCount);
  m_second.m_state.keyNotified(0, 0x14, kflagPress);
  EXPECT_EQ(0, m_second.m_state.getCapsLockState());
  EXPECT_EQ(2u, m_rgInstalled.size()) << "one hook, not one per call";
  m_second.m_state.processDetach();
  EXPECT_EQ(std::vector<std::intptr_t>{1001}, m_second.m_rgRemoved);
  EXPECT_EQ(0, session().nHook);
}

// A crashed installer never detaches; its hook went with its process, and the words it left must
// not keep every later loader from installing one.
TEST_F(TesselStateTest, CrashedInstallerIsReplacedByTheNextAttach)
{
  ASSERT_TRUE(m_first.m_state.processAttach(0x400000));
  m_first.crash();
  FakeProcess third(m_shared, 33, m_rgInstalled);
  ASSERT_TRUE(third.m_state.processAttach(0x600000));
  EXPECT_EQ(2u, m_rgInstalled.size());
  EXPECT_EQ(1001, session().nHook);
  EXPECT_EQ(33u, session().nInstallerProcessId);
  EXPECT_TRUE(third.m_rgRemoved.empty()) << "the dead process's hook handle is not ours to remove";
  ASSERT_TRUE(m_second.m_state.processAttach(0x500000));
  EXPECT_EQ(2u, m_rgInstalled.size()) << "a live installer's hook serves the next loader";
}

// The system follows a refused attach with a detach; that detach must not lower the count.
TEST_F(TesselStateTest, RefusedAttachAndItsDetachLeaveTheCountsUnchanged)
{
  ASSERT_TRUE(m_first.m_state.processAttach(0x400000));
  m_first.crash();
  m_second.m_fHookFails = true;
  EXPECT_FALSE(m_second.m_state.processAttach(0x500000));
  m_second.m_state.processDetach();
  EXPECT_EQ(1, m_shared.nAttachCount);
  EXPECT_TRUE(m_second.m_rgRemoved.empty());

  TesselSharedWords empty;
  FakeProcess alone(empty, 55, m_rgInstalled);
  alone.m_fHookFails = true;
  EXPECT_FALSE(alone.m_state.processAttach(0x700000));
  alone.m_state.processDetach();
  EXPECT_EQ(0, empty.nAttachCount);
  ASSERT_NE(nullptr, empty.findSession(1));
  EXPECT_EQ(0, empty.findSession(1)->nHookInstalled);
}
// A hook serves only the desktop of its own session, and each session has its own keyboard: a
// second user's session installs a hook of its own although the first session's installer (which
// it may not even open) lives on, and caps lock in one session leaves the other's state alone.
TEST_F(TesselStateTest, EachSessionInstallsItsOwnHookAndKeepsItsOwnState)
{
  ASSERT_TRUE(m_first.m_state.processAttach(0x400000));
  FakeProcess otherUser(m_shared, 44, m_rgInstalled, 2);
  otherUser.m_nCapsToggle = 1;
  ASSERT_TRUE(otherUser.m_state.processAttach(0x400000));
  EXPECT_EQ((std::vector<std::intptr_t>{1000, 1001}), m_rgInstalled);
  EXPECT_EQ(44u, session(2).nInstallerProcessId);
  EXPECT_EQ(11u, session(1).nInstallerProcessId);
  EXPECT_EQ(1, otherUser.m_state.getCapsLockState());
  EXPECT_EQ(0, m_first.m_state.getCapsLockState());

  otherUser.m_state.keyNotified(0, 0x14, kflagPress);
  EXPECT_EQ(0, otherUser.m_state.getCapsLockState());
  m_first.m_state.keyNotified(0, 0x14, kflagPress);
  EXPECT_EQ(1, m_first.m_state.getCapsLockState());
  EXPECT_EQ(0, otherUser.m_state.getCapsLockState());
  ASSERT_TRUE(m_second.m_state.processAttach(0x500000));
  EXPECT_EQ(2u, m_rgInstalled.size()) << "a live installer of the same session serves the next loader";

  otherUser.m_state.processDetach();
  EXPECT_EQ(std::vector<std::intptr_t>{1001}, otherUser.m_rgRemoved);
  EXPECT_EQ(1000, session(1).nHook) << "the other session's hook stays";
}

TEST_F(TesselStateTest, ASessionBeyondTheSlotsRunsWithoutCapsLockInformation)
{
  std::vector<std::unique_ptr<FakeProcess>> rgProcesses;
  for (std::uint32_t n = 0; n < TesselSharedWords::knMaxSessions; ++n)
  {
    rgProcesses.push_back(std::make_unique<FakeProcess>(m_shared, 100 + n, m_rgInstalled, n));
    ASSERT_TRUE(rgProcesses.back()->m_state.processAttach(0x400000));
  }
  FakeProcess late(m_shared, 99, m_rgInstalled, TesselSharedWords::knMaxSessions);
  late.m_nCapsToggle = 1;
  EXPECT_TRUE(late.m_state.processAttach(0x400000)) << "the program still loads";
  late.m_state.keyNotified(0, 0x14, kflagPress);
  EXPECT_EQ(0, late.m_state.getCapsLockState());
  EXPECT_EQ(static_cast<size_t>(TesselSharedWords::knMaxSessions), m_rgInstalled.size());
  late.m_state.processDetach();
  EXPECT_TRUE(late.m_rgRemoved.empty());
}
}  // namespace
