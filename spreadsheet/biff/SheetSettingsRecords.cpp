#include "spreadsheet/biff/SheetSettingsRecords.h"

#include "spreadsheet/base/LittleEndian.h"
#include "spreadsheet/biff/RecordStream.h"
#include "spreadsheet/biff/RecordTypes.h"
#include "spreadsheet/biff/RecordWriter.h"

namespace quillora::engine {

const std::vector<std::uint16_t> kSettingsBeforeRowHeight = {
    rt::kCalcMode, rt::kCalcCount, rt::kRefMode, rt::kIteration, rt::kDelta, rt::kSaveRecalc,
    rt::kPrintHeaders, rt::kPrintGridlines, rt::kGridSet};
const std::vector<std::uint16_t> kSettingsBeforeColumnWidth = {
    rt::kWsBool, rt::kHeader, rt::kFooter, rt::kHCenter, rt::kVCenter, rt::kLeftMargin, rt::kRightMargin,
    rt::kTopMargin, rt::kBottomMargin, rt::kSetup, rt::kProtect, rt::kScenProtect, rt::kObjProtect, rt::kPassword};
const std::vector<std::uint16_t> kSettingsAfterWindow = {rt::kScl, rt::kPane, rt::kSelection};
const std::vector<std::uint16_t> kSettingsAtEnd = {rt::kFeatHeader, rt::kFeat};

namespace {

// Shared-feature kind of the ignored formula errors.
constexpr std::uint16_t kFeatureFormulaErrors = 3;
// Future-record header: the record type, zero flags, eight reserved bytes.
constexpr std::size_t kFrtHeaderSize = 12;

void PutFrtHeader(std::vector<std::uint8_t>& out, std::uint16_t type) {
  Put16(out, type);
  out.resize(out.size() + 10, 0);
}

// Field of a one-flag record, for a const or mutable page setup.
template <typename Page>
auto FlagField(std::uint16_t type, Page& page) -> decltype(&page.printHeadings) {
  switch (type) {
    case rt::kPrintHeaders: return &page.printHeadings;
    case rt::kPrintGridlines: return &page.printGridlines;
    case rt::kGridSet: return &page.gridSet;
    case rt::kHCenter: return &page.centerHorizontally;
    case rt::kVCenter: return &page.centerVertically;
    default: return nullptr;
  }
}

template <typename Page>
auto MarginField(std::uint16_t type, Page& page) -> decltype(&page.leftMargin) {
  switch (type) {
    case rt::kLeftMargin: return &page.leftMargin;
    case rt::kRightMargin: return &page.rightMargin;
    case rt::kTopMargin: return &page.topMargin;
    case rt::kBottomMargin: return &page.bottomMargin;
    default: return nullptr;
  }
}

template <typename Page>
auto TextField(std::uint16_t type, Page& page) -> decltype(&page.header) {
  if (type == rt::kHeader) return &page.header;
  if (type == rt::kFooter) return &page.footer;
  return nullptr;
}

PrintSetup ReadSetup(DataReader& in) {
  PrintSetup s;
  s.paperSize = in.U16();
  s.scale = in.U16();
  s.firstPageNumber = in.U16();
  s.fitWidth = in.U16();
  s.fitHeight = in.U16();
  s.options = in.U16();
  s.resolution = in.U16();
  s.verticalResolution = in.U16();
  s.headerMargin = in.F64();
  s.footerMargin = in.F64();
  s.copies = in.U16();
  return s;
}

void PutSetup(std::vector<std::uint8_t>& out, const PrintSetup& s) {
  for (std::uint16_t v : {s.paperSize, s.scale, s.firstPageNumber, s.fitWidth, s.fitHeight, s.options, s.resolution,
                          s.verticalResolution})
    Put16(out, v);
  PutDouble(out, s.headerMargin);
  PutDouble(out, s.footerMargin);
  Put16(out, s.copies);
}

bool ReadCalc(std::uint16_t type, DataReader& in, Sheet& sheet) {
  switch (type) {
    case rt::kCalcMode: case rt::kCalcCount: case rt::kRefMode: case rt::kIteration: case rt::kDelta:
    case rt::kSaveRecalc: break;
    default: return false;
  }
  CalcSettings& calc = sheet.calculation ? *sheet.calculation : sheet.calculation.emplace();
  switch (type) {
    case rt::kCalcMode: calc.mode = static_cast<std::int16_t>(in.U16()); break;
    case rt::kCalcCount: calc.iterationCount = in.U16(); break;
    case rt::kRefMode: calc.a1References = in.U16() != 0; break;
    case rt::kIteration: calc.iteration = in.U16() != 0; break;
    case rt::kDelta: calc.maxChange = in.F64(); break;
    default: calc.recalcBeforeSave = in.U16() != 0; break;
  }
  return true;
}

bool ReadProtection(std::uint16_t type, DataReader& in, Sheet& sheet) {
  if (type != rt::kProtect && type != rt::kScenProtect && type != rt::kObjProtect && type != rt::kPassword) return false;
  SheetProtection& p = sheet.protection ? *sheet.protection : sheet.protection.emplace();
  const std::uint16_t value = in.U16();
  if (type == rt::kProtect) p.contents = value != 0;
  if (type == rt::kScenProtect) p.scenarios = value != 0;
  if (type == rt::kObjProtect) p.objects = value != 0;
  if (type == rt::kPassword) p.password = value;
  return true;
}

Selection ReadSelection(DataReader& in) {
  Selection s;
  s.pane = in.U8();
  s.active.row = in.U16();
  s.active.column = in.U16();
  s.activeRange = in.U16();
  const std::uint16_t count = in.U16();
  for (std::uint16_t k = 0; k < count; ++k) {
    CellRange range;
    range.rowFirst = in.U16();
    range.rowLast = in.U16();
    range.columnFirst = in.U8();
    range.columnLast = in.U8();
    s.ranges.push_back(range);
  }
  return s;
}

void PutSelection(std::vector<std::uint8_t>& out, const Selection& s) {
  Put8(out, s.pane);
  Put16(out, static_cast<std::uint16_t>(s.active.row));
  Put16(out, static_cast<std::uint16_t>(s.active.column));
  Put16(out, s.activeRange);
  const std::vector<CellRange> single{CellRange::Single(s.active)};
  const std::vector<CellRange>& ranges = s.ranges.empty() ? single : s.ranges;
  Put16(out, static_cast<std::uint16_t>(ranges.size()));
  for (const CellRange& r : ranges) {
    Put16(out, static_cast<std::uint16_t>(r.rowFirst));
    Put16(out, static_cast<std::uint16_t>(r.rowLast));
    Put8(out, static_cast<std::uint8_t>(r.columnFirst));
    Put8(out, static_cast<std::uint8_t>(r.columnLast));
  }
}

// FEATHEADR and FEAT of the formula-error kind; other kinds stay kept records.
bool ReadFeature(std::uint16_t type, std::span<const std::uint8_t> data, Sheet& sheet) {
  if (type != rt::kFeatHeader && type != rt::kFeat) return false;
  DataReader in(data, type == rt::kFeat ? "FEAT" : "FEATHEADR");
  in.Skip(kFrtHeaderSize);
  if (in.U16() != kFeatureFormulaErrors) return false;
  if (type == rt::kFeatHeader) return true;  // no header data for this kind
  in.Skip(1 + 4);
  const std::uint16_t count = in.U16();
  in.Skip(4 + 2);
  IgnoredErrors entry;
  for (std::uint16_t k = 0; k < count; ++k) {
    CellRange range;
    range.rowFirst = in.U16();
    range.rowLast = in.U16();
    range.columnFirst = in.U16();
    range.columnLast = in.U16();
    entry.ranges.push_back(range);
  }
  entry.flags = in.U32();
  sheet.ignoredErrors.push_back(std::move(entry));
  return true;
}

void PutFeature(std::vector<std::uint8_t>& out, const IgnoredErrors& entry) {
  PutFrtHeader(out, rt::kFeat);
  Put16(out, kFeatureFormulaErrors);
  Put8(out, 0);
  Put32(out, 0);
  Put16(out, static_cast<std::uint16_t>(entry.ranges.size()));
  Put32(out, 0);  // feature data size: the rest of the record
  Put16(out, 0);
  for (const CellRange& r : entry.ranges)
    for (int v : {r.rowFirst, r.rowLast, r.columnFirst, r.columnLast}) Put16(out, static_cast<std::uint16_t>(v));
  Put32(out, entry.flags);
}

}  // namespace

bool ReadSheetSetting(std::uint16_t type, std::span<const std::uint8_t> data, Sheet& sheet) {
  DataReader in(data, "sheet settings");
  PageSetup& page = sheet.pageSetup;
  if (ReadCalc(type, in, sheet) || ReadProtection(type, in, sheet)) return true;
  if (auto* flag = FlagField(type, page)) {
    *flag = in.U16() != 0;
  } else if (auto* margin = MarginField(type, page)) {
    *margin = in.F64();
  } else if (auto* text = TextField(type, page)) {
    *text = data.empty() ? std::string() : in.UnicodeString(2);
  } else if (type == rt::kSetup) {
    page.setup = ReadSetup(in);
  } else if (type == rt::kWsBool) {
    sheet.sheetOptions = in.U16();
  } else if (type == rt::kScl) {
    const std::uint16_t numerator = in.U16();
    sheet.zoom = std::make_pair(numerator, in.U16());
  } else if (type == rt::kPane) {
    Pane pane;
    pane.x = in.U16();
    pane.y = in.U16();
    pane.topRow = in.U16();
    pane.leftColumn = in.U16();
    pane.activePane = in.U8();
    sheet.pane = pane;
  } else if (type == rt::kSelection) {
    sheet.selections.push_back(ReadSelection(in));
  } else {
    return ReadFeature(type, data, sheet);
  }
  return true;
}

std::vector<std::vector<std::uint8_t>> EncodeSheetSetting(std::uint16_t type, const Sheet& sheet) {
  std::vector<std::vector<std::uint8_t>> out;
  auto one = [&]() -> std::vector<std::uint8_t>& { return out.emplace_back(); };
  const PageSetup& page = sheet.pageSetup;
  if (const auto* flag = FlagField(type, page)) {
    if (*flag) Put16(one(), **flag ? 1 : 0);
  } else if (const auto* margin = MarginField(type, page)) {
    if (*margin) PutDouble(one(), **margin);
  } else if (const auto* text = TextField(type, page)) {
    if (*text) {
      auto& data = one();
      if (!(*text)->empty()) PutUnicodeString(data, **text, 2);
    }
  } else if (sheet.calculation && (type == rt::kCalcMode || type == rt::kCalcCount || type == rt::kRefMode ||
                                   type == rt::kIteration || type == rt::kDelta || type == rt::kSaveRecalc)) {
    const CalcSettings& c = *sheet.calculation;
    auto& data = one();
    if (type == rt::kCalcMode) Put16(data, static_cast<std::uint16_t>(c.mode));
    if (type == rt::kCalcCount) Put16(data, c.iterationCount);
    if (type == rt::kRefMode) Put16(data, c.a1References ? 1 : 0);
    if (type == rt::kIteration) Put16(data, c.iteration ? 1 : 0);
    if (type == rt::kDelta) PutDouble(data, c.maxChange);
    if (type == rt::kSaveRecalc) Put16(data, c.recalcBeforeSave ? 1 : 0);
  } else if (sheet.protection && (type == rt::kProtect || type == rt::kScenProtect || type == rt::kObjProtect ||
                                  type == rt::kPassword)) {
    const SheetProtection& p = *sheet.protection;
    if (type == rt::kProtect) Put16(one(), p.contents ? 1 : 0);
    if (type == rt::kScenProtect && p.scenarios) Put16(one(), *p.scenarios ? 1 : 0);
    if (type == rt::kObjProtect && p.objects) Put16(one(), *p.objects ? 1 : 0);
    if (type == rt::kPassword && p.password) Put16(one(), *p.password);
  } else if (type == rt::kSetup && page.setup) {
    PutSetup(one(), *page.setup);
  } else if (type == rt::kWsBool && sheet.sheetOptions) {
    Put16(one(), *sheet.sheetOptions);
  } else if (type == rt::kScl && sheet.zoom) {
    auto& data = one();
    Put16(data, sheet.zoom->first);
    Put16(data, sheet.zoom->second);
  } else if (type == rt::kPane && sheet.pane) {
    auto& data = one();
    const Pane& p = *sheet.pane;
    for (std::uint16_t v : {p.x, p.y, p.topRow, p.leftColumn}) Put16(data, v);
    Put8(data, p.activePane);
    Put8(data, 0);
  } else if (type == rt::kSelection) {
    for (const Selection& s : sheet.selections) PutSelection(one(), s);
  } else if (type == rt::kFeatHeader && !sheet.ignoredErrors.empty()) {
    auto& data = one();
    PutFrtHeader(data, rt::kFeatHeader);
    Put16(data, kFeatureFormulaErrors);
    Put8(data, 1);
    Put32(data, 0xFFFFFFFFU);
  } else if (type == rt::kFeat) {
    for (const IgnoredErrors& entry : sheet.ignoredErrors) PutFeature(one(), entry);
  }
  return out;
}

}  // namespace quillora::engine
