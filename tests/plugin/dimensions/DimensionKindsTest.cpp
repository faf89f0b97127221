// The kinds the regeneration redraws are the kinds the subsystems register: a kind a
// subsystem adds beyond those known today is redrawn with no edit elsewhere, and every kind
// the module's tools store has a row that redraws it (else its dimensions would be kept,
// never updated).
#include <set>

#include "LiveDimensionFixture.h"

namespace livetest {
namespace {

constexpr int32_t kLaterKind = kFilletRadius + 1;
const PlotwiseDimensionKindRow kLaterKindRow[] = {{kLaterKind, &StandInRoutine}};

using DimensionKindsTest = LiveDimensionFixture;

TEST_F(DimensionKindsTest, AKindASubsystemAddsIsRedrawn) {
    PlotwiseSubsystem later{.name = "a later kind", .dimensionKinds = kLaterKindRow};
    AddPlotwiseSubsystem(&later);
    AIArtHandle path = Path({{0, 0}, {100, 0}});
    AIArtHandle old = Dimension(1);
    Anchor(path, 1, 1, kLaterKind, 0);
    Anchor(path, 1, 2, kLaterKind, 1);
    const AIErr err = UpdateAssociativeDimensions(kProcessAllArt);
    RemovePlotwiseSubsystem(&later);
    ASSERT_EQ(err, kNoErr);
    EXPECT_EQ(g->dimensionsRedrawn, 1);
    EXPECT_FALSE(Valid(old));
    ASSERT_EQ(gSeen.size(), 1u);
    EXPECT_EQ(gSeen[0].kind, kLaterKind);
}

TEST(DimensionKinds, EveryKindAToolStoresHasARedraw) {
    std::set<int32_t> redrawn;
    for (const PlotwiseSubsystem* s : PlotwiseModuleSubsystems())
        for (const PlotwiseDimensionKindRow& row : s->dimensionKinds)
            if (row.redraw) redrawn.insert(row.kind);
    for (const PlotwiseSubsystem* s : PlotwiseModuleSubsystems())
        for (const PlotwiseToolRow& tool : s->tools) {
            if (!tool.routines || tool.dimensionKind < 0) continue;  // not offered, or stores nothing
            EXPECT_TRUE(redrawn.contains(tool.dimensionKind))
                << tool.name << " stores kind " << tool.dimensionKind << ", which no PlotwiseDimensionKindRow redraws";
        }
}

}  // namespace
}  // namespace livetest
