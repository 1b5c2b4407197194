// Fuzz target: every registry file the writer can be given reads back as it was written.
// Input that the reader takes for a registry file (in any encoding and format it reads) is
// one: what the reader makes of it must survive writing and reading again (its comments as
// the writer writes comments). Any other input builds a file (reg_file_input.h).

#include "fuzz_support.h"
#include "reg_file_input.h"
#include "registry/reg_file.h"
#include "system/error.h"

namespace {

const char kTarget[] = "reg_roundtrip";

void ForgetLines(tw::RegFile& file) {
  for (tw::RegFileKey& k : file.keys) {
    k.line = 0;
    for (tw::RegFileValue& v : k.values) v.line = 0;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tw;
  RegFile file;
  bool parsed = true;
  try {
    file = ParseRegFile(Bytes(data, data + size));
  } catch (const Error&) {
    parsed = false;
  }
  if (parsed) {
    ForgetLines(file);
    for (std::u16string& c : file.comments) c = fuzz::CommentAsWritten(c);
  } else {
    fuzz::Input in(data, size);
    file = fuzz::ReadRegFile(in);
  }
  const Bytes written = FormatRegFile(file);
  RegFile back;
  try {
    back = ParseRegFile(written);
  } catch (const Error& e) {
    fuzz::Fail(kTarget, std::string("the reader refuses what the writer wrote: ") + e.what());
  }
  ForgetLines(back);
  const std::string difference = fuzz::Difference(file, back);
  if (!difference.empty()) fuzz::Fail(kTarget, difference);
  return 0;
}
