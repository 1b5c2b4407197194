#include <gtest/gtest.h>

#include "flows/search.h"

namespace tw {
namespace {

TEST(SearchText, RtfBecomesItsShownTextAndFoldsCaseAndUmlauts) {
  struct Case {
    const char* rtf;
    const char* plain;
    const char* folded;
  };
  const Case cases[] = {
      {"{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\pard\\f0\\fs16 \\b GR\\'d6\\'dfE\\b0\\par\r\nx}",
       "GRÖßE x", "groesse x"},
      {"{\\rtf1{\\*\\generator Riched20;}{\\colortbl;\\red0;}A\\\\B\\{C\\}\\~D\\tab E}",
       "A\\B{C} D E", "a\\b{c} d e"},
      {"{\\rtf1 cut\\'f", "cut", "cut"},  // a broken escape at the end reads nothing more
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.rtf);
    EXPECT_EQ(RtfPlainText(k.rtf), k.plain);
    EXPECT_EQ(FoldForSearch(RtfPlainText(k.rtf)), k.folded);
  }
}

}  // namespace
}  // namespace tw
