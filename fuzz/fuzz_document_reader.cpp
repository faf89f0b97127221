// Fuzzes the document reader: any bytes either become a document or a FormatError, never a
// crash, a leak or undefined behaviour. A document that was read must also save and read
// back to the same text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "io/DocumentFile.h"
#include "io/Svg.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace standin;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::unique_ptr<Document> doc;
    IdSource ids;
    try {
        doc = io::readDocumentText(text, ids);
    } catch (const io::FormatError&) {
        return 0;
    }
    const std::string saved = io::writeDocumentText(*doc);
    IdSource again;
    const auto back = io::readDocumentText(saved, again);
    if (io::writeDocumentText(*back) != saved) std::abort();
    (void)io::documentToSvg(*doc);
    return 0;
}
