#include "QuilbarWindowTitle.h"

// A monitor program calls its window exactly "Tarnwick Quilbar Monitor", and a development
// environment with Quilbar's sources open shows the name in its title too: neither is Quilbar.
bool QuilbarWindowTitle::isQuilbarMainWindow(const std::string& strTitle)
{
  return strTitle != "Tarnwick Quilbar Monitor" && strTitle.find("Tarnwick Quilbar") != std::string::npos &&
         strTitle.find("Microsoft Visual") == std::string::npos;
}
