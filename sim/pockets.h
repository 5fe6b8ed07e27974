#pragma once

// Captures ball i when its centre has reached a capture line, then lets a
// nearby pocket pull its velocity toward the pocket.
void pocket_check(int i);
