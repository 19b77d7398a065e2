// An in-memory hive answering the same calls as the Windows registry, with the behaviour the system relies on (names compared without regard to letter case, sub-keys
// listed in name order, typed values, refused writes through read-only handles, deletion only of
// keys without sub-keys, handles to deleted keys going stale). The native build's registry is
// this hive; the Windows build keeps its private root here. The shared Registry tests run against
// this hive natively and against the real registry under Wine.
#include "MemoryHive.h"

#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>

namespace memoryhive
{
using namespace regapi;

namespace
{
constexpr uint32_t kdwQueryValue = 0x0001;
constexpr uint32_t kdwSetValue = 0x0002;
constexpr uint32_t kdwEnumerateSubKeys = 0x0008;
constexpr size_t knMaxKeyNameLength = 255;

// Registry names are compared without regard to letter case, and sub-keys are listed in the
// order of their lower-case forms (so "_x" comes before "A", as the real registry lists them).
// ASCII and the letters of code page 1252 are folded.
unsigned char foldCase(unsigned char ch)
{
  if (ch >= 'A' && ch <= 'Z')
    return static_cast<unsigned char>(ch + 0x20);
  if (ch >= 0xC0 && ch <= 0xDE && ch != 0xD7)
    return static_cast<unsigned char>(ch + 0x20);
  if (ch == 0x8A || ch == 0x8C || ch == 0x8E)
    return static_cast<unsigned char>(ch + 0x10);
  if (ch == 0x9F)
    return 0xFF;
  return ch;
}

struct CaseLess
{
  bool operator()(const std::string& strA, const std::string& strB) const
  {
    size_t nLen = strA.size() < strB.size() ? strA.size() : strB.size();
    for (size_t i = 0; i < nLen; ++i)
    {
      unsigned char a = foldCase(static_cast<unsigned char>(strA[i]));
      unsigned char b = foldCase(static_cast<unsigned char>(strB[i]));
      if (a != b)
        return a < b;
    }
    return strA.size() < strB.size();
  }
};

struct Value
{
  std::string strName;
  uint32_t dwType = 0;
  std::string strData;
};

struct Node
{
  std::string strName;
  bool fDeleted = false;
  std::map<std::string, std::shared_ptr<Node>, CaseLess> mapSubKeys;
  std::map<std::string, Value, CaseLess> mapValues;
};

struct Handle
{
  std::shared_ptr<Node> pNode;
  uint32_t dwAccess = 0;
  bool fPredefined = false;
};

std::mutex& hiveLock()
{
  static std::mutex s_lock;
  return s_lock;
}

// Every handle of this hive that is open, so that a caller can tell them from the system's.
std::set<const void*>& liveHandles()
{
  static std::set<const void*> s_setHandles;
  return s_setHandles;
}

void addChild(Node& parent, const char* pszName)
{
  auto pChild = std::make_shared<Node>();
  pChild->strName = pszName;
  parent.mapSubKeys.emplace(pszName, pChild);
}

// Every Windows installation has these; settings are written below them.
void seedStandardKeys(Root root, Node& node)
{
  if (root == Root::LocalMachine)
  {
    addChild(node, "Software");
    addChild(node, "System");
  }
  else if (root == Root::CurrentUser)
  {
    addChild(node, "Software");
  }
  else if (root == Root::Memory)
  {
    addChild(node, "Quilbar");  // a root itself is never opened
  }
}

Handle* predefined(Root root)
{
  static Handle s_rgRoots[7];
  Handle& handle = s_rgRoots[static_cast<int>(root)];
  if (!handle.pNode)
  {
    liveHandles().insert(&handle);
    handle.pNode = std::make_shared<Node>();
    handle.dwAccess = 0xF003F;
    handle.fPredefined = true;
    seedStandardKeys(root, *handle.pNode);
  }
  return &handle;
}

long checkHandle(void* hkKey, uint32_t dwNeeded, Handle*& pHandle)
{
  pHandle = static_cast<Handle*>(hkKey);
  if (pHandle == nullptr)
    return kInvalidParameter;
  if (pHandle->pNode->fDeleted)
    return kKeyDeleted;
  if ((pHandle->dwAccess & dwNeeded) != dwNeeded)
    return kAccessDenied;
  return kSuccess;
}

// Walks (and with fCreate makes) the components of a backslash-separated name below pNode.
long walk(std::shared_ptr<Node> pNode, const char* pszName, bool fCreate,
          std::shared_ptr<Node>& pResult)
{
  std::string strName(pszName);
  size_t nStart = 0;
  while (nStart <= strName.size())
  {
    size_t nEnd = strName.find('\\', nStart);
    if (nEnd == std::string::npos)
      nEnd = strName.size();
    std::string strComponent = strName.substr(nStart, nEnd - nStart);
    nStart = nEnd + 1;
    if (strComponent.empty())
      continue;
    if (strComponent.size() > knMaxKeyNameLength)
      return kInvalidParameter;
    auto it = pNode->mapSubKeys.find(strComponent);
    if (it == pNode->mapSubKeys.end())
    {
      if (!fCreate)
        return kFileNotFound;
      auto pChild = std::make_shared<Node>();
      pChild->strName = strComponent;
      it = pNode->mapSubKeys.emplace(strComponent, pChild).first;
    }
    pNode = it->second;
  }
  pResult = pNode;
  return kSuccess;
}

long openOrCreate(void* hkParent, const char* pszName, uint32_t dwAccess, bool fCreate,
                  void*& hkResult)
{
  std::lock_guard<std::mutex> lock(hiveLock());
  hkResult = nullptr;
  Handle* pParent = nullptr;
  long nStatus = checkHandle(hkParent, 0, pParent);
  if (nStatus != kSuccess)
    return nStatus;
  std::shared_ptr<Node> pNode;
  nStatus = walk(pParent->pNode, pszName, fCreate, pNode);
  if (nStatus != kSuccess)
    return nStatus;
  auto pHandle = std::make_unique<Handle>();
  pHandle->pNode = pNode;
  pHandle->dwAccess = dwAccess;
  hkResult = pHandle.release();  // owned by the caller until closeKey
  liveHandles().insert(hkResult);
  return kSuccess;
}

long copyName(const std::string& strName, char* pszName, uint32_t* pdwLen)
{
  if (strName.size() + 1 > *pdwLen)
    return kMoreData;
  std::memcpy(pszName, strName.c_str(), strName.size() + 1);
  *pdwLen = static_cast<uint32_t>(strName.size());
  return kSuccess;
}
}  // namespace

bool ownsKey(const void* hkKey)
{
  std::lock_guard<std::mutex> lock(hiveLock());
  return liveHandles().count(hkKey) == 1;
}

void* rootKey(Root root)
{
  std::lock_guard<std::mutex> lock(hiveLock());
  return predefined(root);
}

long openKey(void* hkParent, const char* pszName, uint32_t dwAccess, void*& hkResult)
{
  return openOrCreate(hkParent, pszName, dwAccess, false, hkResult);
}

long createKey(void* hkParent, const char* pszName, uint32_t dwAccess, void*& hkResult)
{
  return openOrCreate(hkParent, pszName, dwAccess, true, hkResult);
}

long closeKey(void* hkKey)
{
  std::lock_guard<std::mutex> lock(hiveLock());
  Handle* pHandle = static_cast<Handle*>(hkKey);
  if (pHandle == nullptr)
    return kInvalidParameter;
  if (!pHandle->fPredefined)
  {
    liveHandles().erase(pHandle);
    delete pHandle;
  }
  return kSuccess;
}

long deleteKey(void* hkParent, const char* pszName)
{
  std::lock_guard<std::mutex> lock(hiveLock());
  Handle* pParent = nullptr;
  long nStatus = checkHandle(hkParent, 0, pParent);
  if (nStatus != kSuccess)
    return nStatus;
  std::string strName(pszName);
  size_t nSlash = strName.rfind('\\');
  std::shared_ptr<Node> pOwner = pParent->pNode;
  if (nSlash != std::string::npos)
  {
    nStatus = walk(pOwner, strName.substr(0, nSlash).c_str(), false, pOwner);
    if (nStatus != kSuccess)
      return nStatus;
    strName = strName.substr(nSlash + 1);
  }
  auto it = pOwner->mapSubKeys.find(strName);
  if (strName.empty() || it == pOwner->mapSubKeys.end())
    return kFileNotFound;
  if (!it->second->mapSubKeys.empty())
    return kAccessDenied;
  it->second->fDeleted = true;
  pOwner->mapSubKeys.erase(it);
  return kSuccess;
}

long queryValue(void* hkKey, const char* pszName, uint32_t* pdwType, unsigned char* pData,
                uint32_t* pdwSize)
{
  std::lock_guard<std::mutex> lock(hiveLock());
  Handle* pHandle = nullptr;
  long nStatus = checkHandle(hkKey, kdwQueryValue, pHandle);
  if (nStatus != kSuccess)
    return nStatus;
  auto it = pHandle->pNode->mapValues.find(pszName);
  if (it == pHandle->pNode->mapValues.end())
    return kFileNotFound;
  const Value& value = it->second;
  if (pdwType != nullptr)
    *pdwType = value.dwType;
  uint32_t dwStored = static_cast<uint32_t>(value.strData.size());
  if (pData != nullptr)
  {
    if (pdwSize == nullptr)
      return kInvalidParameter;
    if (*pdwSize < dwStored)
    {
      *pdwSize = dwStored;
      return kMoreData;
    }
    std::memcpy(pData, value.strData.data(), dwStored);
  }
  if (pdwSize != nullptr)
    *pdwSize = dwStored;
  return kSuccess;
}

long setValue(void* hkKey, const char* pszName, uint32_t dwType, const unsigned char* pData,
              uint32_t dwSize)
{
  std::lock_guard<std::mutex> lock(hiveLock());
  Handle* pHandle = nullptr;
  long nStatus = checkHandle(hkKey, kdwSetValue, pHandle);
  if (nStatus != kSuccess)
    return nStatus;
  Value& value = pHandle->pNode->mapValues[pszName];
  value.strName = pszName;
  value.dwType = dwType;
  value.strData.assign(reinterpret_cast<const char*>(pData), dwSize);
  return kSuccess;
}

long deleteValue(void* hkKey, const char* pszName)
{
  std::lock_guard<std::mutex> lock(hiveLock());
  Handle* pHandle = nullptr;
  long nStatus = checkHandle(hkKey, kdwSetValue, pHandle);
  if (nStatus != kSuccess)
    return nStatus;
  return pHandle->pNode->mapValues.erase(pszName) == 1 ? kSuccess : kFileNotFound;
}

namespace
{
// A listing failure planted by a test: index and status, used once.
uint32_t s_dwFailingIndex = 0;
long s_nFailingStatus = kSuccess;
}  // namespace

// Native tests only: the next sub-key listing that reaches the index fails there, as the real
// registry's does when another program deletes the key while it is being listed.
void failSubKeyListingAt(uint32_t dwIndex, long nStatus)
{
  std::lock_guard<std::mutex> lock(hiveLock());
  s_dwFailingIndex = dwIndex;
  s_nFailingStatus = nStatus;
}

long enumKey(void* hkKey, uint32_t dwIndex, char* pszName, uint32_t* pdwLen)
{
  std::lock_guard<std::mutex> lock(hiveLock());
  Handle* pHandle = nullptr;
  long nStatus = checkHandle(hkKey, kdwEnumerateSubKeys, pHandle);
  if (nStatus != kSuccess)
    return nStatus;
  if (s_nFailingStatus != kSuccess && dwIndex == s_dwFailingIndex)
  {
    nStatus = s_nFailingStatus;
    s_nFailingStatus = kSuccess;
    return nStatus;
  }
  const auto& mapSubKeys = pHandle->pNode->mapSubKeys;
  if (dwIndex >= mapSubKeys.size())
    return kNoMoreItems;
  auto it = mapSubKeys.begin();
  std::advance(it, dwIndex);
  return copyName(it->second->strName, pszName, pdwLen);
}

long enumValue(void* hkKey, uint32_t dwIndex, char* pszName, uint32_t* pdwLen)
{
  std::lock_guard<std::mutex> lock(hiveLock());
  Handle* pHandle = nullptr;
  long nStatus = checkHandle(hkKey, kdwQueryValue, pHandle);
  if (nStatus != kSuccess)
    return nStatus;
  const auto& mapValues = pHandle->pNode->mapValues;
  if (dwIndex >= mapValues.size())
    return kNoMoreItems;
  auto it = mapValues.begin();
  std::advance(it, dwIndex);
  return copyName(it->second.strName, pszName, pdwLen);
}
}  // namespace memoryhive
