#include "app/Skin.h"

#include <QWidget>
#include <stdexcept>
#include <string_view>

#include "app/Theme.h"
#include "app/core/SkinCheck.h"
#include "spreadsheet/base/ReadFile.h"

namespace quillora {

void SkinFramework::LoadSkin(const std::filesystem::path& path) {
  const std::vector<std::uint8_t> bytes = base::ReadWholeFile(path, base::kMaxTextFileBytes);
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  try {
    CheckSkinStyleSheet(text);
  } catch (const std::runtime_error& e) {
    throw std::runtime_error(path.string() + ": " + e.what());
  }
  styleSheet_ = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void SkinFramework::ApplyWindow(QWidget* window) const { window->setStyleSheet(styleSheet_); }

std::filesystem::path SkinFilePath(const std::filesystem::path& programFolder) {
  return programFolder / "x" / "o.cjs";
}

void ApplySkin(QWidget* window, SkinFramework& skin, const std::filesystem::path& programFolder) {
  const std::filesystem::path path = SkinFilePath(programFolder);
  std::error_code ignored;
  if (!std::filesystem::is_regular_file(path, ignored)) return;
  UseButtonFaceColour(window);
  const QColor face = ButtonFaceColour();
  for (QWidget* child : window->findChildren<QWidget*>()) {
    if (child->property(kPictureBoxProperty).toBool()) PaintBackground(child, face);
  }
  skin.LoadSkin(path);
  skin.ApplyWindow(window);
}

}  // namespace quillora
