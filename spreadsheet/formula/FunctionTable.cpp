#include "spreadsheet/formula/FunctionTable.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace quillora::engine {
namespace {

constexpr std::uint8_t kMany = 30;  // BIFF8's limit on arguments of a variable-arity function

// Sorted by index. referenceArgs marks functions whose arguments are ranges or references.
constexpr std::array kFunctions = {
    FunctionInfo{0, "COUNT", 0, kMany, true},       FunctionInfo{1, "IF", 2, 3, false},
    FunctionInfo{2, "ISNA", 1, 1, false},           FunctionInfo{3, "ISERROR", 1, 1, false},
    FunctionInfo{4, "SUM", 0, kMany, true},         FunctionInfo{5, "AVERAGE", 1, kMany, true},
    FunctionInfo{6, "MIN", 1, kMany, true},         FunctionInfo{7, "MAX", 1, kMany, true},
    FunctionInfo{8, "ROW", 0, 1, true},             FunctionInfo{9, "COLUMN", 0, 1, true},
    FunctionInfo{10, "NA", 0, 0, false},            FunctionInfo{11, "NPV", 2, kMany, true},
    FunctionInfo{12, "STDEV", 1, kMany, true},      FunctionInfo{13, "DOLLAR", 1, 2, false},
    FunctionInfo{14, "FIXED", 1, 3, false},         FunctionInfo{15, "SIN", 1, 1, false},
    FunctionInfo{16, "COS", 1, 1, false},           FunctionInfo{17, "TAN", 1, 1, false},
    FunctionInfo{18, "ATAN", 1, 1, false},          FunctionInfo{19, "PI", 0, 0, false},
    FunctionInfo{20, "SQRT", 1, 1, false},          FunctionInfo{21, "EXP", 1, 1, false},
    FunctionInfo{22, "LN", 1, 1, false},            FunctionInfo{23, "LOG10", 1, 1, false},
    FunctionInfo{24, "ABS", 1, 1, false},           FunctionInfo{25, "INT", 1, 1, false},
    FunctionInfo{26, "SIGN", 1, 1, false},          FunctionInfo{27, "ROUND", 2, 2, false},
    FunctionInfo{28, "LOOKUP", 2, 3, true},         FunctionInfo{29, "INDEX", 2, 4, true},
    FunctionInfo{30, "REPT", 2, 2, false},          FunctionInfo{31, "MID", 3, 3, false},
    FunctionInfo{32, "LEN", 1, 1, false},           FunctionInfo{33, "VALUE", 1, 1, false},
    FunctionInfo{34, "TRUE", 0, 0, false},          FunctionInfo{35, "FALSE", 0, 0, false},
    FunctionInfo{36, "AND", 1, kMany, true},        FunctionInfo{37, "OR", 1, kMany, true},
    FunctionInfo{38, "NOT", 1, 1, false},           FunctionInfo{39, "MOD", 2, 2, false},
    FunctionInfo{46, "VAR", 1, kMany, true},        FunctionInfo{48, "TEXT", 2, 2, false},
    FunctionInfo{56, "PV", 3, 5, false},            FunctionInfo{57, "FV", 3, 5, false},
    FunctionInfo{58, "NPER", 3, 5, false},          FunctionInfo{59, "PMT", 3, 5, false},
    FunctionInfo{60, "RATE", 3, 6, false},          FunctionInfo{63, "RAND", 0, 0, false},
    FunctionInfo{64, "MATCH", 2, 3, true},          FunctionInfo{65, "DATE", 3, 3, false},
    FunctionInfo{66, "TIME", 3, 3, false},          FunctionInfo{67, "DAY", 1, 1, false},
    FunctionInfo{68, "MONTH", 1, 1, false},         FunctionInfo{69, "YEAR", 1, 1, false},
    FunctionInfo{70, "WEEKDAY", 1, 2, false},       FunctionInfo{71, "HOUR", 1, 1, false},
    FunctionInfo{72, "MINUTE", 1, 1, false},        FunctionInfo{73, "SECOND", 1, 1, false},
    FunctionInfo{74, "NOW", 0, 0, false},           FunctionInfo{76, "ROWS", 1, 1, true},
    FunctionInfo{77, "COLUMNS", 1, 1, true},        FunctionInfo{78, "OFFSET", 3, 5, true},
    FunctionInfo{82, "SEARCH", 2, 3, false},        FunctionInfo{97, "ATAN2", 2, 2, false},
    FunctionInfo{98, "ASIN", 1, 1, false},          FunctionInfo{99, "ACOS", 1, 1, false},
    FunctionInfo{100, "CHOOSE", 2, kMany, false},   FunctionInfo{101, "HLOOKUP", 3, 4, true},
    FunctionInfo{102, "VLOOKUP", 3, 4, true},       FunctionInfo{109, "LOG", 1, 2, false},
    FunctionInfo{111, "CHAR", 1, 1, false},         FunctionInfo{112, "LOWER", 1, 1, false},
    FunctionInfo{113, "UPPER", 1, 1, false},        FunctionInfo{114, "PROPER", 1, 1, false},
    FunctionInfo{115, "LEFT", 1, 2, false},         FunctionInfo{116, "RIGHT", 1, 2, false},
    FunctionInfo{117, "EXACT", 2, 2, false},        FunctionInfo{118, "TRIM", 1, 1, false},
    FunctionInfo{119, "REPLACE", 4, 4, false},      FunctionInfo{120, "SUBSTITUTE", 3, 4, false},
    FunctionInfo{121, "CODE", 1, 1, false},         FunctionInfo{124, "FIND", 2, 3, false},
    FunctionInfo{126, "ISERR", 1, 1, false},        FunctionInfo{127, "ISTEXT", 1, 1, false},
    FunctionInfo{128, "ISNUMBER", 1, 1, false},     FunctionInfo{129, "ISBLANK", 1, 1, false},
    FunctionInfo{130, "T", 1, 1, false},            FunctionInfo{131, "N", 1, 1, false},
    FunctionInfo{148, "INDIRECT", 1, 2, false},     FunctionInfo{169, "COUNTA", 0, kMany, true},
    FunctionInfo{183, "PRODUCT", 0, kMany, true},   FunctionInfo{184, "FACT", 1, 1, false},
    FunctionInfo{197, "TRUNC", 1, 2, false},        FunctionInfo{212, "ROUNDUP", 2, 2, false},
    FunctionInfo{213, "ROUNDDOWN", 2, 2, false},    FunctionInfo{221, "TODAY", 0, 0, false},
    FunctionInfo{227, "MEDIAN", 1, kMany, true},    FunctionInfo{228, "SUMPRODUCT", 1, kMany, true},
    FunctionInfo{285, "FLOOR", 2, 2, false},        FunctionInfo{288, "CEILING", 2, 2, false},
    FunctionInfo{325, "LARGE", 2, 2, true},         FunctionInfo{326, "SMALL", 2, 2, true},
    FunctionInfo{336, "CONCATENATE", 0, kMany, false},
    FunctionInfo{337, "POWER", 2, 2, false},        FunctionInfo{342, "RADIANS", 1, 1, false},
    FunctionInfo{343, "DEGREES", 1, 1, false},      FunctionInfo{344, "SUBTOTAL", 2, kMany, true},
    FunctionInfo{345, "SUMIF", 2, 3, true},         FunctionInfo{346, "COUNTIF", 2, 2, true},
    FunctionInfo{347, "COUNTBLANK", 1, 1, true},
};

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) == y;
         });
}

}  // namespace

const FunctionInfo* FindFunction(std::uint16_t index) {
  const auto it = std::lower_bound(kFunctions.begin(), kFunctions.end(), index,
                                   [](const FunctionInfo& f, std::uint16_t i) { return f.index < i; });
  return it != kFunctions.end() && it->index == index ? &*it : nullptr;
}

const FunctionInfo* FindFunction(std::string_view name) {
  for (const FunctionInfo& f : kFunctions) {
    if (SameName(name, f.name)) return &f;
  }
  return nullptr;
}

}  // namespace quillora::engine
