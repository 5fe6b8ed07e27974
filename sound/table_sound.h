#pragma once

#include <QString>
#include <QStringList>
#include <memory>

#include "sim/table_events.h"
#include "sound/sound_output.h"
#include "sound/table_sounds.h"

// The sound of the live game, which the main window owns: it hears the
// table's events while a simulation tick runs and plays them once the tick's
// drawing is on the screen. Off, it holds no output and hears nothing.
// Without an audio output, or when the samples or the output fail, it stays
// silent.
class TableSound {
public:
    // The samples are read from the first of `data_folders` that holds each.
    explicit TableSound(QStringList data_folders) : data_folders_(std::move(data_folders)) {}
    ~TableSound();
    TableSound(const TableSound&) = delete;
    TableSound& operator=(const TableSound&) = delete;

    // Switched on, it reads the samples and opens the output; switched off, it
    // closes the output.
    void set_on(bool on);
    bool on() const { return on_; }
    // On, with the samples read and an output open.
    bool audible() const { return output_ != nullptr; }

    void hear(const TableEvent& event)
    {
        if (output_) tick_.hear(event);
    }
    // The tick was drawn: play what was heard in it.
    void tick_drawn();

    // Why the sound is silent although it is on: the samples could not be read
    // or the output could not be opened. Empty when it plays, and when there
    // is simply no audio output.
    const QString& fault() const { return fault_; }

private:
    QStringList data_folders_;
    bool on_ = false;
    TickSounds tick_;
    std::unique_ptr<SoundOutput> output_;
    QString fault_;
};
