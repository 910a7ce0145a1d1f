// Recursive-descent parser for A1 formula text. Precedence, loosest first: comparison, "&",
// "+ -", "* /", "^", postfix "%", prefix "+ -", then the reference operators ":" (range),
// " " (intersection) and, inside parentheses only, "," (union).
#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>

#include "spreadsheet/formula/FormulaAst.h"
#include "spreadsheet/formula/FormulaText.h"

namespace quillora::engine::ast {

bool Node::IsReference() const {
  switch (kind) {
    case Kind::Ref: case Kind::Area: case Kind::Name: return true;
    case Kind::Binary: return op == ptg::kRange || op == ptg::kIsect || op == ptg::kUnion;
    case Kind::Paren: return children.front().IsReference();
    default: return false;
  }
}

namespace {

constexpr int kMaxDepth = 128;
constexpr std::size_t kMaxTextLength = 8192;

bool IsIdentStart(char c) {
  const auto u = static_cast<unsigned char>(c);
  return std::isalpha(u) || c == '_' || c == '\\' || u >= 0x80;
}
bool IsIdentChar(char c) {
  const auto u = static_cast<unsigned char>(c);
  return std::isalnum(u) || c == '_' || c == '.' || c == '\\' || c == '?' || u >= 0x80;
}

Node Leaf(Node::Kind kind) {
  Node n;
  n.kind = kind;
  return n;
}

Node Operator(Node::Kind kind, std::uint8_t op, std::vector<Node> children) {
  Node n = Leaf(kind);
  n.op = op;
  n.children = std::move(children);
  return n;
}

class Parser {
 public:
  Parser(std::string_view text, const ReferenceResolver& resolver) : s_(text), resolver_(resolver) {}

  Node ParseFormula() {
    if (s_.size() > kMaxTextLength) {
      throw FormulaError("formula is longer than " + std::to_string(kMaxTextLength) + " characters");
    }
    SkipSpace();
    if (Peek() == '=') ++pos_;
    Node n = ParseComparison();
    SkipSpace();
    if (pos_ < s_.size()) Fail("unexpected '" + std::string(1, s_[pos_]) + "'");
    return n;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const {
    throw FormulaError("formula syntax: " + what + " at position " + std::to_string(pos_ + 1));
  }
  char Peek(std::size_t ahead = 0) const { return pos_ + ahead < s_.size() ? s_[pos_ + ahead] : '\0'; }
  bool SkipSpace() {
    const std::size_t start = pos_;
    while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\n' || s_[pos_] == '\r' || s_[pos_] == '\t')) ++pos_;
    return pos_ != start;
  }
  // Consumes blanks and the token when the token follows; otherwise consumes nothing (a blank
  // may be the intersection operator).
  bool Accept(std::string_view token) {
    const std::size_t start = pos_;
    SkipSpace();
    if (s_.substr(pos_, token.size()) != token) {
      pos_ = start;
      return false;
    }
    pos_ += token.size();
    return true;
  }

  struct Nesting {
    explicit Nesting(Parser& p) : p_(p) {
      if (++p_.depth_ > kMaxDepth) p_.Fail("formula nests deeper than " + std::to_string(kMaxDepth) + " levels");
    }
    ~Nesting() { --p_.depth_; }
    Parser& p_;
  };

  Node ParseComparison() {
    Node left = ParseConcat();
    for (;;) {
      std::uint8_t op = 0;
      if (Accept("<>")) op = ptg::kNe;
      else if (Accept("<=")) op = ptg::kLe;
      else if (Accept(">=")) op = ptg::kGe;
      else if (Accept("<")) op = ptg::kLt;
      else if (Accept(">")) op = ptg::kGt;
      else if (Accept("=")) op = ptg::kEq;
      else return left;
      std::vector<Node> operands;
      operands.push_back(std::move(left));
      operands.push_back(ParseConcat());
      left = Operator(Node::Kind::Binary, op, std::move(operands));
    }
  }

  // One left-associative level: operators (text, token) over the next-tighter level.
  template <typename Next>
  Node ParseLevel(std::initializer_list<std::pair<char, std::uint8_t>> ops, Next next) {
    Node left = (this->*next)();
    for (;;) {
      SkipSpace();
      std::uint8_t op = 0;
      for (const auto& [c, token] : ops) {
        if (Peek() == c) op = token;
      }
      if (op == 0) return left;
      ++pos_;
      std::vector<Node> operands;
      operands.push_back(std::move(left));
      operands.push_back((this->*next)());
      left = Operator(Node::Kind::Binary, op, std::move(operands));
    }
  }

  Node ParseConcat() { return ParseLevel({{'&', ptg::kConcat}}, &Parser::ParseAdditive); }
  Node ParseAdditive() { return ParseLevel({{'+', ptg::kAdd}, {'-', ptg::kSub}}, &Parser::ParseMultiplicative); }
  Node ParseMultiplicative() { return ParseLevel({{'*', ptg::kMul}, {'/', ptg::kDiv}}, &Parser::ParsePower); }
  Node ParsePower() { return ParseLevel({{'^', ptg::kPower}}, &Parser::ParsePercent); }

  Node ParsePercent() {
    Node n = ParseUnary();
    while (Accept("%")) {
      std::vector<Node> operand;
      operand.push_back(std::move(n));
      n = Operator(Node::Kind::Unary, ptg::kPercent, std::move(operand));
    }
    return n;
  }

  Node ParseUnary() {
    Nesting guard(*this);
    SkipSpace();
    if (Peek() == '-' || Peek() == '+') {
      const std::uint8_t op = Peek() == '-' ? ptg::kUminus : ptg::kUplus;
      ++pos_;
      std::vector<Node> operand;
      operand.push_back(ParseUnary());
      return Operator(Node::Kind::Unary, op, std::move(operand));
    }
    return ParseIntersection();
  }

  Node ParseIntersection() {
    Node left = ParseRange();
    for (;;) {
      const std::size_t before = pos_;
      const bool spaced = SkipSpace();
      const char c = Peek();
      if (!spaced || !left.IsReference() || !(IsIdentStart(c) || c == '$' || c == '\'' || c == '(')) {
        pos_ = before;
        return left;
      }
      std::vector<Node> operands;
      operands.push_back(std::move(left));
      operands.push_back(ParseRange());
      if (!operands.back().IsReference()) Fail("intersection needs references on both sides");
      left = Operator(Node::Kind::Binary, ptg::kIsect, std::move(operands));
    }
  }

  Node ParseRange() {
    Node left = ParsePrimary();
    while (Accept(":")) {
      if (!left.IsReference()) Fail("':' needs references on both sides");
      std::vector<Node> operands;
      operands.push_back(std::move(left));
      operands.push_back(ParsePrimary());
      if (!operands.back().IsReference()) Fail("':' needs references on both sides");
      left = Operator(Node::Kind::Binary, ptg::kRange, std::move(operands));
    }
    return left;
  }

  Node ParsePrimary() {
    Nesting guard(*this);
    SkipSpace();
    const char c = Peek();
    if (c == '\0') Fail("formula ends early");
    if (c == '(') return ParseParenthesised();
    if (c == '"') return ParseString();
    if (c == '#') return ParseError();
    if (c == '{') Fail("array constants are not supported");
    if (c == '\'') return ParseSheetReference(ParseQuotedSheet());
    if (std::optional<Node> ref = MatchReference()) return *ref;
    if (std::isdigit(static_cast<unsigned char>(c)) || c == '.') return ParseNumber();
    if (IsIdentStart(c)) return ParseIdentifier();
    Fail("unexpected '" + std::string(1, c) + "'");
  }

  Node ParseParenthesised() {
    ++pos_;
    Node inner = ParseComparison();
    while (Accept(",")) {
      if (!inner.IsReference()) Fail("',' outside a function call joins references only");
      std::vector<Node> operands;
      operands.push_back(std::move(inner));
      operands.push_back(ParseComparison());
      if (!operands.back().IsReference()) Fail("',' outside a function call joins references only");
      inner = Operator(Node::Kind::Binary, ptg::kUnion, std::move(operands));
    }
    if (!Accept(")")) Fail("missing ')'");
    std::vector<Node> operand;
    operand.push_back(std::move(inner));
    return Operator(Node::Kind::Paren, 0, std::move(operand));
  }

  Node ParseString() {
    Node n = Leaf(Node::Kind::String);
    ++pos_;
    for (;;) {
      if (pos_ >= s_.size()) Fail("text without its closing '\"'");
      if (s_[pos_] == '"') {
        if (Peek(1) != '"') break;
        ++pos_;
      }
      n.text += s_[pos_++];
    }
    ++pos_;
    return n;
  }

  Node ParseError() {
    for (std::size_t len : {7u, 6u, 4u}) {
      if (auto code = ErrorFromText(s_.substr(pos_, len))) {
        pos_ += ErrorText(*code).size();
        Node n = Leaf(Node::Kind::Error);
        n.error = *code;
        return n;
      }
    }
    Fail("unknown error value");
  }

  Node ParseNumber() {
    const std::size_t start = pos_;
    auto digits = [&] {
      while (std::isdigit(static_cast<unsigned char>(Peek()))) ++pos_;
    };
    digits();
    if (Peek() == '.') {
      ++pos_;
      digits();
    }
    if ((Peek() == 'e' || Peek() == 'E') &&
        (std::isdigit(static_cast<unsigned char>(Peek(1))) ||
         ((Peek(1) == '+' || Peek(1) == '-') && std::isdigit(static_cast<unsigned char>(Peek(2)))))) {
      pos_ += 2;
      digits();
    }
    Node n = Leaf(Node::Kind::Number);
    const auto [end, ec] = std::from_chars(s_.data() + start, s_.data() + pos_, n.number);
    if (ec != std::errc() || end != s_.data() + pos_ || !std::isfinite(n.number)) {
      pos_ = start;
      Fail("number out of range or malformed");
    }
    return n;
  }

  // Cell, area, whole-column or whole-row reference at the current position, if one is there.
  std::optional<Node> MatchReference() {
    const std::size_t start = pos_;
    if (auto first = MatchCell()) {
      if (Peek() == ':') {
        const std::size_t colon = pos_++;
        if (auto last = MatchCell()) return Area(*first, *last);
        pos_ = colon;
      }
      Node n = Leaf(Node::Kind::Ref);
      n.first = n.last = *first;
      return n;
    }
    for (bool columns : {true, false}) {
      pos_ = start;
      if (auto first = MatchLine(columns, false); first && Peek() == ':') {
        ++pos_;
        if (auto last = MatchLine(columns, true)) return Area(*first, *last);
      }
    }
    pos_ = start;
    return std::nullopt;
  }

  static Node Area(RefCorner a, RefCorner b) {
    Node n = Leaf(Node::Kind::Area);
    if (a.row > b.row) {
      std::swap(a.row, b.row);
      std::swap(a.rowRelative, b.rowRelative);
    }
    if (a.column > b.column) {
      std::swap(a.column, b.column);
      std::swap(a.columnRelative, b.columnRelative);
    }
    n.first = a;
    n.last = b;
    return n;
  }

  bool EndOfReference() const {
    const char c = Peek();
    return !IsIdentChar(c) && c != '(' && c != '!' && c != '$';
  }

  std::optional<RefCorner> MatchCell() {
    const std::size_t start = pos_;
    const auto cell = ReadA1Cell(s_, pos_);
    if (!cell || !EndOfReference()) {
      pos_ = start;
      return std::nullopt;
    }
    return RefCorner{cell->row, cell->column, !cell->rowAbsolute, !cell->columnAbsolute};
  }

  // A whole column ("$A") or row ("$6") as one corner of a whole-column or whole-row area.
  std::optional<RefCorner> MatchLine(bool column, bool end) {
    bool absolute = false;
    const auto value = column ? ReadA1Column(s_, pos_, absolute) : ReadA1Row(s_, pos_, absolute);
    if (!value || !EndOfReference()) return std::nullopt;
    // The other dimension spans the whole sheet, as absolute parts.
    RefCorner corner{0, 0, false, false};
    if (column) {
      corner.column = *value;
      corner.columnRelative = !absolute;
      corner.row = end ? kLastRow : 0;
    } else {
      corner.row = *value;
      corner.rowRelative = !absolute;
      corner.column = end ? kLastColumn : 0;
    }
    return corner;
  }

  Node ParseIdentifier() {
    const std::size_t start = pos_;
    while (IsIdentChar(Peek())) ++pos_;
    const std::string_view word = s_.substr(start, pos_ - start);
    if (Peek() == '(') return ParseFunction(word);
    if (Peek() == '!') return ParseSheetReference(SheetNames{std::string(word), std::string(word)});
    if (Peek() == ':') {
      // "First:Last!A1"
      const std::size_t colon = pos_++;
      const std::size_t second = pos_;
      while (IsIdentChar(Peek())) ++pos_;
      if (pos_ > second && Peek() == '!') {
        return ParseSheetReference(SheetNames{std::string(word), std::string(s_.substr(second, pos_ - second))});
      }
      pos_ = colon;
    }
    std::string upper(word);
    for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    if (upper == "TRUE" || upper == "FALSE") {
      Node n = Leaf(Node::Kind::Boolean);
      n.boolean = upper == "TRUE";
      return n;
    }
    const auto index = resolver_.NameIndex(word);
    if (!index) {
      pos_ = start;
      Fail("unknown name '" + std::string(word) + "'");
    }
    Node n = Leaf(Node::Kind::Name);
    n.nameIndex = *index;
    return n;
  }

  Node ParseFunction(std::string_view word) {
    const FunctionInfo* info = FindFunction(word);
    if (info == nullptr) Fail("unknown function '" + std::string(word) + "'");
    ++pos_;  // "("
    Node n = Leaf(Node::Kind::Function);
    n.function = info;
    if (!Accept(")")) {
      for (;;) {
        SkipSpace();
        if (Peek() == ',' || Peek() == ')') {
          n.children.push_back(Leaf(Node::Kind::Missing));
        } else {
          n.children.push_back(ParseComparison());
        }
        if (Accept(",")) continue;
        if (Accept(")")) break;
        Fail("expected ',' or ')' in the arguments of " + std::string(info->name));
      }
    }
    if (n.children.size() < info->minArgs || n.children.size() > info->maxArgs) {
      Fail(std::string(info->name) + " takes " + std::to_string(info->minArgs) +
           (info->FixedArity() ? "" : " to " + std::to_string(info->maxArgs)) + " arguments, not " +
           std::to_string(n.children.size()));
    }
    return n;
  }

  SheetNames ParseQuotedSheet() {
    ++pos_;
    std::string name;
    for (;;) {
      if (pos_ >= s_.size()) Fail("sheet name without its closing quote");
      if (s_[pos_] == '\'') {
        if (Peek(1) != '\'') break;
        ++pos_;
      }
      name += s_[pos_++];
    }
    ++pos_;
    if (Peek() != '!') Fail("expected '!' after a quoted sheet name");
    const auto colon = name.find(':');
    if (colon == std::string::npos) return SheetNames{name, name};
    return SheetNames{name.substr(0, colon), name.substr(colon + 1)};
  }

  Node ParseSheetReference(const SheetNames& sheets) {
    ++pos_;  // "!"
    const auto index = resolver_.ExternSheetIndex(sheets.first, sheets.last);
    if (!index) Fail("unknown sheet '" + sheets.first + (sheets.first == sheets.last ? "" : ":" + sheets.last) + "'");
    std::optional<Node> ref = MatchReference();
    if (!ref) Fail("expected a cell reference after the sheet name");
    ref->sheetRef = true;
    ref->externSheet = *index;
    return *ref;
  }

  std::string_view s_;
  const ReferenceResolver& resolver_;
  std::size_t pos_ = 0;
  int depth_ = 0;
};

}  // namespace

Node Parse(std::string_view text, const ReferenceResolver& resolver) {
  return Parser(text, resolver).ParseFormula();
}

}  // namespace quillora::engine::ast
