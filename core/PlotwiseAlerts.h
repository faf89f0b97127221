// The alerts every tool shares: an error message, the art-must-be-clicked tip and invalid
// dialog input. Each resets the click state of the tool in progress and returns 'CADE';
// none shows anything while live dimensions are being regenerated, except the dialog-input
// alert, which answers a user's typing.
#pragma once

#include "AITypes.h"

constexpr int32_t kMessageList = 17000;
constexpr int32_t kWordList = 17400;
constexpr int32_t kArtMustBeClickedMessage = 2;  // 17002
constexpr int32_t kOKWord = 24;                  // 17424
constexpr int32_t kCancelWord = 25;              // 17425
constexpr int32_t kDoNotShowAgainWord = 26;      // 17426

AIErr doPlotwiseErrorDialog(const char* text);
AIErr doArtMustBeClickedErrorDialog();
AIErr doDialogInputErrorDialog(const char* text);
