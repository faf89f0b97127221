// Registers every document-side suite under its name and version.
#include "suites/Suites.h"

namespace standin {

void registerDocumentSuites(SuiteRegistry& registry) {
    suites::addArtSuites(registry);
    suites::addDictionarySuites(registry);
    suites::addLayerSuites(registry);
    suites::addQuerySuites(registry);
    suites::addMathSuites(registry);
    suites::addColorSuites(registry);
    suites::addOutlineSuites(registry);
    suites::addStyleSuites(registry);
}

}  // namespace standin
