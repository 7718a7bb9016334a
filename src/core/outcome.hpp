#pragma once
// How an operation that changes game files ended. It has shown the player what happened either
// way: its closing text, the summary of what failed, or why it did nothing.
namespace korvane {

enum class Outcome {
    Done,    // every step done
    Failed,  // at least one step failed, each named in the summary shown
    Refused, // nothing changed: another run holds the installation, or a choice not on offer
};

} // namespace korvane
