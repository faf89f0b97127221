// A parse that hands the elements of lists over one at a time: each element is built apart
// with its own lists standing empty in it and the members it does not keep standing as
// null, in file order, and every limit still holds inside what is left out.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "io/Json.h"

using namespace standin::io;

namespace {

// Lists: "items" of the top object and "sub" of an element; members named "skip" are left
// out. Notes each event as "begin PLACE ELEMENT" or "end ELEMENT".
class Recorder : public JsonLists {
public:
    bool isList(const Json* element, const std::string& key) const override {
        return key == (element ? "sub" : "items");
    }
    bool keeps(const Json&, const std::string& key) const override { return key != "skip"; }
    void begin(const Json& element, const std::string& where) override {
        events.push_back("begin " + where + " " + element.dump());
    }
    void end(const Json& element) override { events.push_back("end " + element.dump()); }

    std::vector<std::string> events;
};

constexpr ArrayLimit kShortArrays[] = {{"pair", 2, "at most two"}};
constexpr JsonLimits kLimits{{"a test file", 1024}, "top", 8, 4, kShortArrays};

}  // namespace

TEST(JsonParts, ElementsAreHandedOverOneAtATimeInFileOrder) {
    const struct {
        const char* text;
        std::string top;
        std::vector<std::string> events;
    } cases[] = {
        {R"({"a": 1, "items": [{"x": 1, "sub": [{"y": 2}, 5]}, 3], "b": 2})",
         R"({"a":1,"items":[],"b":2})",
         {R"(begin top.items[0] {"x":1,"sub":[]})", R"(begin top.items[0].sub[0] {"y":2})", R"(end {"y":2})",
          "begin top.items[0].sub[1] 5", "end 5", R"(end {"x":1,"sub":[]})", "begin top.items[1] 3", "end 3"}},
        {R"({"items": [{"skip": {"deep": [1, {"k": 2}]}, "x": [1]}]})", R"({"items":[]})",
         {R"(begin top.items[0] {"skip":null,"x":[1]})", R"(end {"skip":null,"x":[1]})"}},
        // A member after an element's list is in the element only by its end.
        {R"({"items": [{"sub": [], "late": 1}]})", R"({"items":[]})",
         {R"(begin top.items[0] {"sub":[]})", R"(end {"sub":[],"late":1})"}},
        // Only the top object's and the elements' members are lists.
        {R"({"other": {"items": [1]}, "items": [[2]]})", R"({"other":{"items":[1]},"items":[]})",
         {"begin top.items[0] [2]", "end [2]"}},
    };
    for (const auto& c : cases) {
        for (const bool stream : {false, true}) {
            Recorder lists;
            std::istringstream in(c.text);
            const auto top = parseJsonInParts(stream ? JsonInput{{}, &in} : JsonInput{c.text}, lists, kLimits);
            EXPECT_EQ(top->dump(), c.top) << c.text;
            EXPECT_EQ(lists.events, c.events) << c.text;
        }
    }
}

TEST(JsonParts, WhatIsLeftOutIsStillHeldToTheLimits) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {R"({"items": [{"skip": {"k": 1, "k": 2}}]})", "top.items[0].skip: the key \"k\" appears twice in one object"},
        {R"({"items": [{"skip": {"pair": [1, 2, 3]}}]})", "top.items[0].skip.pair: at most two"},
        {R"({"items": [{"skip": {"a": 1, "b": 2, "c": 3, "d": 4, "e": 5}}]})",
         "top.items[0].skip: an object has more than 4 members"},
        {R"({"items": [{"skip": [[[[[[[1]]]]]]]}]})", "top.items[0].skip[0][0][0][0]: nesting deeper than 8 levels"},
        {R"({"items": [{"skip": 1, "skip": 2}]})", "top.items[0]: the key \"skip\" appears twice in one object"},
        {R"({"items": [{"skip": [1e999]}]})", "top.items[0].skip[0]: the number 1e999 is too large"},
        {R"({"items": [{"sub": [1, 2, 3, 4, 5]}]})", ""},  // a list holds any number of elements
    };
    for (const auto& c : cases) {
        Recorder lists;
        std::string message;
        try {
            parseJsonInParts(JsonInput{c.text}, lists, kLimits);
        } catch (const FormatError& e) {
            message = e.what();
        }
        EXPECT_EQ(message, c.message) << c.text;
    }
}
