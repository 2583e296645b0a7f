#pragma once
#include <string>

#include "bench/Contenders.h"
#include "bench/Samples.h"

// What one direction of a contender took, one sample per round.
struct DirectionFigures {
    Samples whole;   // seconds for the payload file
    Samples probe;   // seconds for a one-byte file: start-up and key derivation
    Samples payload; // seconds for the payload alone
};

// The files one measurement uses; all in the benchmark's own folder.
struct RoundFiles {
    std::string payload, probe; // the originals
    std::string scratch;        // folder for what the contenders write
};

struct ContenderFigures {
    explicit ContenderFigures(Contender c) : contender(std::move(c)) {}

    Contender contender;
    DirectionFigures encrypt, decrypt;

    // Runs the contender once each way on the probe and on the payload, checks that what
    // comes back is the original, and adds the times. False, after a message, when a run
    // failed or gave back something else.
    bool measure(const RoundFiles &files);
};
