// Text helpers of the dialog manager and the preference store: the platform encoding's
// conversions (those of the text engine) and bounded copies into the plug-in's buffers.
#pragma once

#include <string>
#include <string_view>

#include "text/Encoding.h"

namespace standin::adm {

using text::platformToUtf8;
using text::utf8ToPlatform;

// Copies text into buffer (size bytes): at most size − 1 bytes, never half of a two-byte
// character, always terminated when size > 0. Answers true when all of text fitted.
bool copyBounded(std::string_view text, char* buffer, int size);

}  // namespace standin::adm
