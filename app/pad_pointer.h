#pragma once
// A pad in the menus and on the pause screen: the left stick or the d-pad
// moves the pointer, faster the longer it is held; A clicks where it points;
// B backs out as Escape does.

/// Runs before the menus see the frame's input. True when B was pressed:
/// it stands in for an Escape tap, and the caller goes back a screen when
/// no open list or text field took it.
bool PadPointerFrame();
/// Forgets the pointer's speed and a click held by A.
void ResetPadPointer();
