#pragma once

// Freezes the table under the end-of-game banner.
void show_end_banner();
// The banner timer's tick (every 20 ms): writes the banner again.
void Timer3Timer();
