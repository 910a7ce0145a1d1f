#pragma once
// The workbook's fonts as Qt fonts at 96 dpi, with installed look-alikes for fonts this
// machine lacks. Built once per drawing; family look-ups are cached for the process.
#include <QFont>
#include <QFontMetrics>
#include <QString>
#include <vector>

#include "spreadsheet/model/Workbook.h"

namespace quillora::render {

// Registers the bundled-elsewhere fonts the substitutes need (the Tahoma clone that is not
// known to fontconfig). Safe to call often; the work happens once per process.
void RegisterSubstituteFonts();

// The family drawn for a font name: the font itself when installed, else its look-alike
// (Monotype Corsiva -> Z003, Tahoma -> the Tahoma clone or DejaVu Sans, Arial -> Liberation
// Sans, Times New Roman -> Liberation Serif, Courier New -> Liberation Mono).
QString DrawnFamily(const std::string& name);

class FontBook {
 public:
  explicit FontBook(const engine::Workbook& workbook);

  // Font of a workbook font index (font 0 for an unknown index) and its metrics.
  const QFont& Font(std::uint16_t index) const;
  const QFontMetrics& Metrics(std::uint16_t index) const;
  // Width of the standard font's digit zero: 7 for Arial 10, else measured.
  int DigitWidth() const { return digitWidth_; }

 private:
  std::size_t Slot(std::uint16_t index) const;
  std::vector<QFont> fonts_;
  std::vector<QFontMetrics> metrics_;
  int digitWidth_ = 7;
};

}  // namespace quillora::render
