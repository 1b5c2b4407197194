#pragma once

// The catalogue row: a tweak that is nothing but registry data. The getter is a list of
// conditions on the row's key, read in order and true when all hold; each setter state is a
// list of steps run in order until one reports failure. A row has no functions of its own: its
// name reaches it (tweak_access.h); tweaks that compute something are functions
// (computed_tweaks.h).

#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/tweak_info.h"
#include "registry/registry_api.h"

namespace tw {

enum class Check {
  DwordIs,       // REG_DWORD (default def) equals want
  DwordAbove,    // REG_DWORD (default def) is greater than want
  TextIs,        // REG_SZ (default defText) equals wantText, case-sensitive
  NumberIs,      // REG_SZ (default defText) converted to an integer equals want
  NumberAtMost,  // ... is at most want
  KeyPresent,
  KeyAbsent,
  ValueAbsent,  // no value of that name, whatever its type
};

struct Condition {
  Check check = Check::DwordIs;
  std::string sub = "";    // subkey of the row's key; "" is the key itself
  std::string value = "";  // value name; "" is the default value
  std::int32_t def = 0;
  std::int32_t want = 0;
  std::string defText = "";
  std::string wantText = "";
};

enum class Op { Dword, Sz, ExpandSz, RemoveValue, RemoveKey, MakeKey };

struct Step {
  Op op = Op::Dword;
  std::string sub = "";
  std::string value = "";
  std::int32_t number = 0;
  std::string text = "";
  bool absentOk = false;  // RemoveValue: a value that is already gone counts as removed

  // The same step on a subkey of the row's key.
  Step In(const std::string& subkey) const {
    Step s = *this;
    s.sub = subkey;
    return s;
  }
  Step AbsentOk() const {
    Step s = *this;
    s.absentOk = true;
    return s;
  }
};

struct TweakRow {
  std::uint32_t id;
  std::string name;  // as the read orders and write sequences name it
  RegRoot root;
  std::string key;
  std::vector<Condition> test;
  std::vector<Step> checked;    // the box checked: WriteTweak(row, false)
  std::vector<Step> unchecked;  // WriteTweak(row, true)
  // The getter returns the first condition's DWORD itself; the window checks the box when it
  // equals that condition's want.
  bool numberGetter = false;
};

// Every row, in the order of the series.
const std::vector<TweakRow>& TweakRows();
// The row of that name, or nullptr.
const TweakRow* FindTweakRow(const std::string& name);

bool ReadTweak(const TweakRow& row);
std::int32_t ReadTweakNumber(const TweakRow& row);
bool WriteTweak(const TweakRow& row, bool unchecked);
// The row's key or one of its subkeys.
std::string RowKey(const TweakRow& row, const std::string& sub);
std::vector<RegLocation> RowLocations(const TweakRow& row);

// Registry text as an integer: an optional sign and decimal digits, nothing else (no blanks, no
// hexadecimal), within 32 bits. Anything else raises "'%s' ist kein gültiger Integerwert".
std::int32_t TextToInteger(const std::string& text);

}  // namespace tw
