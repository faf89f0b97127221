// The tracker panel's actions on the selection: Transform (a typed position, size and
// angle about the chosen reference point, optionally on copies), Move (an offset as x and
// y or as distance and angle), Repeat (a grid of copies) and Area (a uniform scale to a
// typed area), and the field notifiers that keep the typed texts canonical and derive the
// companion values. Typed lengths are in the tracker's unit at the drawing scale; positions
// grow rightwards and downwards, move offsets rightwards and upwards.
#pragma once

#include <cstdint>

#include "ADMTypes.h"

// The most copies one repeat may make (a grid of 100 × 100 of one object): counts past it
// are refused with a message.
constexpr int32_t kMostRepeatCopies = 10000;
// The row and column count fields hold whole numbers of at most this size either way.
constexpr int32_t kMostRepeatCount = 1000000;

AIErr doCADtrackerTransform();
// The pending move offset from the move fields after a change of `item`: 0, or 'CADE' when
// a length it needs does not read (nothing is said; the text stays as typed and the offset
// as it was). The offset is the real one typed, shown as typed at any scale.
AIErr doCADtrackerSetupMove(ADMItemRef item);
// Moves the selection by the offset drawn at the scale of the layer it lies on, read when the
// move is made; a selection with no one scale is moved nowhere (the read-out is emptied).
AIErr doCADtrackerMove();
// 1 when the columns or the rows count is at least 1.
int16_t doCADtrackerSetupRepeat(ADMItemRef item);
// The spacing of each direction that repeats must read as a length (an empty one too):
// otherwise the user is told its format is not correct and nothing is copied. A grid of one
// cell changes nothing.
AIErr doCADtrackerRepeat();
AIErr doCADtrackerAreaTransform();

void transformFldChangedNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void CADtrackerMoveFldNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void CADtrackerRepeatFldNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void areaTransformFldChangedNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void constrainNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void CADtrackerTransformNotifyProc(ADMItemRef item, ADMNotifierRef notifier);
void CADtrackerMoveNotifyProc(ADMItemRef item, ADMNotifierRef notifier);
void CADtrackerRepeatNotifyProc(ADMItemRef item, ADMNotifierRef notifier);
void CADtrackerAreaTransformNotifyProc(ADMItemRef item, ADMNotifierRef notifier);
