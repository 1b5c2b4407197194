#include "flows/search.h"

#include "flows/standard_view.h"
#include "registry/reg_file.h"

namespace tw {
namespace {

// Groups whose text is never shown: tables, document information, pictures, and every group
// marked "\*" as one a reader may skip.
bool HiddenGroup(const std::string& rtf, std::size_t open) {
  static const char* const kHidden[] = {"\\*",         "\\fonttbl",  "\\colortbl", "\\stylesheet",
                                        "\\info",      "\\pict",     "\\header",   "\\footer",
                                        "\\listtable", "\\generator"};
  for (const char* word : kHidden) {
    if (rtf.compare(open + 1, std::char_traits<char>::length(word), word) == 0) return true;
  }
  return false;
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return (c >= '0' && c <= '9') || c == '-'; }

// A control surface that takes the standard view's settings down instead of showing them.
class StandardRecorder : public ControlSurface {
 public:
  explicit StandardRecorder(const ControlSurface& shown) : shown_(shown) {}

  bool Checked(const std::string& name) const override { return shown_.Checked(name); }
  void SetChecked(const std::string& name, bool checked) override {
    Note(name, shown_.Checked(name) != checked);
  }
  int Position(const std::string& name) const override { return shown_.Position(name); }
  void SetPosition(const std::string& name, int position) override {
    Note(name, shown_.Position(name) != position);
  }
  int ItemIndex(const std::string& name) const override { return shown_.ItemIndex(name); }
  void SetItemIndex(const std::string& name, int index) override {
    Note(name, shown_.ItemIndex(name) != index);
  }
  std::string Text(const std::string& name) const override { return shown_.Text(name); }
  void SetText(const std::string& name, const std::string& text) override {
    Note(name, shown_.Text(name) != text);
  }
  bool Enabled(const std::string& name) const override { return shown_.Enabled(name); }
  void SetEnabled(const std::string& name, bool enabled) override {
    Note(name, shown_.Enabled(name) != enabled);
  }
  void Repaint(const std::string&) override {}

  std::set<std::string> differing;

 private:
  void Note(const std::string& name, bool differs) {
    if (differs) differing.insert(name);
  }
  const ControlSurface& shown_;
};

}  // namespace

std::string RtfPlainText(const std::string& rtf) {
  std::string text;
  std::size_t hiddenDepth = 0;  // >0: inside a hidden group, counting its nesting
  for (std::size_t i = 0; i < rtf.size(); ++i) {
    const char c = rtf[i];
    if (c == '{') {
      if (hiddenDepth > 0 || HiddenGroup(rtf, i)) ++hiddenDepth;
      continue;
    }
    if (c == '}') {
      if (hiddenDepth > 0) --hiddenDepth;
      continue;
    }
    if (c == '\r' || c == '\n') continue;
    const bool hidden = hiddenDepth > 0;
    if (c != '\\') {
      if (!hidden) text += c;
      continue;
    }
    if (i + 1 >= rtf.size()) break;
    const char next = rtf[i + 1];
    if (next == '\'') {
      const int high = i + 2 < rtf.size() ? HexDigit(rtf[i + 2]) : -1;
      const int low = i + 3 < rtf.size() ? HexDigit(rtf[i + 3]) : -1;
      if (high >= 0 && low >= 0 && !hidden) text += static_cast<char>(high * 16 + low);
      i += 3;
      continue;
    }
    if (!IsLetter(next)) {
      // A control symbol: an escaped character, or a non-breaking space.
      if (!hidden && (next == '\\' || next == '{' || next == '}')) text += next;
      if (!hidden && next == '~') text += ' ';
      ++i;
      continue;
    }
    std::size_t j = i + 1;
    while (j < rtf.size() && IsLetter(rtf[j])) ++j;
    const std::string word = rtf.substr(i + 1, j - i - 1);
    while (j < rtf.size() && IsDigit(rtf[j])) ++j;
    if (j < rtf.size() && rtf[j] == ' ') ++j;
    if (!hidden && (word == "par" || word == "line" || word == "tab")) text += ' ';
    i = j - 1;
  }
  return text;
}

std::string FoldForSearch(const std::string& text) {
  std::string folded;
  folded.reserve(text.size());
  for (const char ch : text) {
    auto c = static_cast<unsigned char>(ch);
    // Upper case: ASCII, and cp1252's À to Þ but for the multiplication sign.
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) c += 0x20;
    switch (c) {
      case 0xE4:
        folded += "ae";
        break;
      case 0xF6:
        folded += "oe";
        break;
      case 0xFC:
        folded += "ue";
        break;
      case 0xDF:
        folded += "ss";
        break;
      default:
        folded += static_cast<char>(c);
    }
  }
  return folded;
}

void SearchIndex::Add(SearchEntry entry) {
  folded_.push_back(FoldForSearch(entry.caption + ' ' + entry.text));
  entries_.push_back(std::move(entry));
}

std::vector<std::size_t> SearchIndex::Find(const std::string& query,
                                           const std::set<std::string>* only) const {
  // Words are split at spaces and tabs by hand: the standard streams would pull the C library's
  // locale functions into the exe, which Windows XP's msvcrt lacks.
  std::vector<std::string> words;
  std::string word;
  for (const char c : FoldForSearch(query) + ' ') {
    if (c != ' ' && c != '\t') {
      word += c;
    } else if (!word.empty()) {
      words.push_back(std::move(word));
      word.clear();
    }
  }
  std::vector<std::size_t> found;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    bool all = true;
    for (const std::string& word : words) {
      if (folded_[i].find(word) == std::string::npos) {
        all = false;
        break;
      }
    }
    if (!all) continue;
    if (only) {
      bool listed = false;
      for (const std::string& control : entries_[i].controls)
        listed = listed || only->count(control);
      if (!listed) continue;
    }
    found.push_back(i);
  }
  return found;
}

std::set<std::string> DifferFromStandard(const ControlSurface& controls, Layout layout) {
  StandardRecorder recorder(controls);
  ShowStandard(recorder, layout);
  return std::move(recorder.differing);
}

}  // namespace tw
