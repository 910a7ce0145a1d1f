#pragma once
// The embedded template as the engine reads it, and cell lookup by sheet row and column letter.
#include <gtest/gtest.h>

#include <string>

#include "resources/resources.h"
#include "spreadsheet/biff/WorkbookIO.h"
#include "spreadsheet/dump/Dump.h"

namespace quillora::testing {

inline const engine::Workbook& EmbeddedTemplate() {
  static const engine::Workbook book = engine::ReadWorkbook(resources::TemplateBytes());
  return book;
}

inline const engine::Sheet& TemplateSheet() { return EmbeddedTemplate().sheets.at(0); }

// Zero-based address of column letter `column` (A..C) and sheet row `row` (from 1).
inline engine::CellAddress At(char column, int row) { return {row - 1, column - 'A'}; }

// The cell, or a test failure naming it.
inline const engine::Cell* FindCell(char column, int row) {
  const auto& cells = TemplateSheet().cells;
  const auto found = cells.find(At(column, row));
  if (found == cells.end()) {
    ADD_FAILURE() << "no cell " << engine::CellName(At(column, row));
    return nullptr;
  }
  return &found->second;
}

}  // namespace quillora::testing
