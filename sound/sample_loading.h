#pragma once

#include <QString>
#include <QStringList>

#include "sound/sample_files.h"

// Every sample, or why they could not all be read.
struct SampleLoad {
    SampleSet samples;
    QString error;  // empty when every sample was read
};

// Reads each sample from the first of `folders` that holds its file; an empty
// folder name is the working directory. A file that is missing everywhere, or
// found but not a sample of ours, is the error.
SampleLoad load_samples(const QStringList& folders);
