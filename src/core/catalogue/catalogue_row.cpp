#include "catalogue/catalogue_row.h"

#include <algorithm>

#include "registry/registry.h"
#include "system/error.h"

namespace tw {
namespace {

constexpr char kNotAnInteger[] = "'%s' ist kein gültiger Integerwert";

bool Holds(const TweakRow& row, const Condition& c) {
  const std::string key = RowKey(row, c.sub);
  switch (c.check) {
    case Check::DwordIs:
      return ReadRegInteger(row.root, key, c.value, false, c.def) == c.want;
    case Check::DwordAbove:
      return ReadRegInteger(row.root, key, c.value, false, c.def) > c.want;
    case Check::TextIs:
      return ReadRegString(row.root, key, c.value, false, c.defText) == c.wantText;
    case Check::NumberIs:
      return TextToInteger(ReadRegString(row.root, key, c.value, false, c.defText)) == c.want;
    case Check::NumberAtMost:
      return TextToInteger(ReadRegString(row.root, key, c.value, false, c.defText)) <= c.want;
    case Check::KeyPresent:
      return RegKeyPresent(row.root, key);
    case Check::KeyAbsent:
      return !RegKeyPresent(row.root, key);
    case Check::ValueAbsent:
      return !RegValuePresent(row.root, key, c.value);
  }
  return false;
}

bool Run(const TweakRow& row, const Step& s) {
  const std::string key = RowKey(row, s.sub);
  switch (s.op) {
    case Op::Dword:
      return WriteRegInteger(row.root, key, s.value, s.number);
    case Op::Sz:
      return WriteRegString(row.root, key, s.value, s.text);
    case Op::ExpandSz:
      return WriteRegExpandString(row.root, key, s.value, s.text);
    case Op::RemoveValue:
      return RemoveRegValue(row.root, key, s.value) ||
             (s.absentOk && !RegValuePresent(row.root, key, s.value));
    case Op::RemoveKey:
      return RemoveRegKey(row.root, key);
    case Op::MakeKey:
      return MakeRegKey(row.root, key);
  }
  return false;
}

bool IsKeyCheck(Check c) { return c == Check::KeyPresent || c == Check::KeyAbsent; }
bool IsKeyOp(Op op) { return op == Op::RemoveKey || op == Op::MakeKey; }

}  // namespace

const TweakRow* FindTweakRow(const std::string& name) {
  const auto& rows = TweakRows();
  const auto it =
      std::find_if(rows.begin(), rows.end(), [&](const TweakRow& r) { return r.name == name; });
  return it == rows.end() ? nullptr : &*it;
}

bool ReadTweak(const TweakRow& row) {
  return std::all_of(row.test.begin(), row.test.end(),
                     [&](const Condition& c) { return Holds(row, c); });
}

std::int32_t ReadTweakNumber(const TweakRow& row) {
  const Condition& c = row.test.front();
  return ReadRegInteger(row.root, RowKey(row, c.sub), c.value, false, c.def);
}

bool WriteTweak(const TweakRow& row, bool unchecked) {
  const auto& steps = unchecked ? row.unchecked : row.checked;
  return std::all_of(steps.begin(), steps.end(), [&](const Step& s) { return Run(row, s); });
}

std::string RowKey(const TweakRow& row, const std::string& sub) {
  return sub.empty() ? row.key : row.key + "\\" + sub;
}

std::vector<RegLocation> RowLocations(const TweakRow& row) {
  std::vector<RegLocation> out;
  auto add = [&](const std::string& sub, const std::string& value, bool wholeKey, bool written) {
    RegLocation l{row.root, RowKey(row, sub), wholeKey ? "" : value, wholeKey, written};
    const auto known = std::find_if(out.begin(), out.end(), [&](const RegLocation& o) {
      return o.key == l.key && o.value == l.value && o.wholeKey == l.wholeKey;
    });
    if (known == out.end()) {
      out.push_back(l);
    } else {
      known->written = known->written || written;
    }
  };
  for (const Condition& c : row.test) add(c.sub, c.value, IsKeyCheck(c.check), false);
  for (const auto* steps : {&row.checked, &row.unchecked}) {
    for (const Step& s : *steps) add(s.sub, s.value, IsKeyOp(s.op), true);
  }
  return out;
}

std::int32_t TextToInteger(const std::string& text) {
  std::size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) ++i;
  if (i == text.size()) throw Error(FormatMessage1(kNotAnInteger, text));
  std::int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') throw Error(FormatMessage1(kNotAnInteger, text));
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > std::int64_t{INT32_MAX} + 1) throw Error(FormatMessage1(kNotAnInteger, text));
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > INT32_MAX) throw Error(FormatMessage1(kNotAnInteger, text));
  return static_cast<std::int32_t>(value);
}

}  // namespace tw
