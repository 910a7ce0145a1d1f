#pragma once

// Resource paths of the files embedded into the program.
namespace quillora::resources {
inline constexpr const char* kApplicationIcon = ":/icon.png";
}
