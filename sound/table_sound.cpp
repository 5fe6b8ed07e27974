#include "sound/table_sound.h"

#include "sound/sample_loading.h"

// Closing the output runs the event loop for a moment; a tick drawn meanwhile
// finds no output, rather than one half gone.
TableSound::~TableSound()
{
    output_.reset();
}

void TableSound::set_on(bool on)
{
    tick_.take();  // what was heard before a switch is not played after it
    if (on == on_) return;
    on_ = on;
    output_.reset();
    fault_.clear();
    if (!on_) return;
    SampleLoad load = load_samples(data_folders_);
    fault_ = load.error;
    if (fault_.isEmpty()) output_ = SoundOutput::open(std::move(load.samples), fault_);
}

void TableSound::tick_drawn()
{
    if (output_) output_->play(tick_.take());
}
