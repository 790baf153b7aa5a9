#ifndef REFERENCES_H
#define REFERENCES_H

class Clock;
class RandomSource;

// The floor: only drawing guests × experiments values through the same interface, and summing them.
double drawOnly(int guests, int experiments, RandomSource &random);

// The straightforward way: keep every balance, sort them by pairwise exchange, take the first.
// Returns the sum of the lowest balances so that nothing is optimised away.
long exchangeSortRun(int guests, int experiments, RandomSource &random, Clock &clock);

#endif
