#include "sound/table_sound.h"

#include "sound/sample_loading.h"

void TableSound::set_on(bool on)
{
    on_ = on;
    tick_.take();  // what was heard before a switch is not played after it
    if (!on_ || started_) return;
    started_ = true;
    SampleLoad load = load_samples(data_folders_);
    fault_ = load.error;
    if (fault_.isEmpty()) output_ = SoundOutput::open(std::move(load.samples), fault_);
}

void TableSound::tick_drawn()
{
    if (on_ && output_) output_->play(tick_.take());
}
