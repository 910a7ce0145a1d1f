// WriteWorkbook: the workbook globals, each sheet, then the compound file around them.
#include <algorithm>
#include <string>

#include "spreadsheet/base/LittleEndian.h"
#include "spreadsheet/biff/DrawingRecords.h"
#include "spreadsheet/biff/FormatRecords.h"
#include "spreadsheet/biff/KeptPlacement.h"
#include "spreadsheet/biff/NameRecords.h"
#include "spreadsheet/biff/RecordTypes.h"
#include "spreadsheet/biff/RecordWriter.h"
#include "spreadsheet/biff/SharedStrings.h"
#include "spreadsheet/biff/SheetWriter.h"
#include "spreadsheet/biff/WorkbookIO.h"

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

// The workbook globals substream, written record group by record group in the order the
// file holds them, each group followed by the kept records anchored to it.
class GlobalsStream {
 public:
  GlobalsStream(RecordWriter& writer, const Workbook& book, const DrawingOutput& drawings,
                const SharedStringTable& strings)
      : writer_(writer), book_(book), drawings_(drawings), strings_(strings), kept_(writer, book.kept) {}

  void Write() {
    WriteBof(writer_, 0x0005, book_.bof);
    if (book_.isTemplate) writer_.Write(rt::kTemplate, {});
    kept_.After({0, rt::kBof});
    One(rt::kCodePage, [&](auto& d) { Put16(d, book_.codePage); });
    kept_.After({rt::kCodePage});
    Protection();
    Window1();
    kept_.After({rt::kWindow1});
    One(rt::kDateMode, [&](auto& d) { Put16(d, book_.date1904 ? 1 : 0); });
    kept_.After({rt::kDateMode});
    if (book_.fullPrecision) Flag(rt::kPrecision, *book_.fullPrecision);
    Fonts();
    kept_.After({rt::kFont});
    for (const auto& format : book_.numberFormats)
      One(rt::kFormat, [&](auto& d) { EncodeFormat(d, format.first, format.second); });
    kept_.After({rt::kFormat});
    for (const CellFormat& xf : book_.cellFormats) One(rt::kXf, [&](auto& d) { EncodeXf(d, xf); });
    kept_.After({rt::kXf});
    for (const CellStyle& style : book_.styles) One(rt::kStyle, [&](auto& d) { EncodeStyle(d, style); });
    kept_.After({rt::kStyle});
    if (!book_.palette.IsStandard()) One(rt::kPalette, [&](auto& d) { EncodePalette(d, book_.palette); });
    kept_.After({rt::kPalette});
    BoundSheets();
    kept_.After({rt::kBoundSheet});
    ExternSheets();
    kept_.After({rt::kExternSheet});
    for (const DefinedName& name : book_.names) One(rt::kName, [&](auto& d) { EncodeName(d, name); });
    kept_.After({rt::kName});
    if (!drawings_.group.empty()) writer_.Write(rt::kMsoDrawingGroup, drawings_.group);
    WriteSharedStrings(writer_, strings_.strings, strings_.references);
    kept_.After({rt::kSst});
    kept_.Rest();
    writer_.Write(rt::kEof, {});
  }

  // Where each BOUNDSHEET's stream-position field lies, in sheet order.
  const std::vector<std::size_t>& SheetOffsetFields() const { return sheetOffsetFields_; }

 private:
  template <typename Encode>
  void One(std::uint16_t type, Encode encode) {
    WriteOne(writer_, type, data_, encode);
  }

  // A record holding one on/off word, followed by its kept records.
  void Flag(std::uint16_t type, bool on) {
    One(type, [&](auto& d) { Put16(d, on ? 1 : 0); });
    kept_.After({type});
  }

  void Protection() {
    if (!book_.protection) return;
    Flag(rt::kWindowProtect, book_.protection->windows);
    Flag(rt::kProtect, book_.protection->structure);
    One(rt::kPassword, [&](auto& d) { Put16(d, book_.protection->password); });
    kept_.After({rt::kPassword});
  }

  void Window1() {
    One(rt::kWindow1, [&](auto& d) {
      const BookWindow& w = book_.window;
      for (std::uint16_t v :
           {w.left, w.top, w.width, w.height, w.options, w.activeSheet, w.firstVisibleTab, w.selectedTabs, w.tabRatio})
        Put16(d, v);
    });
  }

  // Font index 4 does not exist in the file: the model keeps a placeholder there.
  void Fonts() {
    for (std::size_t i = 0; i < book_.fonts.size(); ++i)
      if (i != 4) One(rt::kFont, [&](auto& d) { EncodeFont(d, book_.fonts[i]); });
  }

  void BoundSheets() {
    for (const Sheet& sheet : book_.sheets) {
      sheetOffsetFields_.push_back(writer_.Position() + 4);
      One(rt::kBoundSheet, [&](auto& d) {
        Put32(d, 0);
        Put8(d, static_cast<std::uint8_t>(sheet.visibility));
        Put8(d, sheet.boundType);
        PutUnicodeString(d, sheet.name, 1);
      });
    }
  }

  void ExternSheets() {
    if (book_.externSheets.empty()) return;
    // 3-D references need the workbook's own SUPBOOK ahead of the EXTERNSHEET table.
    const auto& kept = book_.kept;
    const bool has_supbook =
        std::any_of(kept.begin(), kept.end(), [](const KeptRecord& r) { return r.type == rt::kSupBook; });
    if (!has_supbook)
      One(rt::kSupBook, [&](auto& d) {
        Put16(d, static_cast<std::uint16_t>(book_.sheets.size()));
        Put16(d, 0x0401);
      });
    One(rt::kExternSheet, [&](auto& d) { EncodeExternSheet(d, book_.externSheets); });
  }

  RecordWriter& writer_;
  const Workbook& book_;
  const DrawingOutput& drawings_;
  const SharedStringTable& strings_;
  KeptPlacement kept_;
  std::vector<std::uint8_t> data_;
  std::vector<std::size_t> sheetOffsetFields_;
};

}  // namespace

std::vector<std::uint8_t> WriteWorkbook(const Workbook& book) {
  std::vector<std::uint8_t> stream;
  stream.reserve(32 * 1024);
  RecordWriter writer(stream);
  const DrawingOutput drawings = PrepareDrawings(book);
  const SharedStringTable strings = CollectStrings(book);

  GlobalsStream globals(writer, book, drawings, strings);
  globals.Write();
  for (std::size_t s = 0; s < book.sheets.size(); ++s) {
    Store32(stream.data() + globals.SheetOffsetFields()[s], static_cast<std::uint32_t>(writer.Position()));
    WriteSheet(writer, book.sheets[s], strings.index, drawings.sheets[s]);
  }

  std::vector<CompoundStream> streams;
  streams.reserve(1 + book.otherStreams.size());
  streams.push_back({"Workbook", std::move(stream)});
  for (const CompoundStream& other : book.otherStreams) streams.push_back(other);
  return WriteCompoundFile(streams, book.otherStorages);
}

}  // namespace quillora::engine
