#include "GalleryEntry.h"

// Pictures of the settings sheet.
void addSettingsGallery(std::vector<GalleryEntry>& rgEntries)
{
}
