#include "render/escape.h"

#include <gtest/gtest.h>

#include <string>

#include "base/memory_console.h"

namespace ugraph {
namespace {

template <class Write>
std::string written(std::string_view text, Write write) {
  testing::MemoryConsole io("");
  write(text, io.console());
  return io.output();
}

std::string json(std::string_view text) {
  return written(text, writeJsonString);
}
std::string dot(std::string_view text) { return written(text, writeDotString); }
std::string html(std::string_view text) { return written(text, writeHtmlText); }

TEST(EscapeTest, JsonEscapesQuotesBackslashesAndControls) {
  EXPECT_EQ(json("plain name"), "\"plain name\"");
  EXPECT_EQ(json("a\"b\\c"), "\"a\\\"b\\\\c\"");
  EXPECT_EQ(json("t\tn\nr\r\x01\x1f\x7f"),
            "\"t\\tn\\nr\\u000d\\u0001\\u001f\\u007f\"");
}

TEST(EscapeTest, HtmlEscapesMarkupAndReplacesControls) {
  EXPECT_EQ(html("a<b>&\"c'"), "a&lt;b&gt;&amp;&quot;c'");
  EXPECT_EQ(html("</script>"), "&lt;/script&gt;");
  EXPECT_EQ(html("t\x01\xFF\xC3\xA9"), "t\xEF\xBF\xBD\xEF\xBF\xBD\xC3\xA9");
}

TEST(EscapeTest, EveryByteOutsideValidUtf8BecomesTheReplacement) {
  const std::string fffd = "\xEF\xBF\xBD";
  EXPECT_EQ(json("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"),
            "\"\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\"");
  EXPECT_EQ(json("\xFF"), "\"" + fffd + "\"");
  EXPECT_EQ(json("\xC0\x80"), "\"" + fffd + fffd + "\"");  // overlong
  EXPECT_EQ(json("\xE0\x9F\xBF"), "\"" + fffd + fffd + fffd + "\"");
  EXPECT_EQ(json("\xED\xA0\x80"),
            "\"" + fffd + fffd + fffd + "\"");  // surrogate
  EXPECT_EQ(json("\xF4\x90\x80\x80"),
            "\"" + fffd + fffd + fffd + fffd + "\"");        // above U+10FFFF
  EXPECT_EQ(json("\xE2\x82x"), "\"" + fffd + fffd + "x\"");  // cut short
  EXPECT_EQ(dot("a\xFF"), "\"a" + fffd + "\"");
}

// Graphviz pairs backslashes from the left; an odd run must not reach a
// quote or a line end, which is written as an escape.
TEST(EscapeTest, DotEvensOnlyABackslashRunThatWouldEscapeWhatFollows) {
  EXPECT_EQ(dot("a\\b"), "\"a\\b\"");
  EXPECT_EQ(dot("end\\"), "\"end\\\\\"");
  EXPECT_EQ(dot("two\\\\"), "\"two\\\\\"");
  EXPECT_EQ(dot("three\\\\\\"), "\"three\\\\\\\\\"");
  EXPECT_EQ(dot("a\\\nb"), "\"a\\\\\\nb\"");
  EXPECT_EQ(dot("a\\\\\nb"), "\"a\\\\\\nb\"");
  // A line end spans no line: a drawing's head stays the only line that
  // begins it.
  EXPECT_EQ(dot("a\ngraph b\r"), "\"a\\ngraph b\\r\"");
  EXPECT_EQ(dot("q\""), "\"q\\\"\"");
  EXPECT_EQ(dot("q\\\""), "\"q\\\\\\\"\"");
}

TEST(EscapeTest, DisplayTextCountsCharactersNotBytes) {
  testing::MemoryConsole io("");
  EXPECT_EQ(writeDisplayText("\xC3\xA9t\xC3\xA9\t\xFF", io.console()), 5u);
  EXPECT_EQ(io.output(), "\xC3\xA9t\xC3\xA9?\xEF\xBF\xBD");
}

}  // namespace
}  // namespace ugraph
