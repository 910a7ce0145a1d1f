#pragma once
// Encoding and decoding of the records that describe cell formats: FONT, FORMAT, XF,
// STYLE and PALETTE.
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "spreadsheet/model/Workbook.h"

namespace quillora::engine {

Font DecodeFont(std::span<const std::uint8_t> data);
void EncodeFont(std::vector<std::uint8_t>& out, const Font& font);

std::pair<std::uint16_t, std::string> DecodeFormat(std::span<const std::uint8_t> data);
void EncodeFormat(std::vector<std::uint8_t>& out, std::uint16_t index, const std::string& code);

CellFormat DecodeXf(std::span<const std::uint8_t> data);
void EncodeXf(std::vector<std::uint8_t>& out, const CellFormat& xf);

CellStyle DecodeStyle(std::span<const std::uint8_t> data);
void EncodeStyle(std::vector<std::uint8_t>& out, const CellStyle& style);

void DecodePalette(std::span<const std::uint8_t> data, Palette& palette);
void EncodePalette(std::vector<std::uint8_t>& out, const Palette& palette);

}  // namespace quillora::engine
