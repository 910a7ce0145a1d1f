// Syntax tree -> BIFF8 token bytes.
#include <cmath>

#include "spreadsheet/base/LittleEndian.h"
#include "spreadsheet/formula/Formula.h"
#include "spreadsheet/formula/FormulaAst.h"
#include "spreadsheet/formula/FormulaText.h"

namespace quillora::engine {
namespace {

using ast::Node;

enum class Context { Reference, Value };

class Emitter {
 public:
  std::vector<std::uint8_t> bytes;

  void Emit(const Node& n, Context context) {
    const std::uint8_t classOffset = context == Context::Value ? ptg::kValueClass : 0;
    switch (n.kind) {
      case Node::Kind::Number: EmitNumber(n.number); break;
      case Node::Kind::String:
        bytes.push_back(ptg::kStr);
        AppendBiffString(bytes, n.text);
        break;
      case Node::Kind::Boolean:
        bytes.push_back(ptg::kBool);
        bytes.push_back(n.boolean ? 1 : 0);
        break;
      case Node::Kind::Error:
        bytes.push_back(ptg::kErr);
        bytes.push_back(static_cast<std::uint8_t>(n.error));
        break;
      case Node::Kind::Missing: bytes.push_back(ptg::kMissArg); break;
      case Node::Kind::Ref:
        bytes.push_back(static_cast<std::uint8_t>((n.sheetRef ? ptg::kRef3d : ptg::kRef) + classOffset));
        if (n.sheetRef) U16(n.externSheet);
        U16(static_cast<std::uint16_t>(n.first.row));
        U16(CornerColumnField(n.first));
        break;
      case Node::Kind::Area:
        bytes.push_back(static_cast<std::uint8_t>((n.sheetRef ? ptg::kArea3d : ptg::kArea) + classOffset));
        if (n.sheetRef) U16(n.externSheet);
        U16(static_cast<std::uint16_t>(n.first.row));
        U16(static_cast<std::uint16_t>(n.last.row));
        U16(CornerColumnField(n.first));
        U16(CornerColumnField(n.last));
        break;
      case Node::Kind::Name:
        bytes.push_back(static_cast<std::uint8_t>(ptg::kName + classOffset));
        U16(n.nameIndex);
        U16(0);
        break;
      case Node::Kind::Unary:
        Emit(n.children[0], Context::Value);
        bytes.push_back(n.op);
        break;
      case Node::Kind::Binary: {
        const bool referenceOp = n.op == ptg::kRange || n.op == ptg::kIsect || n.op == ptg::kUnion;
        for (const Node& child : n.children) Emit(child, referenceOp ? Context::Reference : Context::Value);
        bytes.push_back(n.op);
        break;
      }
      case Node::Kind::Paren:
        Emit(n.children[0], context);
        bytes.push_back(ptg::kParen);
        break;
      case Node::Kind::Function: EmitFunction(n); break;
    }
  }

 private:
  void U16(std::uint16_t v) { Put16(bytes, v); }

  void EmitNumber(double value) {
    if (value >= 0 && value <= 65535 && value == std::floor(value)) {
      bytes.push_back(ptg::kInt);
      U16(static_cast<std::uint16_t>(value));
      return;
    }
    bytes.push_back(ptg::kNum);
    PutDouble(bytes, value);
  }

  void EmitFunction(const Node& n) {
    const FunctionInfo& f = *n.function;
    const Context argContext = f.referenceArgs ? Context::Reference : Context::Value;
    for (const Node& child : n.children) Emit(child, argContext);
    if (f.index == fn::kSum && n.children.size() == 1) {
      bytes.insert(bytes.end(), {ptg::kAttr, ptg::kAttrSum, 0, 0});
    } else if (f.FixedArity()) {
      bytes.push_back(ptg::kFunc + ptg::kValueClass);
      U16(f.index);
    } else {
      bytes.push_back(ptg::kFuncVar + ptg::kValueClass);
      bytes.push_back(static_cast<std::uint8_t>(n.children.size()));
      U16(f.index);
    }
  }
};

}  // namespace

std::vector<std::uint8_t> CompileFormula(std::string_view text, const ReferenceResolver& resolver) {
  const Node tree = ast::Parse(text, resolver);
  Emitter emitter;
  emitter.Emit(tree, Context::Value);
  if (emitter.bytes.size() > kMaxFormulaBytes) {
    throw FormulaError("formula is too long: " + std::to_string(emitter.bytes.size()) + " bytes of tokens");
  }
  return std::move(emitter.bytes);
}

}  // namespace quillora::engine
