#include <gtest/gtest.h>

#include "search.h"

namespace tw {
namespace {

TEST(SearchText, RtfBecomesItsShownTextAndFoldsCaseAndUmlauts) {
  struct Case {
    const char* rtf;
    const char* plain;
    const char* folded;
  };
  const Case cases[] = {
      {"{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\pard\\f0\\fs16 \\b Gr\\'f6\\'dfe\\b0\\par\r\nx}",
       "Größe x", "groesse x"},
      {"{\\rtf1{\\*\\generator Riched20;}{\\colortbl;\\red0;}A\\\\B\\{C\\}\\~D\\tab E}",
       "A\\B{C} D E", "a\\b{c} d e"},
      {"{\\rtf1 \\'c4RGER \\'dcBER \\'d6L \\'e9t\\'e9 \\'d7}", "ÄRGER ÜBER ÖL été ×",
       "aerger ueber oel été ×"},
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
