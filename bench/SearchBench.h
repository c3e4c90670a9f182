#pragma once
// The port search's figures of wlt-bench (SearchBench.cpp).

// runs: runs of the short figure; full: time the long ones whole.
void PrintSearchFigures(int runs, bool full);
