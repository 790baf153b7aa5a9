#ifndef QUITCONFIRMATION_H
#define QUITCONFIRMATION_H

struct Seams;

// The whole click of "終了": the end cue, then the question; Yes ends the program.
void confirmQuit(const Seams &seams);

#endif
