#pragma once

// A backup's entries and their restore: built from an overlay that ran an apply run's writes,
// cut down to what really changed after the real run, checked against the places the setters
// write (place_owners.h) before anything is restored, and restored through the registry seam.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "registry/overlay_registry.h"
#include "registry/reg_file.h"

namespace tw {

// The keys and values to write back the state before the writes that the overlay ran: first
// "[-key]" for each key the writes created, then each key they deleted, with its whole content,
// then the values they set or deleted, with their exact previous type and bytes, or "=-" when
// the value was absent.
std::vector<RegFileKey> BackupEntries(OverlayRegistry& overlay, RegistryApi& base);

// Drops every entry whose place the machine still holds as before (a write that was refused,
// or that wrote what was already there), so a restore touches only what changed. A "[-key]" for
// a key that holds content of others counts as restored once nothing the settings write is
// left below it.
void DropUnchanged(std::vector<RegFileKey>& entries, RegistryApi& machine);

// Every key below and including key, its values with their exact bytes; each key after its
// subkeys, so that writing them back in this order gives a context-menu entry its command before
// its caption.
std::vector<RegFileKey> DumpSubtree(RegistryApi& api, const RegPath& key);

// A backup may bring back only what a setter of the apply run writes: exact (key, value) pairs,
// "[-key]" with the key's former content for keys a setter creates or removes whole, and
// "[-key]" alone for a key at or on the way to such a place that holds nothing else on the
// machine now, or that is a policy key (a key the run created: others may have written to it
// since, and undo keeps what they wrote). Returns the first line of the file that names anything
// else, or 0 when all of it may be restored. Places that only the one-shot buttons write, or
// that are only tested, are refused.
std::size_t FirstForeignLine(const RegFile& file, RegistryApi& machine);

// A place that could not be restored: a value, or the key itself (created, or removed with its
// subtree), with the code of the call that failed.
struct RestoreFailure {
  RegPath key;
  std::optional<std::u16string> value;
  long code = 0;
  // "HKEY_…\\key" or "HKEY_…\\key\\value" ("@" for the default value).
  std::u16string Text() const;
};

// Restores the entries in order through the seam, calling entryDone after each. A key removal
// is all or nothing: when one key of the tree does not open for deleting, nothing of it goes,
// and the former content that follows it is not written. Returns the places that could not be
// written; a removal of something absent is no failure.
std::vector<RestoreFailure> RestoreEntries(const std::vector<RegFileKey>& entries,
                                           RegistryApi& machine,
                                           const std::function<void()>& entryDone = {});

// What undo did with a backup that FirstForeignLine accepted.
struct RestoreResult {
  std::vector<RestoreFailure> failed;
  // Keys the run created that hold content of others now: only what the settings write went
  // from below them, and they stay.
  std::vector<RegPath> kept;
};
// Restores a backup as RestoreEntries does, except for a "[-key]" whose key now holds content
// that no setting writes: from it go what the settings write at or below it, deepest first, and
// each key on the way that is then empty; the key and the content of others stay.
RestoreResult RestoreBackup(const std::vector<RegFileKey>& entries, RegistryApi& machine,
                            const std::function<void()>& entryDone = {});

}  // namespace tw
