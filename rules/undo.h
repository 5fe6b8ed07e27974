#pragma once

// The undo button: puts the balls and the turn back as they were when the
// last shot was launched.
void SpeedButton1Click();

// Taken by the shot launch: every ball's state and position at the start of
// the shot, for the undo.
void take_shot_start_copies();
