#pragma once

class QWidget;

// The README's "How to play", in Markdown, as the build found it.
extern const char HOW_TO_PLAY_RULES[];

// Shows the rules in a dialog over `window`, the same one if it is open;
// Close or Escape puts it away.
void show_how_to_play(QWidget& window);
