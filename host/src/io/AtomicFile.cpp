// Whole-file reads and atomic whole-file writes.
#include "io/AtomicFile.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace standin::io {

bool writeFileAtomically(const std::string& path, std::string_view text, std::string& error) {
    const std::string temp = path + ".part";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (out) {
            out.write(text.data(), static_cast<std::streamsize>(text.size()));
            out.flush();
        }
        if (!out) {
            error = "cannot write " + path;
            std::remove(temp.c_str());
            return false;
        }
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        error = "cannot write " + path;
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

bool readWholeFile(const std::string& path, std::string& text, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot open the file";
        return false;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) {
        error = path + ": cannot read the file";
        return false;
    }
    text = buffer.str();
    return true;
}

}  // namespace standin::io
