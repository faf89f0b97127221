// The `entry` script command: typed entries written where `expect entry` reads them, the
// dictionaries on the way made, one undo step, and mistakes refused with a message.
#include <gtest/gtest.h>

#include <sstream>

#include "Commands.h"
#include "PlayedScript.h"
#include "Session.h"

using namespace plotwise::app;

namespace {

struct Played : PlayedScript {
    Played() : PlayedScript("entry.pws") {}
};

TEST(EntryCommand, WritesTypedEntriesThatExpectReadsBack) {
    Played run;
    run.play("new\nrect 0 0 10 10\n");
    const auto paths = run.session.document().matching([](const standin::Art& a) { return a.type == kPathArt; });
    ASSERT_EQ(paths.size(), 1u);
    const std::string rect = std::to_string(paths[0]);
    std::string script = R"(
layer add "Top"
entry document ZA3_AxoView/ZA3_AxoView_a real 0.5235988
entry document ZA3_AxoView/ZA3_AxoView_t real -35.26
entry document ZA3_Version int 700
entry RECT ZA3_Axonometric/PW7_Axo_no_foreshortening bool true
entry layer="Top" ZA3_ScaleStr string "1:50"
expect entry document ZA3_AxoView/ZA3_AxoView_a == 0.5235988
expect entry document ZA3_AxoView/ZA3_AxoView_t == -35.26
expect entry document ZA3_Version == 700
expect entry RECT ZA3_Axonometric/PW7_Axo_no_foreshortening == true
expect entry layer="Top" ZA3_ScaleStr == "1:50"
entry document ZA3_Version int 701
expect entry document ZA3_Version == 701
undo
expect entry document ZA3_Version == 700
)";
    for (size_t at = script.find("RECT"); at != std::string::npos; at = script.find("RECT")) script.replace(at, 4, rect);
    run.play(script);
    EXPECT_EQ(run.failures, 0) << run.errors.str();
    const standin::Document& doc = *run.session.host().frontDocument();
    const standin::Dict* d = doc.dict(doc.state().dictionary);
    ASSERT_NE(d, nullptr);
    const auto* view = d->find("ZA3_AxoView");
    ASSERT_NE(view, nullptr);
    const standin::Dict* sub = doc.dict(std::get<standin::DictLink>(*view).id);
    EXPECT_EQ(std::get<AIReal>(*sub->find("ZA3_AxoView_t")), -35.26f);
}

TEST(EntryCommand, RefusesWhatItCannotWrite) {
    for (const char* line : {"entry document ZA3_Version/x int 1", "entry document a//b int 1",
                             "entry document k float 1", "entry document k bool maybe", "entry 999 k int 1",
                             "entry layer=\"None\" k int 1", "entry document k int"}) {
        Played run;
        run.play(std::string("new\nentry document ZA3_Version int 700\n") + line + "\n");
        EXPECT_EQ(run.failures, 1) << line;
        EXPECT_NE(run.errors.str().find("entry"), std::string::npos) << run.errors.str();
    }
}

}  // namespace
