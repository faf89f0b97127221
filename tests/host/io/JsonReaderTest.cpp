// The one JSON reader every file goes through: each limit is applied while the text is read,
// with the place of the problem, for both JSON types the host uses (documents keep member
// order and 32-bit reals; preferences and resources use plain nlohmann::json).
#include <gtest/gtest.h>

#include <string>

#include "io/DocumentFile.h"
#include "io/Json.h"

using namespace standin;
using namespace standin::io;

namespace {

// The message parseJson gives for `text`, or "" when it reads.
template <class J>
std::string refusal(const std::string& text, const JsonLimits& limits) {
    try {
        parseJson<J>(text, limits);
    } catch (const FormatError& e) {
        return e.what();
    }
    return "";
}

std::string nested(int levels) { return std::string(size_t(levels), '[') + std::string(size_t(levels), ']'); }

std::string objectOf(int members, const std::string& repeated = "") {
    std::string text = "{";
    for (int i = 0; i < members; ++i) text += (i ? ",\"k" : "\"k") + std::to_string(i) + "\":0";
    if (!repeated.empty()) text += ",\"" + repeated + "\":1";
    return text + "}";
}

}  // namespace

TEST(JsonReader, NestingIsRefusedWhileReadingForEveryKindOfFile) {
    // 100,000 levels: the depth that ended the host when a preference file held it.
    const std::string deep = nested(100000);
    for (const JsonLimits* limits : {&kDocumentJson, &kPreferenceJson, &kResourceJson}) {
        const std::string place = std::string(limits->root) + "[0]";
        for (const std::string& message : {refusal<Json>(deep, *limits), refusal<nlohmann::json>(deep, *limits)}) {
            EXPECT_EQ(message.rfind(place, 0), 0u) << message.substr(0, 40);
            EXPECT_NE(message.find(": nesting deeper than 256 levels"), std::string::npos) << limits->root;
        }
    }
    // 256 levels read; the 257th is refused, at its place.
    EXPECT_EQ(refusal<nlohmann::json>(nested(256), kPreferenceJson), "");
    const std::string message = refusal<nlohmann::json>("{\"a\": " + nested(256) + "}", kPreferenceJson);
    EXPECT_EQ(message.rfind("preferences.a[0][0]", 0), 0u) << message;
}

TEST(JsonReader, RepeatedKeysAndMemberCountsAreFoundInObjectsOfAnySize) {
    for (int members : {1, 3, 15, 16, 17, 500}) {
        const std::string twice = "{\"layers\": [" + objectOf(members, "k0") + "]}";
        EXPECT_EQ(refusal<Json>(twice, kDocumentJson), "document.layers[0]: the key \"k0\" appears twice in one object")
            << members;
        EXPECT_NE(refusal<nlohmann::json>(twice, kPreferenceJson).find("the key \"k0\" appears twice"), std::string::npos)
            << members;
        EXPECT_EQ(refusal<Json>("{\"layers\": [" + objectOf(members) + "]}", kDocumentJson), "") << members;
    }
    EXPECT_EQ(refusal<Json>(objectOf(16384), kDocumentJson), "");
    EXPECT_EQ(refusal<Json>(objectOf(16385), kDocumentJson), "document: an object has more than 16384 members");
    EXPECT_EQ(refusal<nlohmann::json>(objectOf(16385), kResourceJson), "resource: an object has more than 16384 members");
}

TEST(JsonReader, MembersKeepTheirOrderAndValuesTheirTypes) {
    const auto tree = parseJson(R"({"b": 1, "a": [true, null, "x", -2, 18446744073709551615, 0.1], "c": {}})");
    const Json& j = *tree;
    ASSERT_EQ(j.size(), 3u);
    EXPECT_EQ(j.begin().key(), "b");
    const Json& a = j["a"];
    EXPECT_TRUE(a[0].is_boolean());
    EXPECT_TRUE(a[1].is_null());
    EXPECT_EQ(a[2], "x");
    EXPECT_EQ(a[3].get<int64_t>(), -2);
    EXPECT_EQ(a[4].get<uint64_t>(), 18446744073709551615u);
    EXPECT_EQ(a[5].get<float>(), 0.1f);
    EXPECT_TRUE(j["c"].is_object());
}

TEST(JsonReader, AnOverlongPathIsRefusedAsSoonAsItPassesTheLimit) {
    // 32768 anchors followed by text that is not JSON at all: the path is refused before the
    // reader ever gets there.
    std::string segments;
    for (int i = 0; i < 32768; ++i) segments += (i ? "," : "") + std::string("{\"p\":[0,0]}");
    const std::string text = R"({"format": "plotwise-document", "version": 1, "layers": [{"kind": "layer", "id": 1,)"
                             R"( "title": "L", "children": [{"kind": "path", "id": 2, "segments": [)" +
                             segments + ", this is not JSON";
    IdSource ids;
    try {
        readDocumentText(text, ids);
        FAIL() << "read";
    } catch (const FormatError& e) {
        EXPECT_STREQ(e.what(), "document.layers[0].children[0].segments: a path holds at most 32767 anchors");
    }
    // Other arrays are not counted against it.
    EXPECT_EQ(refusal<Json>("{\"other\": [" + segments + "]}", kDocumentJson), "");
}

TEST(JsonReader, TextsLargerThanTheirKindMayBeAreRefused) {
    const JsonLimits small{{"a test file", 100}, "test"};
    EXPECT_EQ(refusal<Json>("[" + std::string(98, ' ') + "]", small), "");
    EXPECT_EQ(refusal<Json>("[" + std::string(99, ' ') + "]", small), "larger than 100 bytes, the most a test file may hold");
}

TEST(JsonReader, SyntaxErrorsAndOverflowsSayWhatIsWrong) {
    EXPECT_EQ(refusal<Json>("", kDocumentJson).rfind("not valid JSON: ", 0), 0u);
    EXPECT_EQ(refusal<Json>("[1] 2", kDocumentJson).rfind("not valid JSON: ", 0), 0u);
    // A number too large for its type is named at its place.
    EXPECT_EQ(refusal<Json>("[1e39]", kDocumentJson), "document[0]: the number 1e39 is too large");
    EXPECT_EQ(refusal<Json>(R"({"a": {"b": -1e99}})", kDocumentJson), "document.a.b: the number -1e99 is too large");
    EXPECT_EQ(refusal<nlohmann::json>("[1e39]", kPreferenceJson), "");  // a double holds it
    EXPECT_EQ(refusal<nlohmann::json>("[0, 1e999]", kPreferenceJson), "preferences[1]: the number 1e999 is too large");
}
