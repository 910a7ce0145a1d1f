#include "resources/resources.h"

#include <QFile>
#include <stdexcept>
#include <string>

namespace quillora::resources {

std::vector<std::uint8_t> TemplateBytes() {
  QFile file(QString::fromLatin1(kTemplate));
  if (!file.open(QIODevice::ReadOnly))
    throw std::runtime_error(std::string("the embedded workbook template ") + kTemplate + " is missing from the program");
  const QByteArray bytes = file.readAll();
  return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace quillora::resources
