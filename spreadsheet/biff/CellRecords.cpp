#include "spreadsheet/biff/CellRecords.h"

#include <type_traits>
#include <variant>

#include "spreadsheet/base/LittleEndian.h"
#include "spreadsheet/base/RkNumber.h"
#include "spreadsheet/biff/RecordTypes.h"
#include "spreadsheet/biff/SharedStrings.h"

namespace quillora::engine {
namespace {

void PutCellHeader(std::vector<std::uint8_t>& data, const CellAddress& at, std::uint16_t xf) {
  Put16(data, static_cast<std::uint16_t>(at.row));
  Put16(data, static_cast<std::uint16_t>(at.column));
  Put16(data, xf);
}

void PutFormulaResult(std::vector<std::uint8_t>& data, const Value& value) {
  const std::size_t start = data.size();
  if (const double* number = std::get_if<double>(&value)) {
    PutDouble(data, *number);
    return;
  }
  data.resize(start + 8, 0);
  data[start + 6] = data[start + 7] = 0xFF;
  if (std::holds_alternative<std::string>(value)) {
    data[start] = 0;
  } else if (const bool* flag = std::get_if<bool>(&value)) {
    data[start] = 1;
    data[start + 2] = *flag ? 1 : 0;
  } else if (const ErrorCode* error = std::get_if<ErrorCode>(&value)) {
    data[start] = 2;
    data[start + 2] = static_cast<std::uint8_t>(*error);
  } else {
    data[start] = 3;
  }
}

}  // namespace

void WriteCell(RecordWriter& writer, const CellAddress& at, const Cell& cell, const StringIndex& strings,
               std::vector<std::uint8_t>& data) {
  data.clear();
  PutCellHeader(data, at, cell.xf);
  if (cell.formula) {
    const Formula& f = *cell.formula;
    PutFormulaResult(data, cell.value);
    Put16(data, f.options);
    Put32(data, f.chain);
    Put16(data, static_cast<std::uint16_t>(f.tokens.size()));
    data.insert(data.end(), f.tokens.begin(), f.tokens.end());
    data.insert(data.end(), f.extra.begin(), f.extra.end());
    writer.Write(rt::kFormula, data);
    if (f.companion) writer.WriteSegments(f.companion->type, f.companion->data, f.companion->continues);
    if (const std::string* text = std::get_if<std::string>(&cell.value)) {
      ContinuedWriter string(writer, rt::kString);
      string.PutString(*text, 2);
      string.Finish();
    }
    return;
  }
  std::visit(
      [&](const auto& value) {
        using T = std::decay_t<decltype(value)>;
        if constexpr (std::is_same_v<T, std::monostate>) {
          writer.Write(rt::kBlank, data);
        } else if constexpr (std::is_same_v<T, double>) {
          if (const auto rk = EncodeRk(value)) {
            Put32(data, *rk);
            writer.Write(rt::kRk, data);
          } else {
            PutDouble(data, value);
            writer.Write(rt::kNumber, data);
          }
        } else if constexpr (std::is_same_v<T, std::string>) {
          Put32(data, strings.at(value));
          writer.Write(rt::kLabelSst, data);
        } else if constexpr (std::is_same_v<T, bool>) {
          Put8(data, value ? 1 : 0);
          Put8(data, 0);
          writer.Write(rt::kBoolErr, data);
        } else {
          Put8(data, static_cast<std::uint8_t>(value));
          Put8(data, 1);
          writer.Write(rt::kBoolErr, data);
        }
      },
      cell.value);
}

}  // namespace quillora::engine
