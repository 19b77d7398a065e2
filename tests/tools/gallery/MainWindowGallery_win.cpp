#include "GalleryEntry.h"

// Pictures of the main window.
void addMainWindowGallery(std::vector<GalleryEntry>& rgEntries)
{
}
