#include <gtest/gtest.h>

#include "workbook/core/CsvReader.h"

namespace quillora {
namespace {

using Fields = std::vector<std::string>;

TEST(CsvReader, ReadsQuotedFieldsLineBreaksAndLineNumbers) {
  const auto records = ReadCsv(
      "\xEF\xBB\xBF" "category,item,estimated,actual\r\n"
      "Apparel,Engagement ring,\"$1,500.00\",1500\r\n"
      "\n"
      "Gifts,\"Say \"\"hi\"\"\nthere\",,\n"
      "Flowers,Boutonni\xC3\xA8res,(12),12-");
  ASSERT_EQ(records.size(), 4u);
  EXPECT_EQ(records[0].fields, (Fields{"category", "item", "estimated", "actual"}));
  EXPECT_EQ(records[1].fields, (Fields{"Apparel", "Engagement ring", "$1,500.00", "1500"}));
  EXPECT_EQ(records[1].line, 2);
  EXPECT_EQ(records[2].fields, (Fields{"Gifts", "Say \"hi\"\nthere", "", ""}));
  EXPECT_EQ(records[2].line, 4);
  EXPECT_EQ(records[3].line, 6);  // the quoted line break counted
  EXPECT_EQ(records[3].fields[1], "Boutonni\xC3\xA8res");
}

TEST(CsvReader, RefusesBrokenTextWithItsLine) {
  auto lineOf = [](std::string_view text) {
    try {
      ReadCsv(text);
    } catch (const CsvError& e) {
      return e.line();
    }
    return 0;
  };
  EXPECT_EQ(lineOf("a,b\nc,\"open"), 2);      // unterminated quote
  EXPECT_EQ(lineOf("a,b\nc,d\"e\n"), 2);      // quote inside an unquoted field
  EXPECT_EQ(lineOf("a\n\"q\"x,1\n"), 2);      // text after the closing quote
  EXPECT_EQ(lineOf("a\nb\n\xC3(\n"), 3);      // broken UTF-8
  EXPECT_EQ(lineOf("\xED\xA0\x80"), 1);       // an encoded surrogate
  EXPECT_EQ(lineOf("a,\"b\"\r\nc"), 0);       // fine
}

}  // namespace
}  // namespace quillora
