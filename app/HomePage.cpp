#include "app/HomePage.h"

#include <bit>
#include <cstdint>

#include "app/core/HomePageDraw.h"
#include "app/core/ProductInfo.h"

namespace quillora {

void VisitHomePageNowAndThen(AppContext& context) {
  context.random.seed(std::bit_cast<std::uint64_t>(context.clock.secondsSinceMidnight()));
  if (HomePageDraw(context.random.uniform()) == kHomePageNumber) {
    context.desktop.openUrl(QString::fromLatin1(kHomePageAddress));
  }
}

}  // namespace quillora
