// Two saved drawings that must show and store the same: every path and text within 0.01 pt,
// and every stored record (the document's dictionary, each art's dictionary and tags).
//   drawings_agree BEFORE.json AFTER.json
// names each path, text or record that changed; the exit status is 1 when it names one.
#include <cstdio>
#include <string>

#include "DrawingDifferences.h"
#include "Host.h"
#include "io/DocumentFile.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: drawings_agree BEFORE.json AFTER.json\n");
        return 2;
    }
    standin::Host host;
    const standin::Document* docs[2] = {};
    for (int i = 0; i < 2; ++i) {
        std::string error;
        docs[i] = standin::io::openDocumentFile(host, argv[i + 1], error, nullptr);
        if (!docs[i]) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 2;
        }
    }
    auto differences = drawingdiff::Differences(drawingdiff::Marks(*docs[0]), drawingdiff::Marks(*docs[1]));
    // Stored reals are compared more closely than coordinates: a record read back and written
    // again keeps its values.
    for (const std::string& d :
         drawingdiff::Differences(drawingdiff::Records(*docs[0]), drawingdiff::Records(*docs[1]), 1e-4))
        differences.push_back("record: " + d);
    for (const std::string& d : differences) std::printf("%s -> %s: %s\n", argv[1], argv[2], d.c_str());
    return differences.empty() ? 0 : 1;
}
