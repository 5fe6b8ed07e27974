#pragma once

// Reflects ball i's velocity off the cushions, the middle pockets' throat
// walls and the twelve jaws, judged on its look-ahead position.
void cushion_rebound(int i);
