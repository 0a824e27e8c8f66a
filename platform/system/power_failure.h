// The device losing its power at a chosen moment, for crash tests: after a
// given number of further writes to the device's files the process ends at
// once (SIGKILL: nothing is flushed, closed or cleaned up), as when the
// program is killed, or the battery is pulled from a device whose store
// writes through (every write made before that moment is kept). Writes are counted where they
// reach the host: SQLite's writes, syncs, truncations and deletions (the
// deletion of a rollback journal is its commit), the file calls' writes and
// copies, the platform's own files and the text streams.
#pragma once

namespace device {

// Ends the process at the (writes + 1)th write from now; negative: never.
void powerFailAfterWrites(long writes);
// Counts one write about to be made; ends the process when its turn came.
void beforeDeviceWrite();

}  // namespace device
