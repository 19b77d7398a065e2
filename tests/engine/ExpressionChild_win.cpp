// The program the expression tests start: "sleep <ms> [marker]" sleeps and then writes the
// marker file; "upper <in> <out>" answers a Call with its input in capitals between brackets.
#include <windows.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

int main(int argc, char** argv)
{
  if (argc >= 3 && std::strcmp(argv[1], "sleep") == 0)
  {
    Sleep(static_cast<DWORD>(std::atoi(argv[2])));
    if (argc >= 4)
      std::ofstream(argv[3], std::ios::binary) << "done";
    return 0;
  }
  if (argc >= 4 && std::strcmp(argv[1], "upper") == 0)
  {
    std::ifstream input(argv[2], std::ios::binary);
    std::string strText((std::istreambuf_iterator<char>(input)), std::istreambuf_iterator<char>());
    for (char& c : strText)
      c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    std::ofstream(argv[3], std::ios::binary) << "[" << strText << "]";
    return 0;
  }
  return 2;
}
