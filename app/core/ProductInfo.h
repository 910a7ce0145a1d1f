#pragma once

// Fixed facts about the product that several windows and reports use.
namespace quillora {

inline constexpr const char* kProductName = "Quillora";
inline constexpr const char* kBuildStamp = "2021/08/31";

// The maker's addresses, kept in one place. They live under the reserved "example"
// domain until real ones exist.
inline constexpr const char* kHomePageAddress = "https://www.quillora.example/";
inline constexpr const char* kContactPageAddress = "https://www.quillora.example/contact";
inline constexpr const char* kSupportAddress = "support@quillora.example";

}  // namespace quillora
