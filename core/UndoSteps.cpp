// Undo steps joined through the host's undo suite: a timer message joins the step of the
// message that started its timer; a tool message joins the command's first step
// (commandStep, noted at its first release) while the command goes on.
#include "core/UndoSteps.h"

#include <cstring>
#include <utility>

#include "AITimer.h"
#include "core/CoreGlobals.h"
#include "core/PlotwiseSuites.h"

namespace {

constexpr GlobalsView<CoreGlobals> g;

bool Is(const char* caller, const char* which) { return caller && std::strcmp(caller, which) == 0; }

// Between the first stage's release and the release of the click that keeps the shape.
bool InSecondStage() { return g->drawingPrimitive && !g->firstMouseNotYetUp; }

void Join(AIUndoStepRef step) {
    if (step && sAIUndo && sAIUndo->JoinUndoStep) (void)sAIUndo->JoinUndoStep(step);
}

}  // namespace

void JoinStepCarriedOn(const char* caller, void* message) {
    if (!g || !message) return;
    if (Is(caller, kCallerAITimer)) {
        AIUndoStepRef step = nullptr;
        auto* timer = static_cast<AITimerMessage*>(message);
        if (sAITimer && sAITimer->GetTimerUndoStep && sAITimer->GetTimerUndoStep(timer->timer, &step) == kNoErr)
            Join(step);
    } else if (Is(caller, kCallerAITool) && InSecondStage()) {
        Join(g->commandStep);
    }
}

bool ToolCommandGoesOn() { return g && (InSecondStage() || g->clickNum > 0); }

void NoteStepToCarryOn(const char* caller, const char* selector) {
    if (!g || !Is(caller, kCallerAITool)) return;
    // The clicks of a multi-click command stay counted until it is done.
    if (!ToolCommandGoesOn()) {
        g->commandStep = nullptr;
        return;
    }
    if (Is(selector, kSelectorAIToolMouseDown) && !InSecondStage() && g->clickNum > 1) {
        Join(g->commandStep);  // one more click of the command in progress
    } else if (Is(selector, kSelectorAIToolMouseUp) && !g->commandStep && sAIUndo && sAIUndo->GetCurrentUndoStep) {
        (void)sAIUndo->GetCurrentUndoStep(&g->commandStep);
    }
}

AIErr MarkGestureRefused(AIErr refusal) {
    if (g && refusal) g->gestureRefused = true;
    return refusal;
}

void KeepHeldBackWork() {
    if (g && sAIUndo && sAIUndo->KeepChangesSoFar) (void)sAIUndo->KeepChangesSoFar();
}

void RefuseGestureInHand() {
    if (g && g->mouseIsDown) g->gestureRefused = true;
}

void TakeBackRefusedGesture() {
    if (g && std::exchange(g->gestureRefused, false) && sAIUndo && sAIUndo->UndoAllChanges)
        (void)sAIUndo->UndoAllChanges();
}
