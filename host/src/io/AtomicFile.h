// Writing a whole file so that a failure never leaves half of it: the text goes to a
// temporary file beside the target, which then replaces the target by a rename.
#pragma once

#include <string>
#include <string_view>

namespace standin::io {

bool writeFileAtomically(const std::string& path, std::string_view text, std::string& error);

// The whole content of a file; false with `error` set when it cannot be read.
bool readWholeFile(const std::string& path, std::string& text, std::string& error);

}  // namespace standin::io
