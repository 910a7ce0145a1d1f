#pragma once
// A desktop for benchmarks: boxes are counted and answered OK, nothing else happens.
#include "app/Desktop.h"

namespace quillora::bench {

class SilentDesktop final : public Desktop {
 public:
  MessageAnswer showMessage(const QString&, const QString&, MessageButtons, MessageIcon) override {
    ++reports;
    return MessageAnswer::Ok;
  }
  QString askSaveFileName(const SaveFileRequest&) override { return {}; }
  void openUrl(const QString&) override {}
  void endProgram() override {}
  int reports = 0;
};

}  // namespace quillora::bench
