// Writing a whole file so that a failure never leaves half of it: the text goes to a
// temporary file beside the target, which then replaces the target by a rename.
#pragma once

#include <string>
#include <string_view>

namespace standin::io {

// The text goes to a temporary file beside `path`, is flushed to disk, and then replaces
// `path` by a rename. `interruptBeforeRename` stops just before the rename, as a crash
// there would, so tests can check the old file survives whole.
bool writeFileAtomically(const std::string& path, std::string_view text, std::string& error,
                         bool interruptBeforeRename = false);

// The whole content of a file; false with `error` set when it cannot be read.
bool readWholeFile(const std::string& path, std::string& text, std::string& error);

}  // namespace standin::io
