// What the process needs from the system before a run starts.
#pragma once

namespace sb {

// Prepares the process: a write beyond the file size limit fails with an error instead of
// ending the process, and text written to a Windows console is read there as UTF-8 (the
// console's own code page comes back when the process ends).
void prepare_process();

}  // namespace sb
