#include "TrayTip.h"

#include "SerialSettings.h"

std::string cutTrayTip(const std::string& strTip)
{
  return strTip.substr(0, kcchTrayTipMax);
}

std::string buildTrayTip(const SerialSettings* pSettings)
{
  std::string strTip = "Tarnwick Quilbar";
  if (pSettings)
  {
    strTip += "\r\n" + pSettings->strName + "," + pSettings->strPort + "," + pSettings->strSpeed +
              "," + pSettings->strData + "," + pSettings->strParity + "," + pSettings->strStop;
  }
  return cutTrayTip(strTip);
}
