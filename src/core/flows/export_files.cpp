#include "flows/export_files.h"

#include "flows/texts.h"
#include "registry/codepage.h"
#include "system/error.h"

namespace tw {
namespace {

using namespace text;

std::string Failed(const std::u16string& name, const std::string& why) {
  return std::string(kNotExported) + "\r" + WideToAnsi(name) + "\r" + why;
}

}  // namespace

std::string SaveExport(ExportTarget& target, const std::vector<std::u16string>& names,
                       const std::vector<ExportFile>& files) {
  std::vector<std::u16string> temps;
  for (std::size_t i = 0; i < files.size(); ++i) {
    temps.push_back(target.TempFor(names[i]));
    std::string why;
    if (!target.Write(temps[i], files[i].data, &why)) {
      for (std::size_t j = 0; j < i; ++j) target.Remove(temps[j]);
      return Failed(names[i], why);
    }
  }
  const auto removeTemps = [&](std::size_t from) {
    for (std::size_t j = from; j < temps.size(); ++j) target.Remove(temps[j]);
  };
  std::vector<std::optional<Bytes>> former;
  for (const std::u16string& name : names) {
    former.push_back(target.Exists(name) ? target.Read(name) : std::nullopt);
    if (!former.back() && target.Exists(name)) {
      removeTemps(0);
      return Failed(name, kExportUnreadable);
    }
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    std::string why;
    if (target.Move(temps[i], names[i], &why)) continue;
    std::string text = Failed(names[i], why);
    removeTemps(i);
    for (std::size_t j = 0; j < i; ++j) {
      std::string ignored;
      const std::u16string temp = target.TempFor(names[j]);
      bool back = true;
      if (!former[j]) {
        target.Remove(names[j]);
      } else if (!target.Write(temp, *former[j], &ignored) ||
                 !target.Move(temp, names[j], &ignored)) {
        target.Remove(temp);
        back = false;
      }
      text += "\r\r" + FormatMessage1(!back       ? kExportNotTakenBack
                                      : former[j] ? kExportTakenBack
                                                  : kExportRemoved,
                                      WideToAnsi(names[j]));
    }
    return text;
  }
  return "";
}

}  // namespace tw
