#include "app/EngineCheck.h"

namespace quillora {

void RunSpreadsheetEngineCheck(AppContext& /*context*/) {}

}  // namespace quillora
