#pragma once

#include "app/AppContext.h"

namespace quillora {

// About one start in a hundred opens the maker's home page: seeds the random source from
// the clock, draws r in 1..100 and opens the page through the desktop when r is 7.
void VisitHomePageNowAndThen(AppContext& context);

}  // namespace quillora
