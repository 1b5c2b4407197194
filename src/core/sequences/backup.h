#pragma once

// Backups of what an apply run changes, as registry files: built from an overlay that ran the
// run's writes, cut down to what really changed after the real run, checked against the
// catalogue before anything is restored, and restored through the registry seam.

#include <string>
#include <vector>

#include "overlay_registry.h"
#include "reg_file.h"

namespace tw {

// The keys and values to write back the state before the writes that the overlay ran: first
// "[-key]" for each key the writes created, then each key they deleted, with its whole content,
// then the values they set or deleted, with their exact previous type and bytes, or "=-" when
// the value was absent.
std::vector<RegFileKey> BackupEntries(OverlayRegistry& overlay, RegistryApi& base);

// Drops every entry whose place the machine still holds as before (a write that was refused,
// or that wrote what was already there), so a restore touches only what changed.
void DropUnchanged(std::vector<RegFileKey>& entries, RegistryApi& machine);

// Every key below and including key, its values with their exact bytes; the key first.
std::vector<RegFileKey> DumpSubtree(RegistryApi& api, const RegPath& key);

// A backup may only write what a setter of the catalogue writes: exact (key, value) pairs, and
// whole subtrees only for keys a setter creates or removes, or for keys that lead to them and
// hold nothing else on the machine. Returns the first line of the file that names anything
// else, or 0 when all is in the catalogue.
std::size_t FirstForeignLine(const RegFile& file, RegistryApi& machine);

// Restores the entries in order through the seam. Returns the places that could not be
// written, as "HKEY_…\key" or "HKEY_…\key\value" text; a removal of something absent is
// no failure.
std::vector<std::u16string> RestoreEntries(const std::vector<RegFileKey>& entries,
                                           RegistryApi& machine);

}  // namespace tw
