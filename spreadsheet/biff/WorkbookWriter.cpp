// WriteWorkbook: the workbook globals, each sheet, then the compound file around them.
#include <algorithm>
#include <set>
#include <string>

#include "spreadsheet/biff/DrawingRecords.h"
#include "spreadsheet/biff/FormatRecords.h"
#include "spreadsheet/biff/NameRecords.h"
#include "spreadsheet/biff/RecordTypes.h"
#include "spreadsheet/biff/RecordWriter.h"
#include "spreadsheet/biff/SharedStrings.h"
#include "spreadsheet/biff/SheetWriter.h"
#include "spreadsheet/biff/WorkbookIO.h"
#include "spreadsheet/cfb/LittleEndian.h"

namespace quillora::engine {
namespace {

// The shared strings: every text cell's text once, in order of first use.
struct SharedStringTable {
  StringIndex index;
  std::vector<std::string_view> strings;
  std::uint32_t references = 0;
};

SharedStringTable CollectStrings(const Workbook& book) {
  SharedStringTable table;
  for (const Sheet& sheet : book.sheets) {
    if (sheet.opaque) continue;
    for (const auto& [at, cell] : sheet.cells) {
      const std::string* text = std::get_if<std::string>(&cell.value);
      if (!text || cell.formula) continue;
      ++table.references;
      if (table.index.emplace(*text, static_cast<std::uint32_t>(table.strings.size())).second)
        table.strings.push_back(*text);
    }
  }
  return table;
}

template <typename Encode>
void WriteOne(RecordWriter& writer, std::uint16_t type, std::vector<std::uint8_t>& data, Encode encode) {
  data.clear();
  encode(data);
  writer.Write(type, data);
}

}  // namespace

std::vector<std::uint8_t> WriteWorkbook(const Workbook& book) {
  std::vector<std::uint8_t> stream;
  stream.reserve(32 * 1024);
  RecordWriter writer(stream);
  std::vector<std::uint8_t> data;
  const auto& kept = book.kept;

  const DrawingOutput drawings = PrepareDrawings(book);
  // Anchors whose kept records have been written; the rest go before EOF.
  std::set<std::uint16_t> anchored;
  auto kept_after = [&](std::initializer_list<std::uint16_t> anchors) {
    WriteKept(writer, kept, anchors);
    anchored.insert(anchors.begin(), anchors.end());
  };
  auto flag = [&](std::uint16_t type, bool on) {
    WriteOne(writer, type, data, [&](auto& d) { Put16(d, on ? 1 : 0); });
    kept_after({type});
  };

  WriteBof(writer, 0x0005, book.bof);
  if (book.isTemplate) writer.Write(rt::kTemplate, {});
  kept_after({0, rt::kBof});
  WriteOne(writer, rt::kCodePage, data, [&](auto& d) { Put16(d, book.codePage); });
  kept_after({rt::kCodePage});
  if (book.protection) {
    flag(rt::kWindowProtect, book.protection->windows);
    flag(rt::kProtect, book.protection->structure);
    WriteOne(writer, rt::kPassword, data, [&](auto& d) { Put16(d, book.protection->password); });
    kept_after({rt::kPassword});
  }
  WriteOne(writer, rt::kWindow1, data, [&](auto& d) {
    const BookWindow& w = book.window;
    for (std::uint16_t v : {w.left, w.top, w.width, w.height, w.options, w.activeSheet, w.firstVisibleTab,
                            w.selectedTabs, w.tabRatio})
      Put16(d, v);
  });
  kept_after({rt::kWindow1});
  WriteOne(writer, rt::kDateMode, data, [&](auto& d) { Put16(d, book.date1904 ? 1 : 0); });
  kept_after({rt::kDateMode});
  if (book.fullPrecision) flag(rt::kPrecision, *book.fullPrecision);
  for (std::size_t i = 0; i < book.fonts.size(); ++i)
    if (i != 4) WriteOne(writer, rt::kFont, data, [&](auto& d) { EncodeFont(d, book.fonts[i]); });
  kept_after({rt::kFont});
  for (const auto& format : book.numberFormats)
    WriteOne(writer, rt::kFormat, data, [&](auto& d) { EncodeFormat(d, format.first, format.second); });
  kept_after({rt::kFormat});
  for (const CellFormat& xf : book.cellFormats) WriteOne(writer, rt::kXf, data, [&](auto& d) { EncodeXf(d, xf); });
  kept_after({rt::kXf});
  for (const CellStyle& style : book.styles) WriteOne(writer, rt::kStyle, data, [&](auto& d) { EncodeStyle(d, style); });
  kept_after({rt::kStyle});
  if (!book.palette.IsStandard()) WriteOne(writer, rt::kPalette, data, [&](auto& d) { EncodePalette(d, book.palette); });
  kept_after({rt::kPalette});
  std::vector<std::size_t> sheet_offset_fields;
  for (const Sheet& sheet : book.sheets) {
    sheet_offset_fields.push_back(writer.Position() + 4);
    WriteOne(writer, rt::kBoundSheet, data, [&](auto& d) {
      Put32(d, 0);
      Put8(d, static_cast<std::uint8_t>(sheet.visibility));
      Put8(d, sheet.boundType);
      PutUnicodeString(d, sheet.name, 1);
    });
  }
  kept_after({rt::kBoundSheet});
  if (!book.externSheets.empty()) {
    // 3-D references need the workbook's own SUPBOOK ahead of the EXTERNSHEET table.
    const bool has_supbook = std::any_of(kept.begin(), kept.end(), [](const KeptRecord& r) { return r.type == rt::kSupBook; });
    if (!has_supbook)
      WriteOne(writer, rt::kSupBook, data, [&](auto& d) {
        Put16(d, static_cast<std::uint16_t>(book.sheets.size()));
        Put16(d, 0x0401);
      });
    WriteOne(writer, rt::kExternSheet, data, [&](auto& d) { EncodeExternSheet(d, book.externSheets); });
  }
  kept_after({rt::kExternSheet});
  for (const DefinedName& name : book.names) WriteOne(writer, rt::kName, data, [&](auto& d) { EncodeName(d, name); });
  kept_after({rt::kName});
  if (!drawings.group.empty()) writer.Write(rt::kMsoDrawingGroup, drawings.group);
  const SharedStringTable strings = CollectStrings(book);
  WriteSharedStrings(writer, strings.strings, strings.references);
  kept_after({rt::kSst});
  for (const KeptRecord& record : kept)
    if (!anchored.count(record.after)) writer.WriteSegments(record.type, record.data, record.continues);
  writer.Write(rt::kEof, {});

  for (std::size_t s = 0; s < book.sheets.size(); ++s) {
    Store32(stream.data() + sheet_offset_fields[s], static_cast<std::uint32_t>(writer.Position()));
    WriteSheet(writer, book.sheets[s], strings.index, drawings.sheets[s]);
  }

  std::vector<CompoundStream> streams;
  streams.reserve(1 + book.otherStreams.size());
  streams.push_back({"Workbook", std::move(stream)});
  for (const CompoundStream& other : book.otherStreams) streams.push_back(other);
  return WriteCompoundFile(streams, book.otherStorages);
}

}  // namespace quillora::engine
