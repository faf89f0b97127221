// What the architectural and object tools say to the drafter: the texts of their own string
// list (17900), filled in and shown as alerts, silent while dimensions are regenerated.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>

#include "AITypes.h"
#include "core/PlotwiseStrings.h"  // FilledText

constexpr int32_t kArchitectureMessageList = 17900;
enum : int32_t {
    kClickWallToRemoveMessage = 1,
    kPressWallToMoveMessage = 2,
    kClickWallForDoorMessage = 3,
    kClickWallForWindowMessage = 4,
    kDamagedHouseMessage = 5,        // ^0: what is wrong with the record
    kWiderThanWallMessage = 6,       // ^0: door or window, ^1: its width, ^2: the wall's clear length
    kPastEndMessage = 7,             // ^0: door or window
    kOverOpeningMessage = 8,         // ^0: door or window
    kOverJoiningWallMessage = 9,     // ^0: door or window
    kThicknessMessage = 10,
    kHouseTooLargeMessage = 11,      // ^0: the most walls a house holds
    kDoorWord = 12,
    kWindowWord = 13,
    // 14 is not shown (a count is refused with the words every count field says); it stays
    // in the list so that the entries after it keep their numbers.
    kOpeningWidthMessage = 15,       // ^0: door or window
    kSheetSettingsMessage = 16,      // ^0: table or title block
    kTableWord = 17,
    kTitleBlockWord = 18,
    kProjectCaption = 19,            // the title block's captions, each before its value
    kScaleCaption = 20,
    kDrawnByCaption = 21,
    kSheetCaption = 22,
    kUnstorableHouseMessage = 23,    // ^0: what the record could not keep
    kTooSmallMessage = 24,
    kDetachedDimensionsMessage = 25,  // ^0: what each dimension reads
};

// The same of this list.
std::string ArchitectureText(int32_t index, std::initializer_list<std::string> fill = {});
// Shows the text as the tools' error alert; answers 'CADE'.
AIErr SayArchitecture(int32_t index, std::initializer_list<std::string> fill = {});
AIErr SayWords(const std::string& words);
// Two drawn lengths in the numeric-input unit at the scale, as a drafter types them: at the
// numeric-input precision, or, where they differ by more than `error` (their float error),
// with as many more digits as tell them apart. `error` also rounds the second, a length
// measured along the art (doScaleAndUnits).
std::pair<std::string, std::string> LengthWordsApart(double first, double second, double scaler, double error);
