// Prints the text of a child control of another program's window, once it holds enough lines:
//   WindowText.exe <window class> <control class> <lines> <timeout ms> [<output file>]
// It must run on the same desktop as the window (inside the same Wine virtual desktop). The text
// goes to standard output, or into the output file, which appears complete or not at all. Exit code 0 when the lines arrived in time, 1 when not (the text so far is printed), 2 when the
// window or the control does not exist.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{
std::string textOf(HWND hwnd)
{
  DWORD_PTR nLength = 0;
  if (!SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &nLength))
    return std::string();
  std::vector<char> rgchText(nLength + 1, '\0');
  DWORD_PTR nCopied = 0;
  SendMessageTimeoutA(hwnd, WM_GETTEXT, rgchText.size(), reinterpret_cast<LPARAM>(rgchText.data()), SMTO_ABORTIFHUNG,
                      5000, &nCopied);
  return std::string(rgchText.data(), nCopied);
}

int countLines(const std::string& strText)
{
  int nLines = 0;
  for (size_t nAt = strText.find("\r\n"); nAt != std::string::npos; nAt = strText.find("\r\n", nAt + 2))
    ++nLines;
  return nLines;
}
}  // namespace

int main(int argc, char** argv)
{
  if (argc != 5 && argc != 6)
  {
    std::fprintf(stderr, "usage: WindowText <window class> <control class> <lines> <timeout ms> [<output file>]\n");
    return 2;
  }
  int nLines = std::atoi(argv[3]);
  DWORD dwDeadline = GetTickCount() + static_cast<DWORD>(std::atoi(argv[4]));
  HWND hwndControl = nullptr;
  std::string strText;
  do
  {
    HWND hwndWindow = FindWindowA(argv[1], nullptr);
    hwndControl = hwndWindow != nullptr ? FindWindowExA(hwndWindow, nullptr, argv[2], nullptr) : nullptr;
    strText = hwndControl != nullptr ? textOf(hwndControl) : std::string();
    if (hwndControl != nullptr && countLines(strText) >= nLines)
      break;
    Sleep(50);
  } while (static_cast<int>(dwDeadline - GetTickCount()) > 0);
  if (argc == 6)
  {
    std::string strPartial = std::string(argv[5]) + ".part";
    if (FILE* pFile = std::fopen(strPartial.c_str(), "wb"))
    {
      std::fwrite(strText.data(), 1, strText.size(), pFile);
      std::fclose(pFile);
      MoveFileExA(strPartial.c_str(), argv[5], MOVEFILE_REPLACE_EXISTING);
    }
  }
  else
    std::fwrite(strText.data(), 1, strText.size(), stdout);
  if (hwndControl == nullptr)
    return 2;
  return countLines(strText) >= nLines ? 0 : 1;
}
