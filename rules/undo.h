#pragma once

// The undo button: puts the balls and the turn back as they were when the
// last shot was launched (the launch copies them), once that shot has been
// judged.
void SpeedButton1Click();
// Whether the undo button would take a shot back now.
bool undo_available();
