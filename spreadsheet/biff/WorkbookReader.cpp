// ReadWorkbook: the container, the workbook globals, then each sheet.
#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>

#include "spreadsheet/base/LittleEndian.h"
#include "spreadsheet/biff/BiffError.h"
#include "spreadsheet/biff/DrawingRecords.h"
#include "spreadsheet/biff/FormatRecords.h"
#include "spreadsheet/biff/NameRecords.h"
#include "spreadsheet/biff/RecordStream.h"
#include "spreadsheet/biff/RecordTypes.h"
#include "spreadsheet/biff/SharedStrings.h"
#include "spreadsheet/biff/SheetReader.h"
#include "spreadsheet/biff/WorkbookIO.h"
#include "spreadsheet/base/LittleEndian.h"

namespace quillora::engine {
namespace {

// Says what a file that is not a compound file is, when that can be told from its start.
[[noreturn]] void RefuseForeign(std::span<const std::uint8_t> file) {
  if (file.empty()) throw BiffError("The file is empty");
  if (file.size() >= 4 && std::memcmp(file.data(), "PK\x03\x04", 4) == 0)
    throw BiffError("Zip-based workbooks (.xlsx) are not supported; only BIFF8 .xls workbooks are");
  if (file.size() >= 4 && file[0] == 0x09 && (file[1] == 0x00 || file[1] == 0x02 || file[1] == 0x04 || file[1] == 0x08)) {
    const RecordView bof{static_cast<std::uint16_t>(file[0] | (file[1] << 8)), 0,
                         file.subspan(4, std::min<std::size_t>(Load16(file.data() + 2), file.size() - 4))};
    CheckBiffVersion(bof);  // names BIFF2/3/4/5 and throws
  }
  throw BiffError("The file is not an .xls workbook (no compound file signature)");
}

struct SheetEntry {
  std::uint32_t offset;
};

class GlobalsParser {
 public:
  GlobalsParser(const std::vector<RecordView>& records, Workbook& book) : records_(records), book_(book) {}

  void Run() {
    if (records_.empty()) throw BiffError("The workbook stream is empty");
    CheckBiffVersion(records_[0]);
    DataReader bof(records_[0].data, "BOF");
    bof.U16();
    if (bof.U16() != 0x0005) throw BiffError("The workbook is damaged: the workbook stream does not start with the workbook globals");
    if (bof.Remaining() >= 12) {
      book_.bof.build = bof.U16();
      book_.bof.year = bof.U16();
      book_.bof.history = bof.U32();
      book_.bof.lowestVersion = bof.U32();
    }
    for (std::size_t i = 1; i < records_.size(); ++i) {
      if (records_[i].type == rt::kEof) {
        ReadSheets();
        return;
      }
      i = Interpret(i);
    }
    throw BiffError("The workbook is damaged: the workbook globals have no end (truncated)");
  }

 private:
  std::size_t Interpret(std::size_t i) {
    const RecordView& r = records_[i];
    switch (r.type) {
      case rt::kFilePass: throw BiffError("Encrypted workbooks are not supported");
      case rt::kBof: CheckBiffVersion(r); throw BiffError("The workbook is damaged: a substream starts inside the workbook globals");
      case rt::kTemplate:  // no data; records kept around it stay anchored where they were
        book_.isTemplate = true;
        return i;
      case rt::kCodePage: book_.codePage = DataReader(r.data, "CODEPAGE").U16(); break;
      case rt::kDateMode: book_.date1904 = DataReader(r.data, "DATEMODE").U16() != 0; break;
      case rt::kWindow1: ReadWindow(r); break;
      case rt::kFont:
        book_.fonts.push_back(DecodeFont(r.data));
        if (book_.fonts.size() == 4) book_.fonts.push_back(book_.fonts[0]);  // index 4 is never stored
        break;
      case rt::kFormat: {
        auto [index, code] = DecodeFormat(r.data);
        book_.numberFormats[index] = std::move(code);
        break;
      }
      case rt::kXf: book_.cellFormats.push_back(DecodeXf(r.data)); break;
      case rt::kStyle: book_.styles.push_back(DecodeStyle(r.data)); break;
      case rt::kPalette: DecodePalette(r.data, book_.palette); break;
      case rt::kBoundSheet: ReadBoundSheet(r); break;
      case rt::kSst:
        strings_ = ReadSharedStrings(WithContinues(records_, i));
        break;
      case rt::kWindowProtect: Protection().windows = DataReader(r.data, "WINDOWPROTECT").U16() != 0; break;
      case rt::kProtect: Protection().structure = DataReader(r.data, "PROTECT").U16() != 0; break;
      case rt::kPassword: Protection().password = DataReader(r.data, "PASSWORD").U16(); break;
      case rt::kPrecision: book_.fullPrecision = DataReader(r.data, "PRECISION").U16() != 0; break;
      case rt::kExternSheet: {
        auto entries = DecodeExternSheet(WithContinues(records_, i));
        book_.externSheets.insert(book_.externSheets.end(), entries.begin(), entries.end());
        break;
      }
      case rt::kName: {
        std::vector<std::uint8_t> joined;
        for (auto segment : WithContinues(records_, i)) joined.insert(joined.end(), segment.begin(), segment.end());
        book_.names.push_back(DecodeName(joined));
        break;
      }
      case rt::kExtSst: anchor_ = rt::kSst; return i;
      case rt::kContinue: return i;  // part of an interpreted record
      default: return KeepRecord(records_, i, anchor_, book_.kept);
    }
    anchor_ = r.type;
    return i;
  }

  BookProtection& Protection() { return book_.protection ? *book_.protection : book_.protection.emplace(); }

  void ReadWindow(const RecordView& r) {
    DataReader in(r.data, "WINDOW1");
    BookWindow& w = book_.window;
    w.left = in.U16();
    w.top = in.U16();
    w.width = in.U16();
    w.height = in.U16();
    w.options = in.U16();
    w.activeSheet = in.U16();
    w.firstVisibleTab = in.U16();
    w.selectedTabs = in.U16();
    w.tabRatio = in.U16();
  }

  void ReadBoundSheet(const RecordView& r) {
    DataReader in(r.data, "BOUNDSHEET");
    Sheet sheet;
    offsets_.push_back(in.U32());
    sheet.visibility = static_cast<SheetVisibility>(in.U8() & 0x03);
    sheet.boundType = in.U8();
    sheet.name = in.UnicodeString(1);
    book_.sheets.push_back(std::move(sheet));
  }

  void ReadSheets() {
    std::unordered_map<std::size_t, std::size_t> by_offset;
    for (std::size_t i = 0; i < records_.size(); ++i)
      if (records_[i].type == rt::kBof) by_offset.emplace(records_[i].offset, i);
    for (std::size_t s = 0; s < book_.sheets.size(); ++s) {
      const auto found = by_offset.find(offsets_[s]);
      if (found == by_offset.end())
        throw BiffError("The workbook is damaged: sheet \"" + book_.sheets[s].name + "\" points at offset " +
                        std::to_string(offsets_[s]) + ", where no sheet starts");
      ReadSheet(records_, found->second, strings_, book_.sheets[s]);
    }
  }

  const std::vector<RecordView>& records_;
  Workbook& book_;
  std::vector<std::string> strings_;
  std::vector<std::uint32_t> offsets_;
  std::uint16_t anchor_ = 0;
};

// A workbook whose only SUPBOOK is its own internal-references one gets that record again
// from the writer whenever it has EXTERNSHEET entries, so the model does not keep it.
void DropInternalSupBook(Workbook& book) {
  if (book.externSheets.empty()) return;
  const auto is_supbook = [](const KeptRecord& r) { return r.type == rt::kSupBook; };
  const auto found = std::find_if(book.kept.begin(), book.kept.end(), is_supbook);
  if (found == book.kept.end() || std::count_if(book.kept.begin(), book.kept.end(), is_supbook) != 1) return;
  if (found->data.size() == 4 && Load16(found->data.data()) == book.sheets.size() &&
      Load16(found->data.data() + 2) == 0x0401 && found->continues.empty())
    book.kept.erase(found);
}

}  // namespace

Workbook ReadWorkbook(std::span<const std::uint8_t> file) {
  if (!HasCompoundFileSignature(file)) RefuseForeign(file);
  const CompoundFileReader container(file);
  Workbook book;
  std::optional<std::vector<std::uint8_t>> stream;
  for (const std::string& name : container.StreamNames()) {
    std::string upper = name;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; });
    if (upper == "WORKBOOK") {
      if (!stream) stream = container.ReadStream(name);
    } else if (upper == "BOOK" && !container.ReadStream("Workbook")) {
      throw BiffError("BIFF5 workbooks are not supported");
    } else if (!upper.empty()) {
      // Other streams (document properties and the like) are carried along unchanged.
      if (auto data = container.ReadStream(name)) book.otherStreams.push_back({name, std::move(*data)});
    }
  }
  // Storages (a macro project, data stores) and their streams are kept as read.
  book.otherStorages = container.Storages();
  for (CompoundStream& nested : container.NestedStreams()) book.otherStreams.push_back(std::move(nested));
  if (!stream) throw BiffError("The file holds no workbook (no Workbook stream)");
  const std::vector<RecordView> records = SplitRecords(*stream);
  GlobalsParser(records, book).Run();
  DropInternalSupBook(book);
  ModelDrawings(book);
  return book;
}

}  // namespace quillora::engine
