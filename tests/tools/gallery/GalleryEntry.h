#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// One picture of the dialog gallery: a name (used as the screenshot's file name) and a function
// that shows the dialog, page or sheet modally on test data of its own, owned by hwndOwner.
struct GalleryEntry
{
  std::string strName;
  std::function<void(HWND hwndOwner)> fnShow;
};

// Each family of dialogs adds its pictures in its own file.
void addMainWindowGallery(std::vector<GalleryEntry>& rgEntries);
void addSettingsGallery(std::vector<GalleryEntry>& rgEntries);
void addDataEditingGallery(std::vector<GalleryEntry>& rgEntries);
void addMonitorGallery(std::vector<GalleryEntry>& rgEntries);
