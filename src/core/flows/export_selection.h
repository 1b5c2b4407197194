#pragma once

// Export of the selection as registry files for other machines: exactly the writes that the
// controls now "on" would make on this machine (every checked box; the sliders, the colour
// pair and the program folder where they differ from the Windows standard view). Unchecked
// boxes contribute nothing, so importing turns the chosen tweaks on and nothing off.

#include <functional>
#include <string>
#include <vector>

#include "flows/backup_store.h"
#include "flows/control_surface.h"
#include "flows/settings_load.h"
#include "registry/reg_file.h"

namespace tw {

struct ExportFile {
  std::string suffix;  // "" for a single file; "-Computer" (HKLM, HKCR) and "-Benutzer" (HKCU)
                       // when the selection has both kinds
  Bytes data;
};

// The files of the selection; none when nothing is on. Runs the writes through the registry
// helpers against an overlay of machine, inside a batch of its own; nothing reaches the machine.
std::vector<ExportFile> ExportSelection(
    RegistryApi& machine, const ControlSurface& controls, Layout layout,
    const std::function<std::string(const std::string& control)>& caption, const RunTime& time,
    const std::string& computer);

// The chosen file's path with a suffix before its extension: "Trimmwerk-Auswahl-Computer.reg";
// ".reg" is added when the name has no extension.
std::u16string ExportFileName(const std::u16string& chosen, const std::string& suffix);

// The one question before files of an export that exist already are replaced ("&Nein" keeps
// them all and writes nothing).
std::string ReplaceQuestion(const std::vector<std::u16string>& existing);

}  // namespace tw
