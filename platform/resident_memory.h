// How much memory the process holds, for the long-run checks.
#pragma once

// The process's resident memory in MB, after handing free heap pages back to
// the system; 0 when it cannot be read. What the heap keeps for reuse depends
// on the order of recent frees, not on what is in use, so it is not counted.
double residentMegabytes();
