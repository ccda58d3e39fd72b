#include "formats/foreign.h"

#include <gtest/gtest.h>

#include <string>

namespace ugraph {
namespace {

// Each start, as the field writes it, and the format it shows; an empty
// one for a start that may be a catalogue.
TEST(ForeignTest, TellsTheFormatsUgraphDoesNotRead) {
  using namespace std::string_literals;
  const struct {
    std::string start;
    std::string_view format;
  } starts[] = {
      {"graph [\n  node [ id 1 ]\n]\n", "GML"},
      {"Creator \"igraph\"\n# made by hand\nVersion 1\ngraph\n[\n", "GML"},
      {"<?xml version=\"1.0\"?>\n<graphml xmlns=\"x\">", "GraphML"},
      {"\xEF\xBB\xBF<graphml>", "GraphML"},
      {"<?xml version=\"1.0\"?>\n<gexf>", "XML"},
      {"% made by Pajek\n*Vertices 3\n", "Pajek"},
      {"*vertices 3\n", "Pajek"},
      {"graph \"Tree: a tree\" {\n  1 -- 2;\n}\n", "DOT"},
      {"strict digraph G {\n", "DOT"},
      {"// a comment\nDiGraph {\n", "DOT"},
      {"\x1f\x8b\x08\x00"s, "gzip-compressed data"},
      {"BZh91AY", "bzip2-compressed data"},
      {"\xfd"
       "7zXZ\0\0"s,
       "xz-compressed data"},
      {"\x28\xb5\x2f\xfd\x00"s, "zstd-compressed data"},
      {"[U \"a\" (1)]\0\n"s, "binary data"},
      // Catalogues: the sign outweighs a first line that opens like
      // another format, and free text is free.
      {"graph [\n[U \"A\", (1),2]\n", ""},
      {"graph of my friends\n[U \"A\", (1),2]\n", ""},
      {"graphs { of friends }\n", ""},
      {"graph, with [notes]\n", ""},
      {"", ""},
      {"Hello\n", ""},
  };
  for (const auto& s : starts) {
    EXPECT_EQ(foreignFormatOf(s.start), s.format) << s.start;
  }
}

}  // namespace
}  // namespace ugraph
