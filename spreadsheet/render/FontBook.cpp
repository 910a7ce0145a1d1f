#include "spreadsheet/render/FontBook.h"

#include <QFile>
#include <QFontDatabase>
#include <QHash>
#include <mutex>

namespace quillora::render {
namespace {

// Look-alikes in order of preference, by lower-case font name.
struct Substitute {
  const char* name;
  std::initializer_list<const char*> families;
};
const Substitute kSubstitutes[] = {
    {"monotype corsiva", {"Z003", "URW Chancery L", "DejaVu Serif"}},
    {"tahoma", {"Tahoma", "DejaVu Sans"}},
    {"arial", {"Liberation Sans", "DejaVu Sans"}},
    {"times new roman", {"Liberation Serif", "DejaVu Serif"}},
    {"courier new", {"Liberation Mono", "DejaVu Sans Mono"}},
};

// The Tahoma clone ships in its own folder that fontconfig does not scan. Only its regular
// face is registered: the clone's bold face has no more ink than the regular one at screen
// sizes (only wider glyphs, and a gap after "/"), so bold Tahoma is the regular face
// emboldened by the font engine, which keeps the regular advances.
const char* const kPrivateFontFiles[] = {
    "/usr/share/wine/fonts/tahoma.ttf",
};

std::mutex& FamilyMutex() {
  static std::mutex mutex;
  return mutex;
}

QString ResolveFamily(const std::string& name) {
  const QString wanted = QString::fromStdString(name);
  if (QFontDatabase::hasFamily(wanted)) return wanted;
  const QString lower = wanted.toLower();
  for (const Substitute& substitute : kSubstitutes) {
    if (lower != QLatin1String(substitute.name)) continue;
    for (const char* family : substitute.families)
      if (QFontDatabase::hasFamily(QString::fromLatin1(family))) return QString::fromLatin1(family);
  }
  return wanted;  // Qt's own fallback chooses
}

// Pixel size of a height in twips at 96 dpi, rounded as the screen draws it (10 pt -> 13).
int PixelSize(std::uint16_t twips) { return std::max(1, (twips + 7) / 15); }

}  // namespace

void RegisterSubstituteFonts() {
  static std::once_flag once;
  std::call_once(once, [] {
    for (const char* path : kPrivateFontFiles)
      if (QFile::exists(QString::fromLatin1(path)))
        QFontDatabase::addApplicationFont(QString::fromLatin1(path));
  });
}

QString DrawnFamily(const std::string& name) {
  RegisterSubstituteFonts();
  static QHash<QString, QString> cache;
  const QString key = QString::fromStdString(name);
  std::lock_guard lock(FamilyMutex());
  if (auto found = cache.constFind(key); found != cache.cend()) return *found;
  const QString family = ResolveFamily(name);
  cache.insert(key, family);
  return family;
}

FontBook::FontBook(const engine::Workbook& workbook) {
  const std::vector<engine::Font> fallback{engine::Font{}};
  const std::vector<engine::Font>& fonts = workbook.fonts.empty() ? fallback : workbook.fonts;
  fonts_.reserve(fonts.size());
  metrics_.reserve(fonts.size());
  for (const engine::Font& font : fonts) {
    QFont qfont(DrawnFamily(font.name));
    qfont.setPixelSize(PixelSize(font.height));
    qfont.setWeight(font.Bold() ? QFont::Bold : QFont::Normal);
    qfont.setItalic(font.italic);
    qfont.setStrikeOut(font.strikeout);
    qfont.setUnderline(font.underline != 0);
    qfont.setKerning(false);
    fonts_.push_back(qfont);
    metrics_.emplace_back(qfont);
  }
  const engine::Font& standard = fonts.front();
  const bool arial10 = QString::fromStdString(standard.name).compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0 &&
                       standard.height == 200 && !standard.Bold();
  digitWidth_ = arial10 ? 7 : std::max(1, metrics_.front().horizontalAdvance(QLatin1Char('0')));
}

std::size_t FontBook::Slot(std::uint16_t index) const { return index < fonts_.size() ? index : 0; }
const QFont& FontBook::Font(std::uint16_t index) const { return fonts_[Slot(index)]; }
const QFontMetrics& FontBook::Metrics(std::uint16_t index) const { return metrics_[Slot(index)]; }

}  // namespace quillora::render
