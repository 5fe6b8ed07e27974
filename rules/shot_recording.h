#pragma once

// What the rules record while the balls run.

// Called for every pair found touching, right after the collision response.
void record_first_touch(int i, int j);
// Called each time the pocket test finds ball i beyond a capture line.
void pocketing_rule(int i);
