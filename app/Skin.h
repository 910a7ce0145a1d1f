#pragma once

#include <QString>
#include <filesystem>

class QWidget;

namespace quillora {

// The dynamic property that marks a picture box (a plain drawing surface); ApplySkin
// recolours picture boxes, UseButtonFaceColour leaves them alone.
inline constexpr const char* kPictureBoxProperty = "pictureBox";

// The skin engine: a skin file is a Qt style sheet, checked before it is used.
class SkinFramework {
 public:
  // Reads and checks the skin; throws std::runtime_error with the path and the reason.
  void LoadSkin(const std::filesystem::path& path);
  // Gives `window` the loaded skin's look.
  void ApplyWindow(QWidget* window) const;
  const QString& styleSheet() const { return styleSheet_; }

 private:
  QString styleSheet_;
};

// The skin file beside the program: <programFolder>/x/o.cjs.
std::filesystem::path SkinFilePath(const std::filesystem::path& programFolder);

// When the skin file exists, switches the window, its frames, labels, option buttons,
// check boxes and picture boxes to the button-face colour, then loads and applies the
// skin. Without the file nothing changes. A skin that cannot be read or parsed throws
// after the colours have changed.
void ApplySkin(QWidget* window, SkinFramework& skin, const std::filesystem::path& programFolder);

}  // namespace quillora
