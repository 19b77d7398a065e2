#include "GalleryEntry.h"

// Pictures of the data editing dialogs.
void addDataEditingGallery(std::vector<GalleryEntry>& rgEntries)
{
}
