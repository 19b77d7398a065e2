#pragma once

#include <string>

struct SerialSettings;

// The tray icon's field takes 63 characters and a zero byte.
constexpr size_t kcchTrayTipMax = 63;

// "Tarnwick Quilbar" alone without a profile, else the name and line settings after it; cut to fit.
std::string buildTrayTip(const SerialSettings* pSettings);
std::string cutTrayTip(const std::string& strTip);
