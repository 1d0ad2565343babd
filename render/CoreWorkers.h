#pragma once

// Runs work(context, i) for every i below count on the calling thread and on one more
// thread for each further processor core, each taking the next i until none is left;
// returns when all are done. Without further cores, or threads, the caller does it all.
void runOnEveryCore(int count, void (*work)(void* context, int index), void* context);
