#pragma once
// NAME and EXTERNSHEET records to and from the model.
#include <cstdint>
#include <span>
#include <vector>

#include "spreadsheet/model/DefinedName.h"

namespace quillora::engine {

// Decodes a NAME record (CONTINUE segments joined). Throws BiffError when it is too short.
DefinedName DecodeName(std::span<const std::uint8_t> data);
void EncodeName(std::vector<std::uint8_t>& out, const DefinedName& name);

// Decodes an EXTERNSHEET record (CONTINUE segments given separately).
std::vector<ExternSheet> DecodeExternSheet(std::vector<std::span<const std::uint8_t>> segments);
void EncodeExternSheet(std::vector<std::uint8_t>& out, const std::vector<ExternSheet>& entries);

}  // namespace quillora::engine
