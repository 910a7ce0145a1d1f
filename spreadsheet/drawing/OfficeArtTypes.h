#pragma once

#include <cstdint>

// Record types and property ids of the OfficeArt drawing records a workbook carries.
namespace quillora::engine::officeart {

inline constexpr std::uint16_t kDggContainer = 0xF000;
inline constexpr std::uint16_t kBStoreContainer = 0xF001;
inline constexpr std::uint16_t kDgContainer = 0xF002;
inline constexpr std::uint16_t kSpgrContainer = 0xF003;
inline constexpr std::uint16_t kSpContainer = 0xF004;
inline constexpr std::uint16_t kFdgg = 0xF006;
inline constexpr std::uint16_t kFbse = 0xF007;
inline constexpr std::uint16_t kFdg = 0xF008;
inline constexpr std::uint16_t kFspgr = 0xF009;
inline constexpr std::uint16_t kFsp = 0xF00A;
inline constexpr std::uint16_t kFopt = 0xF00B;
inline constexpr std::uint16_t kClientAnchor = 0xF010;
inline constexpr std::uint16_t kClientData = 0xF011;
inline constexpr std::uint16_t kBlipJpeg = 0xF01D;
inline constexpr std::uint16_t kBlipPng = 0xF01E;
inline constexpr std::uint16_t kSplitMenuColors = 0xF11E;

// Blip types (FBSE btWin32) and the blip record instances for one 16-byte uid; the
// instance one higher carries a second uid.
inline constexpr std::uint8_t kBlipTypeJpeg = 5;
inline constexpr std::uint8_t kBlipTypePng = 6;
inline constexpr std::uint16_t kJpegInstance = 0x46A;
inline constexpr std::uint16_t kPngInstance = 0x6E0;

// Shape type of a picture frame (FSP instance) and FSP flags.
inline constexpr std::uint16_t kShapePictureFrame = 75;
inline constexpr std::uint32_t kFspGroup = 0x001;
inline constexpr std::uint32_t kFspPatriarch = 0x004;
inline constexpr std::uint32_t kFspHaveAnchor = 0x200;
inline constexpr std::uint32_t kFspHaveSpt = 0x800;

// Property ids (without the blip-id and complex bits).
inline constexpr std::uint16_t kPropProtection = 0x007F;
inline constexpr std::uint16_t kPropTextBooleans = 0x00BF;
inline constexpr std::uint16_t kPropPib = 0x0104;
inline constexpr std::uint16_t kPropFillColor = 0x0181;
inline constexpr std::uint16_t kPropFillBooleans = 0x01BF;
inline constexpr std::uint16_t kPropLineColor = 0x01C0;
inline constexpr std::uint16_t kPropLineBooleans = 0x01FF;
inline constexpr std::uint16_t kPropName = 0x0380;
inline constexpr std::uint16_t kPropDescription = 0x0381;
inline constexpr std::uint16_t kPropGroupBooleans = 0x03BF;

// Each drawing owns a cluster of 1024 shape ids starting at drawingId * 1024.
inline constexpr std::uint32_t kShapeIdsPerCluster = 1024;

}  // namespace quillora::engine::officeart
