#pragma once

// The program's own resources: bitmaps, icon, explanation texts.

#include <windows.h>

#include <string>

namespace tw::ui {

inline constexpr char kBmpHeaderXP[] = "BMP_HEADER_XP";
inline constexpr char kBmpHeaderVista[] = "BMP_HEADER_VISTA";
inline constexpr char kBmpArrowLeft[] = "BMP_ARROWLEFT";
inline constexpr char kBmpArrowRight[] = "BMP_ARROWRIGHT";
inline constexpr char kBmpInfo[] = "BMP_INFO";
inline constexpr char kBmpLogo[] = "BMP_LOGO";
inline constexpr char kMainIcon[] = "MAINICON";

// A bitmap resource of the program. With buttonFace, the light grey of the picture's palette
// becomes the system's button-face colour (the small button images). nullptr when missing.
HBITMAP LoadBitmapResource(const char* name, bool buttonFace = false);
HICON ProgramIcon(int size = 32);

// The name of a tweak's explanation text: "TEXT_" and the ID in decimal.
std::string TweakTextName(int tweakId);
// The RTF bytes of that text; Error "Ressource %s wurde nicht gefunden" when there is none.
std::string LoadTweakText(int tweakId);

}  // namespace tw::ui
