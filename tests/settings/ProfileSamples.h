#pragma once

#include "settings/QuilbarProfile.h"

// A profile whose every value the settings sheet edits (port, flags, numbers, titles, GS1 input
// forms) differs from its default, so that a value lost or mixed up on its way shows; its
// formats, replacements and key translations are those of a fresh profile.
QuilbarProfile profileWithNothingAtDefault();
