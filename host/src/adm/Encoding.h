// Text helpers of the dialog manager and the preference store: the text engine's platform
// encoding conversions and bounded copies, under the names the dialog manager's users know.
#pragma once

#include "text/Encoding.h"

namespace standin::adm {

using text::copyBounded;
using text::platformToUtf8;
using text::utf8ToPlatform;

}  // namespace standin::adm
