#pragma once

#include "settings/QuilbarProfile.h"

// A profile whose every single value (port, flags, numbers, titles) differs from its default, so
// that a value lost or mixed up on its way somewhere shows; its lists are left at their defaults.
QuilbarProfile profileWithNothingAtDefault();
