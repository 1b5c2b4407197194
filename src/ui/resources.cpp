#include "ui/resources.h"

#include "system/error.h"
#include "ui/app.h"

namespace tw::ui {

HBITMAP LoadBitmapResource(const char* name, bool buttonFace) {
  const UINT flags = buttonFace ? LR_LOADMAP3DCOLORS : 0;
  return static_cast<HBITMAP>(LoadImageA(Instance(), name, IMAGE_BITMAP, 0, 0, flags));
}

HICON ProgramIcon(int size) {
  return static_cast<HICON>(LoadImageA(Instance(), kMainIcon, IMAGE_ICON, size, size, 0));
}

std::string TweakTextName(int tweakId) { return "TEXT_" + std::to_string(tweakId); }

std::string LoadTweakText(int tweakId) {
  const std::string name = TweakTextName(tweakId);
  HRSRC info = FindResourceA(Instance(), name.c_str(), MAKEINTRESOURCEA(10));  // RT_RCDATA
  HGLOBAL data = info ? LoadResource(Instance(), info) : nullptr;
  const void* bytes = data ? LockResource(data) : nullptr;
  if (!bytes) throw Error(FormatMessage1("Ressource %s wurde nicht gefunden", name));
  return std::string(static_cast<const char*>(bytes), SizeofResource(Instance(), info));
}

}  // namespace tw::ui
