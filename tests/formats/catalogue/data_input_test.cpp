#include "formats/catalogue/data_input.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "graph/row_parts.h"

namespace ugraph {
namespace {

using Fault = Refusal;

struct Parsed {
  Fault fault;
  std::size_t at;
  std::string name;
  int32_t nodeCount;
  std::vector<std::pair<int32_t, int32_t>> links;
};

// Every other reading of a data-input must agree with the dialogue's, on
// the rule broken, its place, and what the data-input holds: the batch
// road's check and rows, given the text as the scanner gives it, through
// its first ']'; and the dialogue's own, when the text ends before that
// ']'.
void expectReadingsAgree(std::string_view text, const ParseResult& result,
                         const DataInput& input) {
  const std::size_t close = text.find(']', 2);
  if (close == std::string_view::npos) return;
  const std::string_view scanned = text.substr(0, close + 1);
  LinkRows rows;
  markDataInput(input, rows);
  const auto expectSame = [&](const ParseResult& other, const LinkRows& read,
                              int32_t nodeCount, std::string_view what) {
    EXPECT_EQ(other.refusal, result.refusal) << what << ": " << text;
    EXPECT_EQ(other.at, result.at) << what << ": " << text;
    if (result.refusal != Refusal::kNone) return;
    EXPECT_EQ(read, rows) << what << ": " << text;
    EXPECT_EQ(nodeCount, input.nodeCount) << what << ": " << text;
  };
  expectSame(checkDataInput(scanned), rows, input.nodeCount, "check");

  GraphName name{};
  int32_t nodeCount = 0;
  LinkRows rowsRead{};
  const ParseResult read =
      parseDataInputRows(scanned, DataInputGraph{name, nodeCount, rowsRead});
  expectSame(read, rowsRead, nodeCount, "rows");
  if (result.refusal == Refusal::kNone) {
    EXPECT_STREQ(name.data(), input.name.data()) << text;
  }

  // The lower rows of --count, which may come by a kernel of one-digit
  // numbers, hold the same links once each.
  LinkRows lowerRead{};
  int32_t lowerLinks = 0;
  const ParseResult lower = parseDataInputLowerRows(
      scanned, DataInputGraph{name, nodeCount, lowerRead}, lowerLinks);
  LinkRows lowered = rows;
  const int32_t links = keepLowerRows(lowered, kMaxNodes);
  for (std::size_t b = static_cast<std::size_t>(nodeCount) + 1;
       b < lowered.size(); ++b) {
    lowerRead[b] = 0;  // past the node count they are unspecified
  }
  EXPECT_EQ(lower.refusal, result.refusal) << "lower rows: " << text;
  EXPECT_EQ(lower.at, result.at) << "lower rows: " << text;
  if (result.refusal == Refusal::kNone) {
    EXPECT_EQ(lowerRead, lowered) << text;
    EXPECT_EQ(lowerLinks, links) << text;
    EXPECT_EQ(nodeCount, input.nodeCount) << text;
  }

  DataInput unclosed;
  const ParseResult cut = parseDataInput(scanned.substr(0, close), unclosed);
  LinkRows cutRows;
  markDataInput(unclosed, cutRows);
  expectSame(cut, cutRows, unclosed.nodeCount, "unclosed");
}

Parsed parse(std::string_view text) {
  DataInput input;
  const ParseResult result = parseDataInput(text, input);
  expectReadingsAgree(text, result, input);
  const Fault fault = result.refusal;
  Parsed p{fault, result.at, "", 0, {}};
  if (fault != Fault::kNone) return p;
  p.name = input.name.data();
  p.nodeCount = input.nodeCount;
  for (int32_t i = 0; i < input.linkCount; ++i) {
    const DataInputLink& l = input.links[static_cast<std::size_t>(i)];
    p.links.emplace_back(l.node, l.neighbour);
  }
  return p;
}

using Links = std::vector<std::pair<int32_t, int32_t>>;

// The dialogue parses a data-input that the file cuts short, its view
// ending where the bytes do: nothing past the view may be read. Each text
// lies in storage of exactly its size (a sanitizer sees any read past it),
// and again before a ']' that the view leaves out, which must change
// nothing.
TEST(DataInputTest, ReadsNothingPastItsView) {
  for (const std::string text :
       {"[U \"A\" (1) 2", "[U \"A\" (1) 2,", "[U \"A\" (1", "[U \"A",
        "[U \"A\" (1) 12", "[U \"A\" (1) 2 (2) 3"}) {
    const std::unique_ptr<char[]> exact(new char[text.size()]);
    text.copy(exact.get(), text.size());
    DataInput alone;
    const ParseResult cut = parseDataInput({exact.get(), text.size()}, alone);
    const std::string closed = text + "]";
    DataInput before;
    const ParseResult view =
        parseDataInput(std::string_view(closed).substr(0, text.size()), before);
    EXPECT_EQ(cut.refusal, view.refusal) << text;
    EXPECT_EQ(cut.at, view.at) << text;
    EXPECT_EQ(alone.linkCount, before.linkCount) << text;
  }
}

TEST(DataInputTest, ReadsTheCatalogueExamples) {
  const Parsed triangle = parse(R"([U "Triangle", (1),2,3, (2),3, (3)])");
  EXPECT_EQ(triangle.fault, Fault::kNone);
  EXPECT_EQ(triangle.name, "Triangle");
  EXPECT_EQ(triangle.nodeCount, 3);
  EXPECT_EQ(triangle.links, (Links{{1, 2}, {1, 3}, {2, 3}}));

  const Parsed star = parse(R"([u "Star" (1) 2 3 4 5])");
  EXPECT_EQ(star.name, "Star");
  EXPECT_EQ(star.nodeCount, 5);
  EXPECT_EQ(star.links, (Links{{1, 2}, {1, 3}, {1, 4}, {1, 5}}));

  const Parsed loose = parse(R"([U "Loose", (1),2 ,, 0, 3, (4)])");
  EXPECT_EQ(loose.nodeCount, 4);
  EXPECT_EQ(loose.links, (Links{{1, 2}, {1, 3}}));
}

TEST(DataInputTest, NodeCountIsTheLargestNumberAnywhere) {
  const Parsed header = parse(R"([U "H", (5)])");
  EXPECT_EQ(header.fault, Fault::kNone);
  EXPECT_EQ(header.nodeCount, 5);
  EXPECT_TRUE(header.links.empty());
  EXPECT_EQ(parse(R"([U "N", (2) 0 7 (3)])").nodeCount, 7);
  EXPECT_EQ(parse(R"([U "Z", (1),0,000])").links, Links{});
}

TEST(DataInputTest, FormVariantsThatLoadAsUsual) {
  EXPECT_EQ(parse(R"([U ""(1)2])").name, "");
  EXPECT_EQ(parse(R"([U "0123456789abcde"(1)2])").name, "0123456789abcde");
  EXPECT_EQ(parse(R"x([U "a b (C)"(1)2])x").name, "a b (C)");
  EXPECT_EQ(parse("[U\nlead\nin \"ML\"\n,\n(1)2]").links, (Links{{1, 2}}));
  EXPECT_EQ(parse(R"([U "Two", (1),2, (2),3, (1),3])").links,
            (Links{{1, 2}, {2, 3}, {1, 3}}));
  EXPECT_EQ(parse(R"([U "S", (3),3])").links, (Links{{3, 3}}));
  EXPECT_EQ(parse(R"([U "L", (007) 008,, 0 ,(1)2])").links,
            (Links{{7, 8}, {1, 2}}));
  EXPECT_EQ(parse(R"([U "Q" "gap" (1)2])").links, (Links{{1, 2}}));
  EXPECT_EQ(parse(R"([U "x", (1)2] trailing (9)9)").nodeCount, 2);
  EXPECT_EQ(parse(R"([U "F", (50) 1])").nodeCount, 50);
}

// Each case: the text, the first rule it breaks, and text that starts
// where the fault lies.
TEST(DataInputTest, ReportsTheFirstRuleBrokenAndWhere) {
  struct Case {
    const char* text;
    Fault fault;
    const char* at;
  };
  const std::vector<Case> cases = {
      {R"([U Name, (1),2])", Fault::kNoName, "["},
      {R"([U "Name, (1),2])", Fault::kNoName, "["},
      {R"([U "Na]me", (1),2])", Fault::kNoName, "["},
      {R"([U "0123456789abcdef", (1)])", Fault::kNameTooLong, "\""},
      {R"([U "Name", 1, 2])", Fault::kNoNode, "]"},
      {R"([U "Name", ()])", Fault::kBadHeader, "("},
      {R"([U "Name", (x)])", Fault::kBadHeader, "("},
      {R"([U "Name", ( 1)])", Fault::kBadHeader, "("},
      {R"([U "Name", (1 )])", Fault::kBadHeader, "("},
      {R"([U "Name", (1])", Fault::kBadHeader, "("},
      {R"([U "Name", (0) 1])", Fault::kBadHeader, "("},
      {R"([U "Name", (1) 2 (51) 1])", Fault::kBadHeader, "(51"},
      {R"([U "Name", (99999999999999) 1])", Fault::kBadHeader, "("},
      {R"([U "Name", (1) 51])", Fault::kNeighbourAbove50, "51"},
      {R"([U "Name", (1) 99999999999999999999])", Fault::kNeighbourAbove50,
       "99"},
      {"[U \"Name\", (1)\n2]", Fault::kOutOfPlace, "\n"},
      {"[U \"Name\", (1)\t2]", Fault::kOutOfPlace, "\t"},
      {R"([U "Name", (1) 2 # note])", Fault::kOutOfPlace, "#"},
      {R"([U "Name", (1) -2])", Fault::kOutOfPlace, "-"},
      {R"([U "Name", (1) 2)])", Fault::kOutOfPlace, ")]"},
      {R"([U "Name", (1) 2a])", Fault::kOutOfPlace, "a]"},
      {R"([U "Name", (1) 2 x 60])", Fault::kOutOfPlace, "x"},
      {R"([U "Name", (1) 60 x])", Fault::kNeighbourAbove50, "60"},
      {"", Fault::kNoName, ""},
      {"[", Fault::kNoName, ""},
  };
  for (const Case& c : cases) {
    const Parsed p = parse(c.text);
    EXPECT_EQ(p.fault, c.fault) << c.text;
    EXPECT_EQ(p.at, std::string_view(c.text).find(c.at)) << c.text;
  }
}

// Every output would end a name at a NUL: the name is refused there, in
// every reading, and a name of 15 bytes is allowed whatever letters they
// spell.
TEST(DataInputTest, RefusesANulInTheNameAndCountsItsBytes) {
  using namespace std::string_literals;
  const std::string nul = "[U \"a\nb\rc\0d\x01\", (1)2]"s;
  const Parsed p = parse(nul);
  EXPECT_EQ(p.fault, Fault::kNulInName);
  EXPECT_EQ(p.at, nul.find('\0'));
  EXPECT_EQ(
      parse("[U \"\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9x\", "
            "(1)2]")
          .fault,
      Fault::kNone);
  EXPECT_EQ(parse("[U "
                  "\"\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"
                  "\xC3\xA9\", (1)2]")
                .fault,
            Fault::kNameTooLong);
}

TEST(DataInputTest, Holds624LinksButNotOneMore) {
  std::string text = R"([U "Many", (1))";
  for (int i = 0; i < 624; ++i) text += " 2";
  const Parsed full = parse(text + " 0 0]");
  EXPECT_EQ(full.fault, Fault::kNone);
  EXPECT_EQ(full.links.size(), 624u);
  const Parsed over = parse(text + " 0 31]");
  EXPECT_EQ(over.fault, Fault::kTooManyLinks);
  EXPECT_EQ(over.at, text.size() + 3);
}

// The batch check passes the common shape over 16 bytes at a time and
// leaves the rest to the parser: parse() has every reading agree, here on
// the edges of that shape, each at every offset from a 16-byte boundary.
TEST(DataInputTest, ReadingsAgreeOnTheEdgesOfTheCommonShape) {
  const std::vector<std::pair<std::string, Fault>> groups = {
      {"(50),49", Fault::kNone},
      {"(51),1", Fault::kBadHeader},
      {"(05),07", Fault::kNone},
      {"(00),1", Fault::kBadHeader},
      {"(0),1", Fault::kBadHeader},
      {"(1),50,0,00", Fault::kNone},
      {"(1),51", Fault::kNeighbourAbove50},
      {"(1),60", Fault::kNeighbourAbove50},
      {"(1),007", Fault::kNone},
      {"(1),100", Fault::kNeighbourAbove50},
      {"(1),2 (", Fault::kBadHeader},
      {"(1),2 (3", Fault::kBadHeader},
      {"(1),2 (34", Fault::kBadHeader},
      {"(1)2(3)4", Fault::kNone},
      {"(1),2)", Fault::kOutOfPlace},
      {"(1),2;", Fault::kOutOfPlace},
      {"(123)", Fault::kBadHeader},
      {"(1),()", Fault::kBadHeader}};
  for (const auto& [tail, fault] : groups) {
    for (std::size_t pad = 0; pad < 16; ++pad) {
      const std::string text =
          "[U \"G\", (2)," + std::string(pad, ' ') + tail + "]";
      EXPECT_EQ(parse(text).fault, fault) << text;
    }
  }
}

}  // namespace
}  // namespace ugraph
